// vantor: the desktop program.

#include "ui/about_dialog.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/open_project_file.h"
#include "ui/prompts.h"
#include "ui/qt_settings_store.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <clocale>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  // Qt takes the whole locale from the environment; figures and files must
  // not follow the user's decimal separator, while the project date does
  // follow the user's date format.
  std::setlocale(LC_ALL, "C");
  std::setlocale(LC_TIME, "");
  QApplication::setOrganizationName("Vantor");
  QApplication::setApplicationName(kAppTitle);
  QApplication::setApplicationVersion(VANTOR_VERSION);
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
  EnterWorkFolder(settings);

  CMainFrame frame;
  SetMainFrame(&frame);
  LoadSharedLists(settings);
  frame.show();
  OpenProjectFiles(&frame, files);
  int status = app.exec();
  SetMainFrame(nullptr);
  SetSettings(nullptr);
  return status;
}
