// vantor: the desktop program.

#include "storage/recovery_store.h"
#include "ui/about_dialog.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/open_project_file.h"
#include "ui/prompts.h"
#include "ui/qt_settings_store.h"
#include "ui/recovery_keeper.h"
#include "ui/recovery_offer.h"
#include "ui/single_instance.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <chrono>
#include <clocale>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace
{
void NameTheProgram()
{
  QCoreApplication::setOrganizationName("Vantor");
  QCoreApplication::setApplicationName(kAppTitle);
  QCoreApplication::setApplicationVersion(VANTOR_VERSION);
}

// --help or --version among the options (before a "--").
bool AsksForHelpOrVersion(int argc, char** argv)
{
  for (int i = 1; i < argc; ++i)
  {
    const std::string_view arg = argv[i];
    if (arg == "--")
      return false;
    if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version")
      return true;
  }
  return false;
}

// Shows the main window over the others, as a second start expects.
void BringToFront(QWidget* window)
{
  if (window->isMinimized())
    window->showNormal();
  window->raise();
  window->activateWindow();
}
} // namespace

int main(int argc, char** argv)
{
  // The help and the version are printed without the window system, so
  // that they work where there is no display.
  if (AsksForHelpOrVersion(argc, argv))
  {
    QCoreApplication core(argc, argv);
    NameTheProgram();
    ProjectFilesOnCommandLine(QCoreApplication::arguments()); // prints and ends the program
    return 0;
  }

  QApplication app(argc, argv);
  // Qt takes the whole locale from the environment; figures and files must
  // not follow the user's decimal separator, while the project date does
  // follow the user's date format.
  std::setlocale(LC_ALL, "C");
  std::setlocale(LC_TIME, "");
  NameTheProgram();
  // Ties the windows to the installed desktop entry (vantor.desktop), whose
  // icon and name the desktop shows for them.
  QGuiApplication::setDesktopFileName("vantor");
  const QImage icon = ProgramIcon();
  if (!icon.isNull())
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));

  // Files named on the command line (as the desktop passes them) are taken
  // against the folder the program was started in, before the work folder
  // becomes current.
  const QStringList files = ProjectFilesOnCommandLine(QApplication::arguments());

  // The settings store, then the work folder: every later file name of the
  // program is relative to it.
  CQtSettingsStore settings;
  SetSettings(&settings);
  const std::string workFolder = EnterWorkFolder(settings);

  // One program per user and work folder: a later start hands its files to
  // this one and ends. Files handed over before this program has opened its
  // own wait for them.
  CMainFrame* shown = nullptr;
  QStringList waiting;
  CSingleInstance instance(SingleInstanceName(workFolder),
                           [&shown, &waiting](const QStringList& more)
                           {
                             if (!shown)
                             {
                               waiting << more;
                               return;
                             }
                             BringToFront(shown);
                             OpenProjectFiles(shown, more);
                           });
  if (instance.Start(files) == CSingleInstance::EStart::HandedOver)
    return 0;
  SetWorkFolderFollower([&instance](const std::string& folder)
                        { instance.Move(SingleInstanceName(folder)); });

  CMainFrame frame;
  SetMainFrame(&frame);
  LoadSharedLists();
  frame.show();

  // Recovery copies of projects with unsaved changes, in the user's state
  // folder; the copies a crashed run left are offered first.
  CRecoveryStore recovery(DefaultRecoveryFolder());
  std::unique_ptr<CRecoveryKeeper> keeper;
  std::string why;
  if (recovery.Open(&why))
  {
    keeper = std::make_unique<CRecoveryKeeper>(recovery, std::chrono::minutes(1));
    SetRecoveryKeeper(keeper.get());
    OfferRecoveryCopies(&frame, recovery);
  }
  else
    qWarning("No recovery copies are kept: %s", why.c_str());

  OpenProjectFiles(&frame, files);
  shown = &frame;
  if (!waiting.isEmpty())
    OpenProjectFiles(&frame, std::exchange(waiting, {}));
  int status = app.exec();
  SetWorkFolderFollower(nullptr);
  SetRecoveryKeeper(nullptr);
  SetMainFrame(nullptr);
  SetSettings(nullptr);
  return status;
}
