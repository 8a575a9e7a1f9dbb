#include "ui/app.h"

#include "document/open_projects.h"
#include "document/shared_lists.h"
#include "model/project.h"
#include "storage/address_book.h"
#include "storage/catalogue.h"
#include "storage/project_file.h"
#include "storage/recent_projects.h"
#include "storage/settings_store.h"
#include "storage/work_folder.h"
#include "ui/paper.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/string_dialog.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QStandardPaths>

namespace
{
QWidget* gMainFrame = nullptr;
QMdiArea* gClientArea = nullptr;
CProjectOpener gOpenProject = nullptr;
CMemorySettingsStore gFallbackSettings;
CSettingsStore* gSettings = &gFallbackSettings;

// "name.ad" must fit a file name of 255 bytes.
constexpr int kLongestProjectName = 255 - 3;
} // namespace

QWidget* MainFrame()
{
  return gMainFrame;
}
QMdiArea* MainClientArea()
{
  return gClientArea;
}

void SetMainWindow(QWidget* frame, QMdiArea* clientArea)
{
  gMainFrame = frame;
  gClientArea = clientArea;
}

void SetProjectOpener(CProjectOpener opener)
{
  gOpenProject = opener;
}

bool OpenProjectCopy(const std::string& name, const CProjectDocument* source)
{
  return gOpenProject && gOpenProject(name, source);
}

CSettingsStore& Settings() { return *gSettings; }
void SetSettings(CSettingsStore* store) { gSettings = store ? store : &gFallbackSettings; }

QPrinter& SharedPrinter()
{
  static QPrinter printer(QPrinter::HighResolution);
  // The paper is the remembered one each time, whatever set it meanwhile.
  const QPageLayout page = DefaultPageLayout(Settings());
  printer.setPageSize(page.pageSize());
  printer.setPageOrientation(page.orientation());
  return printer;
}

std::string DocumentsFolder()
{
  const QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (path.isEmpty() || !QDir().mkpath(path))
    return {};
  return QFile::encodeName(path).toStdString();
}

std::string EnterWorkFolder(CSettingsStore& settings)
{
  return ChooseWorkFolder(settings, DocumentsFolder);
}

namespace
{
std::function<void(const std::string&)>& WorkFolderFollower()
{
  static std::function<void(const std::string&)> follower;
  return follower;
}
} // namespace

bool UseWorkFolder(const std::string& folder)
{
  if (!ChangeWorkFolder(Settings(), folder))
    return false;
  if (WorkFolderFollower())
    WorkFolderFollower()(CurrentFolder());
  return true;
}

void SetWorkFolderFollower(std::function<void(const std::string& folder)> follower)
{
  WorkFolderFollower() = std::move(follower);
}

void LoadSharedLists()
{
  // Missing lists are normal on a first run; they start empty.
  Customers().Load(kCustomerFileName);
  Designers().Load(kDesignerFileName);
}

namespace
{
// Set when the user answered No to replacing a changed file, for the save
// in progress.
bool gReplaceDeclined = false;
} // namespace

bool AskToReplaceChangedFile(const CProject& project)
{
  gReplaceDeclined = !AskYesNo(MainFrame(), kAppTitle,
                               QString("The file of the project \"%1\" was changed by another "
                                       "program since it was opened here.\r\n\r\nDo you want "
                                       "to replace it with this project?")
                                   .arg(ToQt(project.mName)),
                               CPromptIcon::Exclamation);
  return !gReplaceDeclined;
}

bool SaveFromWindow(CProject& project, std::string& error, bool& declined)
{
  gReplaceDeclined = false;
  const bool saved = SaveOpenProject(project, &error);
  declined = !saved && gReplaceDeclined;
  gReplaceDeclined = false;
  return saved;
}

QString NotSavedText(const CProject& project, const std::string& error, bool declined)
{
  const QString name = ToQt(project.mName);
  if (declined)
    return QString("The project \"%1\" was not saved: its file was kept as the other program "
                   "left it.\r\nYour changes are still here; Save As keeps them under another "
                   "name.")
        .arg(name);
  return QString("The project \"%1\" could not be saved.\r\n%2").arg(name, ToQt(error));
}

bool SaveAndSay(QWidget* parent, CProject& project)
{
  std::string error;
  bool declined = false;
  if (!SaveFromWindow(project, error, declined))
  {
    ShowMessage(parent, kAppTitle, NotSavedText(project, error, declined),
                declined ? CPromptIcon::Information : CPromptIcon::Error);
    return false;
  }
  RememberRecentProject(project);
  return true;
}

void RememberRecentProject(const CProject& project)
{
  AddRecentProject(Settings(), project.mPath);
}

bool ValidateProjectName(QWidget* parent, const std::string& name)
{
  switch (CheckProjectName(name, [](std::string_view open) { return OpenProjects().Find(open); }))
  {
  case CProjectNameProblem::None:
    return true;
  case CProjectNameProblem::Empty:
    ShowMessage(parent, kAppTitle,
                "Each project must have a unique name.  Please choose a name for this project.",
                CPromptIcon::Exclamation);
    return false;
  case CProjectNameProblem::Separator:
    ShowMessage(parent, kAppTitle,
                QString("The project name \"%1\" cannot be used: a project name cannot contain "
                        "\"/\" or \"\\\", which would lose the part before it.  Please choose a "
                        "name without them.")
                  .arg(ToQt(name)),
                CPromptIcon::Exclamation);
    return false;
  case CProjectNameProblem::InUse:
    ShowMessage(parent, kAppTitle,
                QString("The project name \"%1\" is already in use.  Each project name must be "
                        "unique.  Please choose a different name for this project.")
                  .arg(ToQt(name)),
                CPromptIcon::Exclamation);
    return false;
  }
  return false;
}

bool AskProjectName(QWidget* parent, const std::string& initial, std::string& name)
{
  CStringDialog dialog(parent);
  dialog.mTitle = "Project Name";
  dialog.mText = initial;
  // A name with a folder part is left as typed, for the check to refuse.
  dialog.mFilter = [](const std::string& text)
  { return HasPathSeparator(text) ? text : NormalizeProjectName(text); };
  dialog.mValidator = [&dialog](const std::string& text)
  { return ValidateProjectName(&dialog, text); };
  dialog.TextField()->setMaxLength(kLongestProjectName);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  name = dialog.mText;
  return true;
}
