#include "ui/open_project_file.h"

#include "document/open_projects.h"
#include "model/project.h"
#include "storage/catalogue.h"
#include "storage/project_file.h"
#include "storage/recent_projects.h"
#include "storage/work_folder.h"
#include "ui/app.h"
#include "ui/open_project.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/sheet_wnd.h"

#include <QCommandLineParser>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <filesystem>

namespace
{
void Tell(QWidget* parent, const QString& text)
{
  ShowMessage(parent, kAppTitle, text, CPromptIcon::Exclamation);
}

// The open project of that name is brought to the front.
bool ShowOpenProject(CProject* project)
{
  CSheetWnd* window = ProjectWindowOf(project);
  if (window && window->mdiArea())
  {
    window->showNormal();
    window->mdiArea()->setActiveSubWindow(window);
  }
  return true;
}

bool OpenInWorkFolder(const std::string& name)
{
  if (CProject* open = OpenProjects().Find(name))
    return ShowOpenProject(open);
  return OpenProject(name, nullptr);
}

bool CopyIntoWorkFolder(QWidget* parent, const std::string& path, const std::string& name)
{
  if (ProjectFileExists(".", name))
  {
    // The same file copied before (the same attachment opened twice): that
    // copy is the project; a different file of that name is never replaced.
    if (SameFileContents(path, ProjectFileName(name)))
      return OpenInWorkFolder(name);
    Tell(parent, QString("The work folder already holds a different project file named "
                         "\"%1\".  Nothing was copied; rename one of the two files to open both.")
                     .arg(ToQt(ProjectFileName(name))));
    return false;
  }
  std::string error;
  if (!CopyProjectFile(path, ".", name, &error))
  {
    Tell(parent, QString("The project file \"%1\" could not be copied into the work folder: %2.")
                     .arg(PathToQt(path), PathToQt(error)));
    return false;
  }
  return OpenProject(name, nullptr);
}

bool SwitchWorkFolder(QWidget* parent, const std::string& folder, const std::string& name)
{
  if (!UseWorkFolder(folder))
  {
    Tell(parent,
         QString("The folder \"%1\" cannot be used as the work folder.").arg(PathToQt(folder)));
    return false;
  }
  // No project is open: the address lists of the new folder take over, as
  // if the program had started there.
  LoadSharedLists();
  return OpenProject(name, nullptr);
}

bool OpenFromOtherFolder(QWidget* parent, const std::string& path, const std::string& folder,
                         const std::string& name)
{
  if (OpenProjects().Find(name))
  {
    Tell(parent, QString("A project named \"%1\" is already open.  Close it before opening the "
                         "file \"%2\".")
                     .arg(ToQt(name), PathToQt(path)));
    return false;
  }
  // A file that does not read is neither copied nor a reason to change folders.
  CProject scratch;
  scratch.SetName(name);
  scratch.mPath = path;
  std::string error;
  if (!LoadProject(scratch, &error))
  {
    QString text = QString("The project \"%1\" cannot be opened: its file \"%2\" cannot be read.")
                       .arg(ToQt(name), PathToQt(path));
    if (!error.empty())
      text += "\r\n" + ToQt(error);
    Tell(parent, text);
    return false;
  }

  const QString where = QString("The project file \"%1\" is not in the work folder \"%2\".")
                            .arg(PathToQt(path), PathToQt(CurrentFolder()));
  // Open projects keep their files in the work folder by name: it cannot
  // change under them.
  if (!OpenProjects().Empty())
  {
    if (!AskOkCancel(parent, kAppTitle,
                     where + "  Projects are open, so the work folder cannot be changed now."
                             "\r\n\r\nClick \"OK\" to copy the file into the work folder and open "
                             "the copy, or \"Cancel\" to open nothing."))
      return false;
    return CopyIntoWorkFolder(parent, path, name);
  }
  switch (AskYesNoCancel(parent, kAppTitle,
                         where + QString("\r\n\r\nClick \"Yes\" to make \"%1\" the work folder "
                                         "and open the project there, \"No\" to copy the file "
                                         "into the work folder and open the copy, or \"Cancel\" "
                                         "to open nothing.")
                                     .arg(PathToQt(folder))))
  {
  case CPromptAnswer::Yes:
    return SwitchWorkFolder(parent, folder, name);
  case CPromptAnswer::No:
    return CopyIntoWorkFolder(parent, path, name);
  default:
    return false;
  }
}

bool IsProjectFileUrl(const QUrl& url)
{
  return url.isLocalFile() && url.toLocalFile().endsWith(kProjectFileExtension);
}

QStringList DroppedProjectFiles(const QMimeData* data)
{
  QStringList paths;
  if (data && data->hasUrls())
    for (const QUrl& url : data->urls())
      if (IsProjectFileUrl(url))
        paths << url.toLocalFile();
  return paths;
}

class CProjectDropFilter : public QObject
{
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    switch (event->type())
    {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!DroppedProjectFiles(drag->mimeData()).isEmpty())
        drag->acceptProposedAction();
      else
        drag->ignore();
      return true;
    }
    case QEvent::Drop:
    {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths = DroppedProjectFiles(drop->mimeData());
      if (paths.isEmpty())
        return false;
      drop->acceptProposedAction();
      // Opened once the drop is over: the questions asked on the way must
      // not hold the other program's drag.
      QPointer<QWidget> window = qobject_cast<QWidget*>(watched);
      QTimer::singleShot(0, this,
                         [window, paths]
                         {
                           if (window)
                             OpenProjectFiles(window, paths);
                         });
      return true;
    }
    default:
      return false;
    }
  }
};
} // namespace

bool OpenProjectFile(QWidget* parent, const std::string& path)
{
  std::string folder, name;
  if (!SplitProjectPath(path, folder, name))
  {
    Tell(parent, QString("\"%1\" is not a project file.  Project files are named \"name%2\".")
                     .arg(PathToQt(path), kProjectFileExtension));
    return false;
  }
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
  {
    Tell(parent, QString("The project file \"%1\" cannot be found.").arg(PathToQt(path)));
    return false;
  }
  if (SameFolder(folder, CurrentFolder()))
    return OpenInWorkFolder(name);
  return OpenFromOtherFolder(parent, path, folder, name);
}

void OpenProjectFiles(QWidget* parent, const QStringList& paths)
{
  for (const QString& path : paths)
    OpenProjectFile(parent, PathFromQt(path));
}

QStringList ProjectFilesOnCommandLine(const QStringList& arguments)
{
  QCommandLineParser parser;
  parser.setApplicationDescription(kAppTitle);
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("files", "Project files (name.ad) to open.", "[FILE.ad...]");
  parser.process(arguments);
  QStringList paths;
  for (const QString& argument : parser.positionalArguments())
  {
    // Some file managers hand over URLs rather than paths.
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    paths << QFileInfo(path).absoluteFilePath();
  }
  return paths;
}

void AcceptProjectDrops(QWidget* window)
{
  window->setAcceptDrops(true);
  window->installEventFilter(new CProjectDropFilter(window));
}

bool OpenRecentProject(QWidget* parent, const std::string& path)
{
  std::error_code ec;
  if (!std::filesystem::exists(path, ec))
  {
    RemoveRecentProject(Settings(), path);
    Tell(parent, QString("The project file \"%1\" no longer exists.  It has been removed from the "
                         "list of recent projects.")
                     .arg(PathToQt(path)));
    return false;
  }
  return OpenProjectFile(parent, path);
}
