// The Volumes page: the list, its highlighted cells, and adding, opening and
// deleting volumes.

#include "tests/common/file_bytes.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/sheet_wnd.h"

#include "document/edit_commands.h"
#include "document/project_document.h"
#include "model/area.h"
#include "storage/project_file.h"
#include "storage/schedule_export.h"
#include "storage/volume_clipboard.h"
#include "ui/list_columns.h"
#include "ui/new_volume_dialog.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/string_dialog.h"
#include "ui/volume_list_model.h"
#include "ui/volume_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <fstream>
#include <vector>

namespace
{
class VolumesPage : public ProjectWindowTest
{
protected:
  CVTXPageArea* ShowPage(CProject* project)
  {
    CVTXSheet* sheet = Sheet(project);
    Show(sheet, sheet->VolumesPage());
    return sheet->VolumesPage();
  }
  void SelectRow(CVTXPageArea* page, int row)
  {
    page->List()->selectRow(row);
    QApplication::processEvents();
  }
};

void AnswerNewVolume(const QString& name, int hazard)
{
  WhenDialogOpens<CNewAreaDialog>(
    [name, hazard](CNewAreaDialog* dialog)
    {
      dialog->NameField()->setText(name);
      dialog->HazardList()->setCurrentIndex(hazard);
      if (QPushButton* ok = ButtonNamed(dialog, "OK"))
        QTest::mouseClick(ok, Qt::LeftButton);
      Settle();
      // Refused: the typed name stays, in focus, to be put right.
      if (dialog->isVisible())
      {
        EXPECT_EQ(dialog->NameField()->text(), name);
        EXPECT_TRUE(dialog->NameField()->hasFocus());
        dialog->reject();
      }
    });
}

constexpr std::uint32_t kAll = AF_ZERO_VOLUME | AF_EXCESS_LR | AF_EXCESS_HEIGHT | AF_EXCESS_LP |
                               AF_EXCESS_VOLUME | AF_INVALID_HAZARD;
} // namespace

TEST(VolumeCells, BrokenLimitsFillTheirCellsYellowAndTheSelectedNameCyan)
{
  using C = CVolumeColumn;
  const CCellFill Y = CCellFill::Yellow, N = CCellFill::None;
  // Excess height, leakage and volume: the leakage is what to fix, so the
  // volume cell stays white.
  const std::uint32_t tall = AF_EXCESS_HEIGHT | AF_EXCESS_LR | AF_EXCESS_LP | AF_EXCESS_VOLUME;
  EXPECT_EQ(VolumeCellFill(C::Height, tall, false), Y);
  EXPECT_EQ(VolumeCellFill(C::LR, tall, false), Y);
  EXPECT_EQ(VolumeCellFill(C::LP, tall, false), Y);
  EXPECT_EQ(VolumeCellFill(C::Volume, tall, false), N);
  EXPECT_EQ(VolumeCellFill(C::Hazard, tall, false), N);
  EXPECT_EQ(VolumeCellFill(C::Volume, AF_EXCESS_VOLUME | AF_EXCESS_LP, false), N);
  EXPECT_EQ(VolumeCellFill(C::Volume, AF_EXCESS_VOLUME, false), Y);
  // A zero volume is always flagged, whatever else is.
  EXPECT_EQ(VolumeCellFill(C::Volume, AF_ZERO_VOLUME, false), Y);
  EXPECT_EQ(VolumeCellFill(C::Volume, kAll, false), Y);
  EXPECT_EQ(VolumeCellFill(C::Hazard, AF_INVALID_HAZARD, false), Y);
  // The name is never yellow; it is cyan exactly while its row is selected.
  EXPECT_EQ(VolumeCellFill(C::Name, kAll, false), N);
  EXPECT_EQ(VolumeCellFill(C::Name, 0, true), CCellFill::Cyan);
  EXPECT_EQ(VolumeCellFill(C::Height, 0, true), N);
  EXPECT_EQ(CellFillColour(CCellFill::Cyan), QColor(0, 255, 255));
  EXPECT_EQ(CellFillColour(CCellFill::Yellow), QColor(255, 255, 0));
}

TEST(VolumeCells, ColumnsShareTheClientWidthInSevenths)
{
  int widths[kVolumeColumnCount];
  VolumeColumnWidths(717, 17, widths);
  EXPECT_EQ(widths[0], 100);
  EXPECT_EQ(widths[1], 200);
  for (int c = 2; c < kVolumeColumnCount; ++c)
    EXPECT_EQ(widths[c], 100);
  VolumeColumnWidths(10, 17, widths); // narrower than a scroll bar
  EXPECT_EQ(widths[1], 0);
}

TEST(ListColumns, NeedyColumnsTakeTheSpareRoomOfTheOthersWithinTheBudget)
{
  const std::vector<int> shares = {100, 200, 100, 100};
  struct Case
  {
    std::vector<int> needs;
    int budget;
    std::vector<int> widths;
  } cases[] = {
    {{90, 150, 60, 60}, 1000, {100, 200, 100, 100}}, // everything fits its share
    {{160, 150, 60, 60}, 1000, {160, 177, 82, 81}},  // spare taken in proportion
    {{160, 150, 60, 60}, 0, {100, 200, 100, 100}},   // at the smallest size: the shares
    {{160, 150, 60, 60}, 30, {130, 189, 91, 90}},
    {{300, 260, 95, 95}, 1000, {107, 203, 95, 95}}, // not enough: shared by lack
  };
  for (const Case& c : cases)
  {
    const std::vector<int> widths = FitColumnWidths(shares, c.needs, c.budget);
    EXPECT_EQ(widths, c.widths) << c.needs[0] << " " << c.budget;
  }
}

TEST_F(VolumesPage, ACutCellShowsItsWholeTextAsAToolTipUntilTheWindowGrows)
{
  CProject* project = Open("Plant");
  const QString name = "Battery room of the north east wing";
  AddVolume(project, name.toLatin1().constData(), 0, 10, 10, 3);
  CVTXPageArea* page = ShowPage(project);
  QTableView* list = page->List();
  auto tipAt = [&](int column)
  {
    QToolTip::hideText();
    const QPoint at = list->visualRect(list->model()->index(0, column)).center();
    QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    return event.isAccepted() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt(0), name); // cut at the window's smallest size
  EXPECT_EQ(tipAt(4), "");   // LR is shown whole
  mFrame.resize(1200, 860);
  Window(project)->showMaximized();
  Settle();
  EXPECT_EQ(tipAt(0), "");
  EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance(name));
  QToolTip::hideText();
}

TEST_F(VolumesPage, ListsEveryVolumeAndPaintsTheBrokenLimits)
{
  CProject* project = Open("Plant");
  // 10 x 10 x 12 m: too tall, 1200 m3; and one with no size at all.
  AddVolume(project, "Hall", 0, 10, 10, 12);
  project->mAreaTable.AddNew("Empty", 0);
  project->RecalculateProject();
  CVTXPageArea* page = ShowPage(project);
  CVolumeListModel* model = page->Model();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Hazard");
  EXPECT_EQ(model->index(1, 0).data().toString(), "Hall");
  EXPECT_EQ(model->index(1, 2).data().toString(), "12 m");
  EXPECT_EQ(model->index(1, 3).data().toString(), "1200 cu m");
  EXPECT_FALSE(model->index(1, 1).data().toString().isEmpty());

  // The columns fill the list as a seventh of its width each, Hazard two.
  QTableView* list = page->List();
  const int a = (list->contentsRect().width() -
                 list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list)) / 7;
  EXPECT_EQ(list->columnWidth(0), a);
  EXPECT_EQ(list->columnWidth(1), 2 * a);
  EXPECT_EQ(list->columnWidth(5), a);

  // Paint the tall volume's row with the row selected.
  const std::uint32_t flags = project->mAreaTable.Find("Hall")->mFlags;
  ASSERT_TRUE(flags & AF_EXCESS_HEIGHT);
  SelectRow(page, 1);
  QImage image(list->viewport()->size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  list->viewport()->render(&image);
  // The top line of a row holds no text, only the cell's fill.
  const int y = list->rowViewportPosition(1);
  auto colourAt = [&](int column)
  {
    return QColor(image.pixel(list->columnViewportPosition(column) + list->columnWidth(column) - 2, y));
  };
  EXPECT_EQ(colourAt(0), QColor(0, 255, 255));
  EXPECT_EQ(colourAt(2), QColor(255, 255, 0));
  EXPECT_EQ(colourAt(1), list->palette().color(QPalette::Base));
  const bool volumeYellow = VolumeCellFill(CVolumeColumn::Volume, flags, true) == CCellFill::Yellow;
  EXPECT_EQ(colourAt(3) == QColor(255, 255, 0), volumeYellow);
  // The zero volume's row, not selected: white name, yellow volume.
  const int y0 = list->rowViewportPosition(0);
  EXPECT_EQ(QColor(image.pixel(list->columnViewportPosition(0) + 2, y0)),
            list->palette().color(QPalette::Base));
  EXPECT_EQ(QColor(image.pixel(list->columnViewportPosition(3) + list->columnWidth(3) - 2, y0)),
            QColor(255, 255, 0));
}

TEST_F(VolumesPage, EditAndDeleteFollowTheSelection)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Hall", 0, 10, 10, 3);
  CVTXPageArea* page = ShowPage(project);
  EXPECT_FALSE(page->EditButton()->isEnabled());
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  SelectRow(page, 0);
  EXPECT_TRUE(page->EditButton()->isEnabled());
  EXPECT_TRUE(page->DeleteButton()->isEnabled());
  // A refresh rebuilds the list and keeps the selection on its volume.
  project->RecalculateProject();
  Settle();
  EXPECT_TRUE(page->EditButton()->isEnabled());
}

TEST_F(VolumesPage, NewAddsTheVolumeAndOpensItsWindowButRefusesATakenName)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Hall", 0, 10, 10, 3);
  CVTXPageArea* page = ShowPage(project);
  const int windows = SubWindowCount();

  AnswerNewVolume("Hall", 2);
  QTest::mouseClick(page->NewButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(project->mAreaTable.Count(), 1u);
  EXPECT_EQ(project->mAreaTable.Find("Hall")->mHazard, 0);
  EXPECT_EQ(VolumeWindowOf(project->mAreaTable.Find("Hall")), nullptr);
  EXPECT_EQ(SubWindowCount(), windows);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("\"Hall\" is already used"));

  AnswerNewVolume("  Annex   B ", 1);
  QTest::mouseClick(page->NewButton(), Qt::LeftButton);
  Settle();
  CArea* annex = project->mAreaTable.Find("Annex B");
  ASSERT_NE(annex, nullptr);
  EXPECT_EQ(annex->mHazard, 1);
  EXPECT_NE(VolumeWindowOf(annex), nullptr);
  EXPECT_EQ(SubWindowCount(), windows + 1);
  EXPECT_EQ(page->Model()->rowCount(), 2);
}

TEST_F(VolumesPage, DeletingAVolumeClosesItsWindowFirst)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Annex", 0, 5, 5, 3);
  CArea* hall = AddVolume(project, "Hall", 0, 10, 10, 3);
  OpenVolumeWindow(hall);
  Settle();
  ASSERT_NE(VolumeWindowOf(hall), nullptr);
  QPointer<CSheetWnd> window = VolumeWindowOf(hall);
  const int windows = SubWindowCount();

  CVTXPageArea* page = ShowPage(project);
  SelectRow(page, 1);
  QTest::mouseClick(page->DeleteButton(), Qt::LeftButton); // no question asked
  Settle();
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(SubWindowCount(), windows - 1);
  EXPECT_EQ(project->mAreaTable.Find("Hall"), nullptr);
  ASSERT_EQ(page->Model()->rowCount(), 1);
  EXPECT_EQ(page->Model()->index(0, 0).data().toString(), "Annex");
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
}

TEST_F(VolumesPage, F2RenamesAndCtrlDDuplicatesTheSelectedVolumeEachOneUndoStep)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Annex", 0, 5, 5, 3);
  CArea* hall = AddVolume(project, "Hall", 0, 10, 10, 3);
  OpenVolumeWindow(hall);
  Settle();
  CSheetWnd* window = VolumeWindowOf(hall);
  ASSERT_NE(window, nullptr);
  CProjectDocument* document = OpenProjects().Document(project);
  CVTXPageArea* page = ShowPage(project);

  // A taken name is refused with the reason and asked again; then renamed.
  SelectRow(page, 1);
  bool refusedStaysOpen = false;
  WhenDialogOpens<CStringDialog>(
      [&](CStringDialog* dialog)
      {
        dialog->TextField()->setText("Annex");
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        Settle();
        refusedStaysOpen = dialog->isVisible();
        dialog->TextField()->setText(" Great   Hall ");
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        Settle();
      });
  // Keys reach a shortcut only in the active window.
  QApplication::setActiveWindow(page->window());
  ASSERT_TRUE(QTest::qWaitForWindowActive(page->window()));
  page->List()->setFocus();
  QTest::keyClick(page->List(), Qt::Key_F2);
  Settle();
  EXPECT_TRUE(refusedStaysOpen);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("\"Annex\" is already used"));
  EXPECT_EQ(hall->mName, "Great Hall"); // the same volume, its window still open
  EXPECT_EQ(VolumeWindowOf(hall), window);
  EXPECT_TRUE(window->windowTitle().contains("Great Hall"));
  EXPECT_EQ(page->Model()->index(1, 0).data().toString(), "Great Hall");
  EXPECT_EQ(document->UndoName(), "Rename Volume");

  QApplication::setActiveWindow(page->window());
  ASSERT_TRUE(QTest::qWaitForWindowActive(page->window()));
  page->List()->setFocus();
  QTest::keyClick(page->List(), Qt::Key_D, Qt::ControlModifier);
  Settle();
  const CArea* copy = project->mAreaTable.Find("Great Hall (2)");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->mVolume, hall->mVolume);
  EXPECT_EQ(page->List()->selectionModel()->selectedRows().value(0).row(), 2);
  EXPECT_EQ(document->UndoName(), "Duplicate Volume");

  ASSERT_TRUE(document->Undo());
  ASSERT_TRUE(document->Undo());
  Settle();
  EXPECT_EQ(project->mAreaTable.Count(), 2u);
  EXPECT_EQ(hall->mName, "Hall");
  EXPECT_FALSE(window->windowTitle().contains("Great"));
  EXPECT_TRUE(window->windowTitle().endsWith("Hall"));
  // The main window's caption names the active window by its new title.
  mFrame.MdiArea()->setActiveSubWindow(window);
  ASSERT_TRUE(document->Redo());
  Settle();
  EXPECT_TRUE(mFrame.windowTitle().endsWith("Great Hall]")) << mFrame.windowTitle().toStdString();
}

TEST_F(VolumesPage, EditOrADoubleClickOpensTheSelectedVolume)
{
  CProject* project = Open("Plant");
  CArea* hall = AddVolume(project, "Hall", 0, 10, 10, 3);
  CVTXPageArea* page = ShowPage(project);
  SelectRow(page, 0);
  QTest::mouseClick(page->EditButton(), Qt::LeftButton);
  Settle();
  EXPECT_NE(VolumeWindowOf(hall), nullptr);
  EXPECT_FALSE(page->List()->selectionModel()->hasSelection());
  CloseVolumeWindow(hall);
  Settle();

  QTableView* list = page->List();
  const QPoint cell = list->visualRect(list->model()->index(0, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
  Settle();
  EXPECT_NE(VolumeWindowOf(hall), nullptr);
}

TEST_F(VolumesPage, TenThousandVolumesRefreshInOneReset)
{
  CProject* project = Open("Plant");
  char name[32];
  for (int i = 0; i < 10000; ++i)
  {
    std::snprintf(name, sizeof name, "Room %05d", i);
    ASSERT_TRUE(project->mAreaTable.AddNew(name, i % 10));
  }
  project->RecalculateProject();
  CVTXPageArea* page = ShowPage(project);
  EXPECT_EQ(page->Model()->rowCount(), 10000);
  page->List()->scrollToBottom();
  Settle();
  EXPECT_EQ(page->Model()->index(9999, 0).data().toString(), "Room 09999");
  // A deletion at the top is seen at once, without waiting for the refresh.
  page->List()->selectRow(0);
  page->OnDelete();
  EXPECT_EQ(page->Model()->rowCount(), 9999);
  EXPECT_EQ(page->Model()->index(0, 0).data().toString(), "Room 00001");
}

TEST_F(VolumesPage, ExportedScheduleImportsIntoAnotherProjectAfterItsSummary)
{
  CProject* plant = Open("Plant");
  CArea* hall = AddVolume(plant, "Hall", 0, 10, 10, 3);
  hall->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 1.5, 0.5);
  hall->SetDeviceCount(7, 12);
  AddVolume(plant, "Annex", 3, 4, 5, 3);
  plant->RecalculateProject();
  CVTXPageProject* projectPage = Sheet(plant)->ProjectPage();
  projectPage->mPickExportFile = [](QWidget*, const QString& start)
  {
    EXPECT_EQ(start, "Plant.csv");
    return QString("rooms"); // ".csv" is added
  };
  QTest::mouseClick(projectPage->ExportButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  const QString rooms = QDir::current().absoluteFilePath("rooms.csv");
  EXPECT_EQ(mPrompts.mTexts[0], QString("The project was exported to \"%1\".").arg(rooms));

  CProject* copy = Open("Copy");
  AddVolume(copy, "Annex", 0, 1, 1, 1);
  CVTXPageArea* page = ShowPage(copy);
  QString picked = "rooms.csv";
  page->mPickImportFile = [&picked](QWidget*) { return picked; };
  // Cancelled at the summary: nothing changes.
  QTest::mouseClick(page->ImportButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_EQ(mPrompts.mTexts[1], "The schedule \"rooms.csv\" adds 1 volume and updates 1 volume.\r\n\r\n"
                                "Added: \"Hall\"\r\n\r\nUpdated: \"Annex\"\r\n\r\nImport it?");
  EXPECT_EQ(copy->mAreaTable.Count(), 1u);

  mPrompts.mAnswers.push_back(CPromptAnswer::Ok);
  QTest::mouseClick(page->ImportButton(), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(copy->mAreaTable.Differs(plant->mAreaTable));
  EXPECT_EQ(page->Model()->rowCount(), 2);
  EXPECT_TRUE(copy->IsModified());

  // A schedule with a wrong row names it and changes nothing.
  picked = "wrong.csv";
  std::ofstream("wrong.csv") << "name,hazard_class,length,width,height\nHall,CLASS A - SURFACE FIRES,1,1,1\n"
                                "Store,CLASS Q,1,1,1\n";
  const std::string before = ScheduleCsv(*copy);
  QTest::mouseClick(page->ImportButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 4);
  EXPECT_EQ(mPrompts.mTexts[3], "Nothing was imported: one line of \"wrong.csv\" must be corrected first."
                                "\r\n\r\nline 3: unknown hazard class \"CLASS Q\"");
  EXPECT_EQ(mPrompts.mIcons[3], CPromptIcon::Error);
  EXPECT_EQ(ScheduleCsv(*copy), before);
  // The same name again: the file the extension names is asked about, and
  // No leaves it as it was.
  WriteBytes("rooms.csv", "kept");
  mPrompts.mAnswers = {CPromptAnswer::No};
  QTest::mouseClick(projectPage->ExportButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 5);
  EXPECT_EQ(mPrompts.mTexts[4], QString("\"%1\" already exists.\r\nReplace it?").arg(rooms));
  EXPECT_EQ(ReadBytes("rooms.csv"), "kept");
}

TEST_F(VolumesPage, SortAndFilterAreTheListsAndSurviveAnEditWithTheSelection)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Room 10", 1, 10, 10, 3);
  AddVolume(project, "Annex", 0, 10, 10, 5);
  AddVolume(project, "Room 2", 0, 10, 10, 2);
  AddVolume(project, "Store", 7, 10, 10, 4);
  CProjectDocument* document = OpenProjects().Document(project);
  CVTXPageArea* page = ShowPage(project);
  QTableView* list = page->List();
  auto shown = [&]
  {
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(); ++row)
      names << list->model()->index(row, 0).data().toString();
    return names.join(",");
  };
  auto click = [&](int column)
  {
    QHeaderView* header = list->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    Settle();
  };
  const std::string fileOrder = "Annex,Room 10,Room 2,Store"; // the table's own order
  // Each click of a header: ascending, descending, the table's order again.
  const struct
  {
    int column;
    const char* names;
  } clicks[] = {
      {0, "Annex,Room 2,Room 10,Store"}, // numbers in names as a person reads them
      {0, "Store,Room 10,Room 2,Annex"}, {0, "Annex,Room 10,Room 2,Store"},
      {2, "Room 2,Room 10,Store,Annex"}, // figures by value
      {1, "Annex,Room 2,Room 10,Store"}, // "CLASS A..." before "CLASS B..."; ties keep the table's
                                         // order
  };
  for (const auto& c : clicks)
  {
    click(c.column);
    EXPECT_EQ(shown(), c.names) << c.column;
  }
  // The sort is the list's: the table and the saved file keep their order.
  std::string order;
  for (std::size_t i = 0; i < project->mAreaTable.Count(); ++i)
    order += (i ? "," : "") + project->mAreaTable.Get(i)->mName;
  EXPECT_EQ(order, fileOrder);

  // The filter matches names and hazard classes in any case.
  QTest::keyClicks(page->FilterField(), "room");
  Settle();
  EXPECT_EQ(shown(), "Room 2,Room 10");
  EXPECT_EQ(page->ShownLabel()->text(), "2 of 4 shown");
  page->FilterField()->setText("heptane");
  Settle();
  EXPECT_EQ(shown(), "Room 10");
  page->FilterField()->setText("CLASS A");
  Settle();
  EXPECT_EQ(shown(), "Annex,Room 2");

  // An edit refreshes the list: the sort, the filter and the selection stay,
  // and a volume the edit sends to another place keeps its selection there.
  SelectRow(page, 1); // Room 2
  ASSERT_TRUE(document->Apply(edit::SetVolumeSize{VolumeIdOf(*project, "Room 2"), 10, 10, 1}));
  ASSERT_TRUE(document->Apply(edit::SetVolumeSize{VolumeIdOf(*project, "Room 2"), 10, 10, 9}));
  Settle();
  EXPECT_EQ(shown(), "Annex,Room 2");
  ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(list->selectionModel()->selectedRows().front().data().toString(), "Room 2");
  click(2);
  EXPECT_EQ(shown(), "Annex,Room 2");
  EXPECT_EQ(list->selectionModel()->selectedRows().front().data().toString(), "Room 2");
  page->FilterField()->clear();
  Settle();
  EXPECT_EQ(shown(), "Room 10,Store,Annex,Room 2"); // by height
  EXPECT_EQ(page->ShownLabel()->text(), "");
  EXPECT_EQ(list->selectionModel()->selectedRows().front().data().toString(), "Room 2");
}

namespace
{
std::string FileImage(const CProject& project)
{
  std::string bytes;
  EXPECT_TRUE(EncodeProjectFile(project, bytes));
  return bytes;
}
} // namespace

// Copy in one project and paste into another through the Edit menu's keys;
// a paste is one undo step; rows from a spreadsheet paste through the
// schedule reader, all or nothing.
TEST_F(VolumesPage, CopyAndPasteVolumesBetweenProjectsAndFromSpreadsheetRows)
{
  CProject* source = Open("Plant");
  AddVolume(source, "Hall", 0, 10, 10, 3);
  AddVolume(source, "Store", 1, 4, 5, 3);
  CProject* target = Open("Annex");
  AddVolume(target, "Hall", 0, 1, 1, 1);
  CProjectDocument* document = OpenProjects().Document(target);

  CVTXPageArea* from = ShowPage(source);
  from->List()->selectAll();
  QApplication::processEvents();
  QApplication::setActiveWindow(&mFrame);
  from->List()->setFocus();
  QTest::keyClick(from->List(), Qt::Key_C, Qt::ControlModifier);
  Settle();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(data->hasFormat(kVolumesMimeType));
  EXPECT_TRUE(data->text().startsWith(QString::fromStdString(ScheduleColumns().front()) + "\t"));
  EXPECT_EQ(data->text().count("\n"), 3);

  CVTXPageArea* to = ShowPage(target);
  const std::string before = FileImage(*target);
  to->List()->setFocus();
  QTest::keyClick(to->List(), Qt::Key_V, Qt::ControlModifier);
  Settle();
  ASSERT_EQ(target->mAreaTable.Count(), 3u);
  ASSERT_NE(target->mAreaTable.Find("Hall (2)"), nullptr);
  EXPECT_EQ(target->mAreaTable.Find("Hall (2)")->mVolume, source->mAreaTable.Find("Hall")->mVolume);
  EXPECT_EQ(to->List()->selectionModel()->selectedRows().size(), 2);
  EXPECT_EQ(document->UndoName(), "Paste Volumes");
  const std::string pasted = FileImage(*target);
  ASSERT_TRUE(document->Undo());
  EXPECT_EQ(FileImage(*target), before);
  ASSERT_TRUE(document->Redo());
  EXPECT_EQ(FileImage(*target), pasted);

  // Tab-separated rows with one wrong row: nothing is pasted, the row is
  // named with its reason.
  QApplication::clipboard()->setText("Name\tHazard Class\tLength\tWidth\tHeight\n"
                                     "Lab\tCLASS A - SURFACE FIRES\t5\t4\t3\n"
                                     "Shed\tCLASS Z\t5\t4\t3\n");
  mPrompts.mTexts.clear();
  QTest::keyClick(to->List(), Qt::Key_V, Qt::ControlModifier);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("Nothing was pasted"))
      << mPrompts.mTexts[0].toStdString();
  EXPECT_TRUE(mPrompts.mTexts[0].contains("line 3")) << mPrompts.mTexts[0].toStdString();
  EXPECT_EQ(FileImage(*target), pasted);
  // Corrected, the rows paste as new volumes in one step.
  QApplication::clipboard()->setText("Lab\tCLASS A - SURFACE FIRES\t5\t4\t3\n"
                                     "Shed\tCLASS B - HEPTANE\t5\t4\t3\n");
  QTest::keyClick(to->List(), Qt::Key_V, Qt::ControlModifier);
  Settle();
  EXPECT_NE(target->mAreaTable.Find("Lab"), nullptr);
  EXPECT_NE(target->mAreaTable.Find("Shed"), nullptr);
  ASSERT_TRUE(document->Undo());
  EXPECT_EQ(FileImage(*target), pasted);

  // Cut is a copy and a delete, one step.
  to->SelectIds({VolumeIdOf(*target, "Store")});
  QTest::keyClick(to->List(), Qt::Key_X, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(target->mAreaTable.Find("Store"), nullptr);
  EXPECT_EQ(document->UndoName(), "Cut Volume");
  EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(kVolumesMimeType));
  ASSERT_TRUE(document->Undo());
  EXPECT_EQ(FileImage(*target), pasted);
}
