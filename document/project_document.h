#pragma once
// An open project: the project itself and what this copy of the program
// knows of its file while it is open. Saving and reading go through here so
// that the file's stamp and mark stay with the project they belong to.

#include "model/project.h"
#include "storage/project_file.h"

#include <memory>
#include <string>

class CProjectDocument
{
public:
  CProjectDocument();
  explicit CProjectDocument(std::unique_ptr<CProject> project);
  CProjectDocument(const CProjectDocument&) = delete;
  CProjectDocument& operator=(const CProjectDocument&) = delete;

  CProject& Project() { return *mProject; }
  const CProject& Project() const { return *mProject; }
  CProjectFileState& File() { return mFile; }
  bool ReadOnly() const { return mFile.mReadOnly; }

  // The project file at the project's path; false with a reason on failure.
  bool Save(std::string* error = nullptr) { return SaveProject(*mProject, mFile, error); }
  bool Load(std::string* error = nullptr) { return LoadProject(*mProject, mFile, error); }

  // Hands the project over; the document is then empty.
  std::unique_ptr<CProject> TakeProject() { return std::move(mProject); }

private:
  std::unique_ptr<CProject> mProject;
  CProjectFileState mFile;
};
