// The report window, the Qt drawing surface and printing to PDF.

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "report/graphic_report.h"
#include "storage/settings_store.h"
#include "tests/ui/fake_prompts.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/when_dialog_opens.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/paper.h"
#include "ui/qt_surface.h"
#include "ui/report_print_dialog.h"
#include "ui/report_window.h"
#include "ui/report_wnd.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace
{
// A main window and projects built in memory, in a scratch current folder.
class ReportWindowTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_NO_FATAL_FAILURE(mFolder.Enter());
    SetSettings(&mSettings);
    SetMainFrame(&mFrame);
    mFrame.resize(1200, 900);
    mFrame.show();
  }

  void TearDown() override
  {
    for (CProject* project : mProjects)
      CloseReportWindow(project);
    Settle();
    for (CProject* project : mProjects)
      OpenProjects().Remove(project);
    mProjects.clear();
    SetMainFrame(nullptr);
    SetSettings(nullptr);
    mFolder.Leave();
  }

  CProject* Open(const std::string& name)
  {
    auto document = std::make_unique<CProjectDocument>();
    CProject* project = &document->Project();
    project->SetName(name);
    EXPECT_TRUE(OpenProjects().Insert(std::move(document)));
    mProjects.push_back(project);
    project->mDistributor.Clear();
    return project;
  }

  // Closes the project the way its window does: report window first.
  void CloseProject(CProject* project)
  {
    CloseReportWindow(project);
    for (auto it = mProjects.begin(); it != mProjects.end(); ++it)
      if (*it == project)
      {
        mProjects.erase(it);
        OpenProjects().Remove(project);
        break;
      }
  }

  CArea* AddVolume(CProject* project, const char* name, int hazard, double length, double width,
                   double height)
  {
    return AddCalculatedVolume(*project, name, hazard, length, width, height);
  }

  // Opens the project's report window, resized where a size is given, and
  // gives its view.
  static CReportView* OpenView(CProject* project, QSize size = {})
  {
    OpenReportWindow(project);
    Settle();
    if (size.isValid())
    {
      ReportWindow(project)->resize(size);
      Settle();
    }
    return ReportWindow(project)->View();
  }
  static CReportWnd* ReportWindow(const CProject* project)
  {
    return ReportWindowOf(project);
  }

  int ReportWindowCount() const
  {
    int n = 0;
    for (QMdiSubWindow* w : mFrame.MdiArea()->subWindowList())
      n += qobject_cast<CReportWnd*>(w) ? 1 : 0;
    return n;
  }

  // A project whose report runs over several printed pages.
  CProject* LongProject()
  {
    CProject* project = Open("Long");
    for (int i = 0; i < 40; ++i)
      AddVolume(project, ("Room " + std::to_string(100 + i)).c_str(), 0, 10, 8, 3);
    project->mIncludeNotes = true;
    for (int i = 0; i < 30; ++i)
      project->mNotes += "Line " + std::to_string(i) + " of the project notes, long enough to wrap "
                         "at the right edge of the page at least once.\n";
    return project;
  }

  // The whole report drawn afresh where the view is scrolled to, in the
  // view's size: what the view must show there.
  static QImage WholeReportPicture(CReportView* view, const CProject& project)
  {
    const QSize size = view->viewport()->size();
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(view->viewport()->logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(view->viewport()->logicalDpiY() / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    CQtReportSurface surface(painter, &image);
    surface.Prepare();
    const int left = -view->horizontalScrollBar()->value();
    DrawWindowReport(
        surface, {left, -view->verticalScrollBar()->value(), left + 8 * surface.PixelsPerInchX()},
        project, true);
    return image;
  }

  static int PdfPages(const QString& path)
  {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
      return -1;
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page ") + bytes.count("/Type /Page>"));
  }

  // The paper of a PDF file in points, "612x792" for Letter upright.
  static std::string PdfPaper(const QString& path)
  {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
      return {};
    const QByteArray bytes = file.readAll();
    const qsizetype box = bytes.indexOf("/MediaBox [0 0 ");
    if (box < 0)
      return {};
    const QList<QByteArray> numbers =
        bytes.mid(box + 15, 40).split(']').front().simplified().split(' ');
    if (numbers.size() != 2)
      return {};
    return std::to_string(qRound(numbers[0].toDouble())) + "x" +
           std::to_string(qRound(numbers[1].toDouble()));
  }

  CScratchCurrentFolder mFolder;
  CMemorySettingsStore mSettings;
  CFakePrompts mPrompts;
  CMainFrame mFrame;
  std::vector<CProject*> mProjects; // open, in OpenProjects()
};
} // namespace

TEST_F(ReportWindowTest, OneWindowPerProjectClosedWithItsProject)
{
  CProject* project = Open("Plant");
  ASSERT_NE(project, nullptr);
  OpenReportWindow(project);
  Settle();
  CReportWnd* first = ReportWindow(project);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->windowTitle(), "Plant \u2013 Report");
  EXPECT_EQ(mFrame.MdiArea()->activeSubWindow(), first);

  // Pressed again: the old window goes, the new one is the project's.
  OpenReportWindow(project);
  Settle();
  CReportWnd* second = ReportWindow(project);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(ReportWindowCount(), 1);

  // The user closing it forgets it.
  second->close();
  Settle();
  EXPECT_EQ(ReportWindowOf(project), nullptr);
  EXPECT_EQ(ReportWindowCount(), 0);

  // Closing the project closes its report window, which then never
  // touches the project again.
  OpenReportWindow(project);
  Settle();
  ASSERT_EQ(ReportWindowCount(), 1);
  CloseProject(project);
  Settle();
  EXPECT_EQ(ReportWindowCount(), 0);
}

TEST_F(ReportWindowTest, OpensWhollyInsideTheClientArea)
{
  // Other child windows push the place of a new child to the right and
  // down; the report window is moved back so that none of it is cut off.
  QMdiArea* area = mFrame.MdiArea();
  for (int i = 0; i < 3; ++i)
  {
    auto* other = area->addSubWindow(new QWidget);
    other->resize(600, 330);
    other->move(100 * i, 50 * i);
    other->show();
  }
  CProject* project = Open("Plant");
  OpenReportWindow(project);
  Settle();
  CReportWnd* window = ReportWindow(project);
  ASSERT_NE(window, nullptr);
  const QRect view(QPoint(0, 0), area->viewport()->size());
  EXPECT_TRUE(view.contains(window->geometry())) << window->geometry().x() << ","
                                                 << window->geometry().y();
  for (QMdiSubWindow* other : area->subWindowList())
    if (other != window)
      delete other;
}

TEST_F(ReportWindowTest, ScrollBarsOnlyWhenTheReportIsLarger)
{
  CProject* project = Open("Plant");
  project->mCustomer.mName = "Customer";
  OpenReportWindow(project);
  Settle();
  CReportWnd* window = ReportWindow(project);
  ASSERT_NE(window, nullptr);
  CReportView* view = window->View();
  const CReportSize size = view->ReportSize();
  EXPECT_EQ(size.mWidth, 8 * view->logicalDpiX());

  window->resize(size.mWidth + 200, size.mHeight + 200);
  Settle();
  view->Render();
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);

  window->resize(size.mWidth / 2, size.mHeight / 2);
  Settle();
  view->Render();
  const QSize client = view->viewport()->size();
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), size.mWidth - client.width());
  EXPECT_EQ(view->verticalScrollBar()->maximum(), size.mHeight - client.height());
  EXPECT_EQ(view->horizontalScrollBar()->pageStep(), client.width());
}

TEST_F(ReportWindowTest, PaintingShowsTheCurrentFiguresAndScrolls)
{
  CProject* project = Open("Plant");
  CArea* area = AddVolume(project, "Hall", 0, 10, 8, 3);
  area->mFlags |= AF_EXCESS_HEIGHT; // drawn red
  CReportView* view = OpenView(project, {500, 300});
  const QImage top = view->Render();
  auto hasColour = [](const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
          return true;
    return false;
  };
  EXPECT_EQ(top.pixel(top.width() - 1, top.height() - 1) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_TRUE(hasColour(top, qRgb(255, 0, 0)));
  // Scrolled down a page, the picture changes.
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->pageStep());
  EXPECT_NE(view->Render(), top);
}

TEST_F(ReportWindowTest, APaintShowsWhatTheWholeReportDrawsThereAfterEveryEdit)
{
  // The window draws only the parts it shows, where a layout measured
  // earlier puts them; the picture must be the one a full drawing of the
  // report gives, also after edits that move every later part.
  CProject* project = LongProject();
  CArea* noted = project->mAreaTable.Get(3);
  noted->SetNotes("Cable trays along the east wall; raised floor of 600 mm.");
  noted->SetIncludeNotes(true);
  project->mAreaTable.Get(5)->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 4, 3, 0.5);
  project->RecalculateProject();
  CReportView* view = OpenView(project, {700, 400});

  auto whole = [&] { return WholeReportPicture(view, *project); };
  auto expectSame = [&](const char* when) {
    QScrollBar* bar = view->verticalScrollBar();
    for (int value : {0, bar->maximum() / 7, bar->maximum() / 3, bar->maximum()})
    {
      bar->setValue(value);
      const QImage shown = view->Render();
      EXPECT_TRUE(shown == whole()) << when << ", scrolled to " << value;
    }
  };
  expectSame("as opened");
  project->mAreaTable.Get(1)->mVentTable.Add(VENT_FLOOR, SHAPE_CIRCULAR, 1, 0, 0);
  project->RecalculateProject();
  expectSame("after an opening was added");
  noted->SetNotes(noted->mNotes + " Second sentence, long enough to wrap onto a new line.");
  expectSame("after the notes grew");
  project->mAreaTable.RemoveByName("Room 100");
  expectSame("after a volume went");
}

TEST_F(ReportWindowTest, NotesBandsTogetherHoldTheWholeText)
{
  QImage image(600, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  CQtReportSurface surface(painter, &image);
  surface.Prepare();
  const std::string notes = "First paragraph with several words that wrap around.\n\n"
                            "Second paragraph after an empty line, also long enough to wrap.";
  const int step = surface.LineHeight();
  const CNotesBand all = surface.LayoutNotes(notes, 0, 10, 0, 210, -1, false);
  EXPECT_EQ(all.mNext, notes.size());
  const int lines = all.mBottom / step;
  EXPECT_GT(lines, 5);
  // A band of three lines stops at the start of the fourth line.
  const CNotesBand band = surface.LayoutNotes(notes, 0, 10, 0, 210, 3 * step + step / 2, true);
  EXPECT_EQ(band.mBottom, 3 * step);
  ASSERT_GT(band.mNext, 0u);
  ASSERT_LT(band.mNext, notes.size());
  EXPECT_NE(notes[band.mNext], ' ');
  const CNotesBand rest = surface.LayoutNotes(notes, band.mNext, 10, 0, 210, -1, false);
  EXPECT_EQ(rest.mNext, notes.size());
  EXPECT_EQ(rest.mBottom / step + 3, lines);
}

TEST_F(ReportWindowTest, PrintingToPdfWritesEveryPage)
{
  CProject* project = LongProject();
  const QString path = QDir::current().absoluteFilePath("long.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  ASSERT_TRUE(PrintReportTo(printer, *project));
  EXPECT_GE(PdfPages(path), 3);

  // A file that cannot be written is reported as a failure.
  printer.setOutputFileName(QDir::current().absoluteFilePath("no/such/folder/x.pdf"));
  EXPECT_FALSE(PrintReportTo(printer, *project));
}

TEST_F(ReportWindowTest, PrintFlowCancelPrintsNothingAndPdfChoiceWrites)
{
  CProject* project = Open("Plant");
  WhenDialogOpens<CReportPrintDialog>([](CReportPrintDialog* d) { d->reject(); });
  PrintReportFlow(&mFrame, project);
  Settle();
  EXPECT_FALSE(QFile::exists("Plant.pdf"));

  const QString path = QDir::current().absoluteFilePath("chosen");
  WhenDialogOpens<CReportPrintDialog>(
    [path](CReportPrintDialog* d)
    {
      d->Destination()->setCurrentText(CReportPrintDialog::PdfEntry());
      d->FileField()->setText(path);
      // The whole path is seen; paper and orientation are chosen here.
      EXPECT_GE(d->FileField()->width(), d->FileField()->fontMetrics().horizontalAdvance(path));
      d->PaperList()->setCurrentText("A4");
      d->OrientationList()->setCurrentText("Landscape");
      d->accept();
    });
  PrintReportFlow(&mFrame, project);
  Settle();
  EXPECT_EQ(PdfPages(path + ".pdf"), 1);
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
  const QPageLayout layout = SharedPrinter().pageLayout();
  EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
  SharedPrinter().setPageSize(QPageSize(QPageSize::Letter));
  SharedPrinter().setPageOrientation(QPageLayout::Portrait);
}

TEST_F(ReportWindowTest, ThePaperChosenForPrintingIsTheDefaultFromThenOn)
{
  CProject* project = Open("Plant");
  struct CRestore
  {
    CPdfPathPicker mPrevious = SetPdfPathPicker(
        [](QWidget*, const QString&) { return QDir::current().absoluteFilePath("Plant.pdf"); });
    ~CRestore() { SetPdfPathPicker(mPrevious); }
  } restore;
  const QString path = QDir::current().absoluteFilePath("Plant.pdf");
  const std::string localePaper = LocalePaper() == QPageSize::Letter ? "612x792" : "595x842";
  // Nothing chosen yet: the locale's paper, upright, for printing and PDF files.
  {
    CReportPrintDialog dialog(SharedPrinter(), path);
    EXPECT_EQ(dialog.PaperList()->currentText(), QPageSize::name(LocalePaper()));
    EXPECT_EQ(dialog.OrientationList()->currentText(), "Portrait");
  }
  ExportPdfFlow(&mFrame, project);
  EXPECT_EQ(PdfPaper(path), localePaper);

  // Chosen in Print Report, printed or not: a new dialog, the printer and
  // Export PDF take it.
  mPrompts.mAnswers = {CPromptAnswer::Yes}; // replace the PDF file
  {
    CReportPrintDialog dialog(SharedPrinter(), path);
    dialog.Destination()->setCurrentText(CReportPrintDialog::PdfEntry());
    dialog.PaperList()->setCurrentText("A5");
    dialog.OrientationList()->setCurrentText("Landscape");
    dialog.accept();
  }
  CReportPrintDialog again(SharedPrinter(), path);
  EXPECT_EQ(again.PaperList()->currentText(), "A5");
  EXPECT_EQ(again.OrientationList()->currentText(), "Landscape");
  ExportPdfFlow(&mFrame, project);
  EXPECT_EQ(PdfPaper(path), "595x420");
}

TEST_F(ReportWindowTest, ExportPdfOffersTheProjectNameAsksBeforeReplacingAndSaysWhere)
{
  CProject* project = Open("Plant");
  static QString offered;
  static QString answer;
  struct CRestore
  {
    CPdfPathPicker mPrevious = SetPdfPathPicker([](QWidget*, const QString& suggested) {
      offered = suggested;
      return answer;
    });
    ~CRestore() { SetPdfPathPicker(mPrevious); }
  } restore;
  const QString path = QDir::current().absoluteFilePath("Plant.pdf");

  answer.clear(); // cancelled
  ExportPdfFlow(&mFrame, project);
  EXPECT_EQ(offered, path);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());

  answer = QDir::current().absoluteFilePath("Plant");
  ExportPdfFlow(&mFrame, project);
  EXPECT_EQ(PdfPages(path), 1);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mTexts[0], "The report was written to \"" + path + "\".");

  // Replacing is asked about; No keeps the old file.
  QFile(path).resize(10);
  ExportPdfFlow(&mFrame, project);
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_TRUE(mPrompts.mTexts[1].contains("already exists"));
  EXPECT_EQ(QFileInfo(path).size(), 10);
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  ExportPdfFlow(&mFrame, project);
  EXPECT_EQ(PdfPages(path), 1);
}

TEST_F(ReportWindowTest, RepaintsAfterEveryCalculationOfItsProject)
{
  CProject* project = Open("Plant");
  CArea* hall = AddVolume(project, "Hall", 0, 10, 8, 3);
  CReportView* view = OpenView(project);
  const QImage before = view->Render();

  // Counts the paints the window's own queue delivers, nothing forced.
  struct CPaintCounter : QObject
  {
    int mPaints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
      mPaints += event->type() == QEvent::Paint ? 1 : 0;
      return false;
    }
  } counter;
  view->viewport()->installEventFilter(&counter);
  hall->SetHeight(4.5);
  project->RecalculateProject();
  Settle();
  EXPECT_GT(counter.mPaints, 0);
  EXPECT_NE(view->Render(), before); // the new height and figures are drawn
  view->viewport()->removeEventFilter(&counter);

  // A window that is gone is told nothing more.
  CloseReportWindow(project);
  Settle();
  hall->SetHeight(5);
  project->RecalculateProject();
  Settle();
  EXPECT_EQ(ReportWindowOf(project), nullptr);
}

TEST_F(ReportWindowTest, AfterEachEditUndoAndRedoThePaintShowsWhatAFreshDrawingShows)
{
  // The document's notice of an edit tells the window which parts to
  // measure again; the first paint after it must show what the whole
  // report drawn afresh shows, with the scroll range of its new height.
  CProject* project = LongProject();
  CProjectDocument* document = OpenProjects().Document(project);
  CReportView* view = OpenView(project, {700, 400});
  CArea* room = project->mAreaTable.Get(2);
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"height",
       [&] {
         document->Apply(edit::SetVolumeSize{room->Id(), 10, 8, 7.5});
       }},
      {"opening",
       [&] {
         document->Apply(edit::AddOpening{room->Id(), {VENT_CEILING, SHAPE_RECTANGULAR, 2, 1, 1}});
       }},
      {"device count",
       [&] {
         document->Apply(edit::SetDeviceCount{room->Id(), 1, 40});
       }},
      {"notes",
       [&]
       {
         document->Apply(edit::SetVolumeNotes{
             room->Id(), std::string(40, 'n') + " notes that wrap " + std::string(80, 'w')});
       }},
      {"notes shown",
       [&] {
         document->Apply(edit::SetIncludeVolumeNotes{room->Id(), true});
       }},
      {"project reference", [&] { document->Apply(edit::SetProjectReference{"Ref 7"}); }},
      {"units", [&] { document->Apply(edit::SetUnits{UNITS_IMPERIAL}); }},
      {"undo units", [&] { document->Undo(); }},
      {"undo project reference", [&] { document->Undo(); }},
      {"undo notes shown", [&] { document->Undo(); }},
      {"redo notes shown", [&] { document->Redo(); }},
      {"volume deleted", [&]
       { document->Apply(edit::DeleteVolumes{{VolumeIdOf(document->Project(), "Room 101")}}); }},
      {"undo volume deleted", [&] { document->Undo(); }},
  };
  QScrollBar* bar = view->verticalScrollBar();
  int step = 0;
  for (const auto& [what, edit] : edits)
  {
    // Scrolled to the top, to the room's section or further down.
    const int at = std::array{0, 800, bar->maximum() / 2}[step++ % 3];
    bar->setValue(std::min(at, bar->maximum()));
    Settle();
    edit();
    const QImage shown = view->Render();
    EXPECT_TRUE(shown == WholeReportPicture(view, *project)) << what;
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(qRound(view->viewport()->logicalDpiX() / 0.0254));
    probe.setDotsPerMeterY(qRound(view->viewport()->logicalDpiY() / 0.0254));
    QPainter painter(&probe);
    CQtReportSurface surface(painter, &probe);
    const int height =
        DrawWindowReport(surface, {0, 0, 8 * surface.PixelsPerInchX()}, *project, false).mHeight;
    EXPECT_EQ(bar->maximum(), std::max(0, height - view->viewport()->height())) << what;
  }
}
