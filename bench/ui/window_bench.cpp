// The windows a user waits for on a large project, driven through the real
// widgets on the offscreen platform: the Volumes page refresh of 10,000
// volumes, one edit in a 10,000-volume project until every open window has
// caught up, a report window scrolled and repainted with 1,000 volumes, and
// the Open Project dialog over a folder of 1,000 project files.

#include "bench/bench_files.h"
#include "bench/paired_timer.h"
#include "bench/project_generator.h"
#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "storage/settings_store.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/open_project.h"
#include "ui/project_sheet.h"
#include "ui/project_tab_volumes.h"
#include "ui/report_window.h"
#include "ui/report_wnd.h"
#include "ui/select_project_dialog.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_list_model.h"
#include "ui/volume_window.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <memory>
#include <vector>

namespace
{
// Lets queued refreshes, layouts and paints run.
void Settle()
{
  for (int i = 0; i < 6; ++i)
    QApplication::processEvents();
}

// The main window with projects opened from files in a scratch work folder,
// the way File > Open opens them.
class CShell
{
public:
  CShell()
  {
    std::filesystem::current_path(mFolder.Path());
    SetSettings(&mSettings);
    SetMainFrame(&mFrame);
    mFrame.resize(1200, 900);
    mFrame.show();
    Settle();
  }
  ~CShell()
  {
    // The projects go without questions: the benchmarks' edits count as
    // saved, so no save question waits for an answer.
    while (!OpenProjects().Empty())
    {
      CProject* project = OpenProjects().Get(0);
      project->TakeSnapshot();
      if (auto* window = ProjectWindowOf(project))
        window->RequestClose();
      else
        OpenProjects().Remove(project);
      Settle();
    }
    SetMainFrame(nullptr);
    SetSettings(nullptr);
  }

  // Google Benchmark may run a benchmark function more than once: a project
  // opened by an earlier run is taken as it is.
  CProject* Open(const std::string& name, std::size_t volumes, std::size_t openings)
  {
    if (CProject* open = OpenProjects().Find(name))
      return open;
    if (WriteGeneratedProject(".", name, volumes, openings).empty() || !OpenProject(name, nullptr))
      return nullptr;
    Settle();
    return OpenProjects().Find(name);
  }

  static CVTXSheet* Sheet(const CProject* project)
  {
    auto* window = ProjectWindowOf(project);
    return window ? qobject_cast<CVTXSheet*>(window->Sheet()) : nullptr;
  }

  const std::string& Folder() const { return mFolder.Path(); }

private:
  bench::CScratchFolder mFolder;
  CMemorySettingsStore mSettings;
  CMainFrame mFrame;
};

// Made on first use and closed by main while the application still runs.
std::unique_ptr<CShell> gShell;

CShell& Shell()
{
  if (!gShell)
    gShell = std::make_unique<CShell>();
  return *gShell;
}

// The Volumes page of an open 10,000-volume project: the refresh an edit
// sends (one model reset), the view's layout and the synchronous repaint of
// its rows; against repainting the same rows without the refresh.
void BM_VolumesPageRefresh(benchmark::State& state)
{
  CProject* project = Shell().Open("Volumes", 10000, 20);
  CVTXSheet* sheet = project ? CShell::Sheet(project) : nullptr;
  if (!sheet)
  {
    state.SkipWithError("the project did not open");
    return;
  }
  sheet->setCurrentWidget(sheet->VolumesPage());
  Settle();
  CVTXPageArea* page = sheet->VolumesPage();
  QTableView* list = page->List();
  // A row in the middle is selected, as after a click.
  list->selectRow(5000);
  Settle();
  bench::RunPaired(
    state, {0, 50}, [&] { list->viewport()->repaint(); },
    [&]
    {
      page->Refresh();
      list->doItemsLayout();
      list->viewport()->repaint();
    });
  state.counters["rows"] = page->Model()->rowCount();
}
BENCHMARK(BM_VolumesPageRefresh)->UseManualTime()->Unit(benchmark::kMillisecond);

// Counts the paint events of the widgets inside each of a few windows.
class CPaintWatch : public QObject
{
public:
  explicit CPaintWatch(std::vector<QWidget*> windows)
    : mWindows(std::move(windows)), mPainted(mWindows.size(), false)
  {
    qApp->installEventFilter(this);
  }
  ~CPaintWatch() override { qApp->removeEventFilter(this); }

  void Reset() { std::fill(mPainted.begin(), mPainted.end(), false); }
  bool AllPainted() const
  {
    return std::all_of(mPainted.begin(), mPainted.end(), [](bool p) { return p; });
  }

  bool eventFilter(QObject* object, QEvent* event) override
  {
    if (event->type() == QEvent::Paint && object->isWidgetType())
      for (std::size_t i = 0; i < mWindows.size(); ++i)
        if (mWindows[i]->isAncestorOf(static_cast<QWidget*>(object)))
          mPainted[i] = true;
    return false;
  }

private:
  std::vector<QWidget*> mWindows;
  std::vector<bool> mPainted;
};

// One edit of a volume's height in an open 10,000-volume project, from the
// document's edit call until every open window has refreshed: the project
// window on its Volumes page, the volume's own window and the report
// window, tiled so that each is in sight, their queued refreshes and paints
// processed until each has painted. Against a bare RecalculateProject of
// the same project, which tells no window. With the argument 0 the report
// window is closed: what the other two windows take (informative).
void BM_EditToRefresh(benchmark::State& state)
{
  const bool withReport = state.range(0) != 0;
  CProject* project = Shell().Open("Edit", 10000, 20);
  CProjectDocument* document = project ? OpenProjects().Document(project) : nullptr;
  CVTXSheet* sheet = project ? CShell::Sheet(project) : nullptr;
  if (!document || !sheet)
  {
    state.SkipWithError("the project did not open");
    return;
  }
  sheet->setCurrentWidget(sheet->VolumesPage());
  CArea* volume = project->mAreaTable.Get(5000);
  OpenVolumeWindow(volume);
  if (withReport && !ReportWindowOf(project))
    OpenReportWindow(project);
  else if (!withReport)
    CloseReportWindow(project);
  Settle();
  CSheetWnd* projectWindow = ProjectWindowOf(project);
  CSheetWnd* volumeWindow = VolumeWindowOf(volume);
  CReportWnd* reportWindow = ReportWindowOf(project);
  if (!projectWindow || !volumeWindow || (withReport && !reportWindow))
  {
    state.SkipWithError("the windows did not open");
    return;
  }
  std::vector<QWidget*> windows{projectWindow, volumeWindow};
  if (reportWindow)
    windows.push_back(reportWindow);
  for (QMdiSubWindow* window : projectWindow->mdiArea()->subWindowList())
    if (std::find(windows.begin(), windows.end(), window) == windows.end())
      window->showMinimized();
  projectWindow->mdiArea()->tileSubWindows();
  Settle();
  CPaintWatch watch(windows);
  int rounds = 0;
  bench::RunPaired(
      state, {0, withReport ? 16.0 : 0.0}, [&] { watch.Reset(); },
      [&]
      {
        // The calculation alone: the windows are not told of it.
        auto told = std::move(project->mRecalculated);
        project->mRecalculated = nullptr;
        project->RecalculateProject();
        project->mRecalculated = std::move(told);
      },
      [&]
      {
        document->Apply(
            edit::SetVolumeSize{volume->Id(), 0, 0, volume->mHeight == 3.0 ? 3.5 : 3.0});
        rounds = 0;
        while (!watch.AllPainted() && rounds++ < 100)
          QApplication::processEvents();
      });
  if (!watch.AllPainted())
    state.SkipWithError("a window did not refresh");
  state.counters["event_rounds"] = rounds;
}
// At least a few edits even when each takes long.
BENCHMARK(BM_EditToRefresh)->Arg(1)->Arg(0)->MinTime(3.0)->UseManualTime()->Unit(benchmark::kMillisecond);

// The report window of a project: scrolled on by one page (back to the top
// at the end), then repainted at once, as the user sees it after a click in
// the scroll bar. The same window of a 10-volume project is the baseline.
void BM_ReportWindowScroll(benchmark::State& state)
{
  CProject* large = Shell().Open("Report", static_cast<std::size_t>(state.range(0)), 20);
  CProject* small = Shell().Open("Small", 10, 20);
  if (!large || !small)
  {
    state.SkipWithError("the projects did not open");
    return;
  }
  for (CProject* project : {small, large})
    if (!ReportWindowOf(project))
    {
      OpenReportWindow(project);
      Settle();
    }
  auto* smallWindow = ReportWindowOf(small);
  auto* largeWindow = ReportWindowOf(large);
  if (!smallWindow || !largeWindow)
  {
    state.SkipWithError("the report windows did not open");
    return;
  }
  auto scroll = [](CReportView* view)
  {
    QScrollBar* bar = view->verticalScrollBar();
    const int next = bar->value() + bar->pageStep();
    bar->setValue(next > bar->maximum() ? 0 : next);
    view->viewport()->repaint();
  };
  bench::RunPaired(
    state, {0, 50}, [&] { scroll(smallWindow->View()); }, [&] { scroll(largeWindow->View()); });
  state.counters["report_px"] = largeWindow->View()->verticalScrollBar()->maximum();
  state.counters["client_px"] = largeWindow->View()->viewport()->height();
}
BENCHMARK(BM_ReportWindowScroll)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same window after an edit made behind the document's back (a volume
// changed, then a bare calculation): no notice names the volume, so the
// content keys find it and only its section and the project part are
// measured again before the paint. Informative: no figure.
void BM_ReportWindowAfterEdit(benchmark::State& state)
{
  CProject* large = Shell().Open("Report", static_cast<std::size_t>(state.range(0)), 20);
  CProject* small = Shell().Open("Small", 10, 20);
  if (!large || !small)
  {
    state.SkipWithError("the projects did not open");
    return;
  }
  for (CProject* project : {small, large})
    if (!ReportWindowOf(project))
    {
      OpenReportWindow(project);
      Settle();
    }
  auto* smallWindow = ReportWindowOf(small);
  auto* largeWindow = ReportWindowOf(large);
  if (!smallWindow || !largeWindow)
  {
    state.SkipWithError("the report windows did not open");
    return;
  }
  auto edit = [](CProject* project, CReportView* view)
  {
    CArea* area = project->mAreaTable.Get(0);
    area->SetHeight(area->mHeight == 3.0 ? 3.5 : 3.0);
    project->RecalculateProject();
    view->viewport()->repaint();
  };
  bench::RunPaired(
    state, {0, 0}, [&] { edit(small, smallWindow->View()); },
    [&] { edit(large, largeWindow->View()); });
}
BENCHMARK(BM_ReportWindowAfterEdit)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// File > Open: the dialog is made, lists the work folder's 1,000 project
// files and is painted; against reading every file's bytes.
void BM_OpenProjectDialog(benchmark::State& state)
{
  CShell& shell = Shell();
  const std::string folder = shell.Folder() + "/folder";
  static const std::size_t files = GenerateProjectFolder(folder, 1000).size();
  if (files != 1000)
  {
    state.SkipWithError("the project folder could not be written");
    return;
  }
  const std::filesystem::path work = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  int rows = 0;
  std::unique_ptr<CSelectProjectDialog> dialog;
  bench::RunPaired(
    state, {0, 500}, [&] { dialog.reset(); },
    [&]
    {
      for (const auto& entry : std::filesystem::directory_iterator("."))
        benchmark::DoNotOptimize(bench::ReadWholeFile(entry.path().string()));
    },
    [&]
    {
      dialog = std::make_unique<CSelectProjectDialog>(MainFrame());
      dialog->show();
      dialog->List()->viewport()->repaint();
      rows = dialog->List()->topLevelItemCount();
    });
  dialog.reset();
  std::filesystem::current_path(work);
  state.counters["files"] = rows;
}
BENCHMARK(BM_OpenProjectDialog)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "C");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  gShell.reset();
  benchmark::Shutdown();
  return 0;
}
