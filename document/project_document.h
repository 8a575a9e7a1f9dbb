#pragma once
// An open project: the project itself and what this copy of the program
// knows of its file while it is open. Saving and reading go through here so
// that the file's stamp and mark stay with the project they belong to.

#include "document/document_observer.h"
#include "model/project.h"
#include "storage/project_file.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The observers are told after every calculation of the project.
class CProjectDocument
{
public:
  CProjectDocument();
  explicit CProjectDocument(std::unique_ptr<CProject> project);
  CProjectDocument(const CProjectDocument&) = delete;
  CProjectDocument& operator=(const CProjectDocument&) = delete;
  ~CProjectDocument();

  CProject& Project() { return *mProject; }
  const CProject& Project() const { return *mProject; }
  CProjectFileState& File() { return mFile; }
  bool ReadOnly() const { return mFile.mReadOnly; }

  // The project file at the project's path; false with a reason on failure.
  bool Save(std::string* error = nullptr) { return SaveProject(*mProject, mFile, error); }
  bool Load(std::string* error = nullptr) { return LoadProject(*mProject, mFile, error); }

  // Hands the project over; the document is then empty and tells nobody.
  std::unique_ptr<CProject> TakeProject();

  // An observer registered twice is told once; one that goes away must
  // remove itself first.
  void AddObserver(CDocumentObserver* observer);
  void RemoveObserver(CDocumentObserver* observer);
  // Tells every observer, in the order they registered; an observer may
  // remove itself or another while being told.
  void Notify(const CDocumentChange& change);

  // The windows of the project: its project window, its one report
  // window and one window a volume, each registered as an observer too;
  // an observer that leaves is forgotten in these places as well.
  CDocumentObserver* ProjectWindow() const { return mProjectWindow; }
  void SetProjectWindow(CDocumentObserver* window);
  CDocumentObserver* ReportWindow() const { return mReportWindow; }
  void SetReportWindow(CDocumentObserver* window);
  CDocumentObserver* VolumeWindow(const CArea* volume) const;
  void SetVolumeWindow(const CArea* volume, CDocumentObserver* window);

private:
  void Attach();

  std::unique_ptr<CProject> mProject;
  CProjectFileState mFile;
  std::vector<CDocumentObserver*> mObservers;
  CDocumentObserver* mProjectWindow = nullptr;
  CDocumentObserver* mReportWindow = nullptr;
  std::vector<std::pair<const CArea*, CDocumentObserver*>> mVolumeWindows;
};
