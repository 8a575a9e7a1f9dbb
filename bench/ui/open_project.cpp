// vantor-bench-open: the desktop program's main window on the offscreen
// platform, opening one project of the current folder the way File > Open
// does (file read, snapshot, project window, calculation) and painting its
// Volumes page; then it quits. Run under /usr/bin/time -v for the peak
// memory of a project open in the program. Without a name it opens nothing,
// which gives the program's own footprint.
//
//   vantor-bench-open [NAME]

#include "ui/open_project.h"
#include "document/open_projects.h"
#include "model/project.h"
#include "storage/settings_store.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/project_sheet.h"
#include "ui/project_tab_volumes.h"
#include "ui/sheet_wnd.h"

#include <QApplication>
#include <QTableView>
#include <clocale>
#include <cstdio>

namespace
{
void Settle()
{
  for (int i = 0; i < 6; ++i)
    QApplication::processEvents();
}
} // namespace

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "C");
  CMemorySettingsStore settings;
  SetSettings(&settings);
  int status = 0;
  {
    CMainFrame frame;
    SetMainFrame(&frame);
    frame.resize(1200, 900);
    frame.show();
    Settle();
    if (argc > 1)
    {
      CProject* project = OpenProject(argv[1], nullptr) ? OpenProjects().Find(argv[1]) : nullptr;
      auto* window = project ? ProjectWindowOf(project) : nullptr;
      auto* sheet = window ? qobject_cast<CVTXSheet*>(window->Sheet()) : nullptr;
      if (!sheet)
      {
        std::fprintf(stderr, "vantor-bench-open: the project \"%s\" did not open\n", argv[1]);
        status = 1;
      }
      else
      {
        sheet->setCurrentWidget(sheet->VolumesPage());
        Settle();
        sheet->VolumesPage()->List()->viewport()->repaint();
        std::printf("opened \"%s\": %zu volumes, snapshot %s\n", argv[1],
                    project->mAreaTable.Count(),
                    project->mSaved
                      ? "held"
                      : "missing");
        window->RequestClose();
        Settle();
      }
    }
    SetMainFrame(nullptr);
  }
  SetSettings(nullptr);
  return status;
}
