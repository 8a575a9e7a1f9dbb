#pragma once
// The projects that have a window in this copy of the program.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CProject;
class CProjectDocument;

// The open projects, sorted by name, found by bisection.
class COpenProjects
{
public:
  COpenProjects();
  COpenProjects(const COpenProjects&) = delete;
  COpenProjects& operator=(const COpenProjects&) = delete;
  ~COpenProjects();

  std::size_t Count() const { return mProjects.size(); }
  bool Empty() const { return mProjects.empty(); }
  CProject* Get(std::size_t index) const;
  CProject* Find(std::string_view name) const;
  // The document holding the project; nullptr when it is not open.
  CProjectDocument* Document(const CProject* project) const;
  // False (project not taken) when a project of that name is open already.
  bool Insert(std::unique_ptr<CProjectDocument> document);
  bool Insert(std::unique_ptr<CProject> project);
  // Takes the project out and hands it back; nullptr when not open.
  std::unique_ptr<CProject> Remove(const CProject* project);
  std::vector<std::string> Names() const;

private:
  std::size_t LowerBound(std::string_view name) const;
  std::vector<std::unique_ptr<CProjectDocument>> mProjects;
};

// The program's one set of open projects.
COpenProjects& OpenProjects();

// Saves the project through its document, with what is known of its file.
// A project that is not open has no mark, stamp or question for its file:
// it is refused with the reason rather than written past those checks.
bool SaveOpenProject(CProject& project, std::string* error = nullptr);

// True when the project is open read-only: another copy of the program had
// it open when it was opened here.
bool IsReadOnly(const CProject& project);
