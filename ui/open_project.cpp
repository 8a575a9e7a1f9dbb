#include "ui/open_project.h"

#include "document/open_projects.h"
#include "document/project_copy.h"
#include "document/project_document.h"
#include "model/project.h"
#include "storage/default_distributor.h"
#include "storage/lock_file.h"
#include "storage/project_file.h"
#include "ui/app.h"
#include "ui/project_window.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QString>
#include <filesystem>
#include <memory>

bool OpenProject(const std::string& name, const CProjectDocument* source,
                 const CRecoveredProject* recovered)
{
  std::unique_ptr<CProjectDocument> document;
  if (source)
    document = CopyProjectDocument(*source, name).mDocument;
  else if (!name.empty() && !OpenProjects().Find(name))
  {
    document = std::make_unique<CProjectDocument>();
    document->Project().SetName(name);
    // A new project starts with the default distributor; a file read below
    // brings its own.
    document->Project().mDistributor = LoadDistributor(Settings());
  }
  if (!document)
    return false;
  CProject* project = &document->Project();
  document->File().mChangedFileQuestion = AskToReplaceChangedFile;

  // The project's file is marked as open in this copy of the program. Marked
  // by another copy: the user may open it read-only or not at all.
  std::error_code ec;
  const bool hasFile = std::filesystem::exists(std::filesystem::symlink_status(project->mPath, ec));
  if (!document->MarkFile())
  {
    if (!AskYesNo(MainFrame(), kAppTitle,
                  QString("The project \"%1\" is open in another copy of the program.\r\n\r\n"
                          "Do you want to open it read-only?  Your changes can then be kept "
                          "only with Save As.")
                      .arg(ToQt(name)),
                  CPromptIcon::Exclamation))
      return false;
    document->SetReadOnly();
  }

  // A file that does not read opens nothing, and the user is told why.
  std::string error;
  if (!document->ReadFile(&error))
  {
    QString text = QString("The project \"%1\" cannot be opened: its file \"%2\" cannot be read.")
                       .arg(ToQt(name), ToQt(project->mPath));
    if (!error.empty())
      text += "\r\n" + ToQt(error);
    ShowMessage(MainFrame(), kAppTitle, text, CPromptIcon::Exclamation);
    return false;
  }

  if (recovered && recovered->mProject)
  {
    const std::string path = project->mPath;
    project->CopyFrom(*recovered->mProject);
    project->mName = name;
    project->mPath = path;
    if (recovered->mBase.mKind != CFileStamp::CKind::Unknown)
      document->File().mDiskStamp = recovered->mBase;
  }

  // Open before its window is made, so the window finds its document.
  QMdiArea* area = MainClientArea();
  if (!area || !OpenProjects().Insert(std::move(document)))
    return false;
  if (!CreateProjectWindow(area, project))
  {
    OpenProjects().Remove(project);
    return false;
  }
  if (hasFile)
    RememberRecentProject(*project);
  return true;
}
