// Child windows of the main window: titles that name their project, and
// where new ones open.

#include "tests/ui/project_test_fixture.h"
#include "ui/sheet_wnd.h"

#include "model/area.h"
#include "ui/child_placement.h"
#include "ui/project_tab_volumes.h"
#include "ui/report_window.h"
#include "ui/report_wnd.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

TEST(ChildPlacement, CascadesInsideTheAreaAndKeepsTheOpenersButtonInSight)
{
  const QSize area(1000, 700);
  const QSize window(500, 360);
  struct Case
  {
    std::vector<QPoint> taken;
    QRect keep;
    QSize minimum;
    QRect expected;
  } cases[] = {
    // The first free corner of the cascade.
    {{}, {}, window, {QPoint(0, 0), window}},
    {{{0, 0}, {20, 20}}, {}, window, {QPoint(40, 40), window}},
    // The button just clicked stays visible: the window goes beside it...
    {{{0, 0}}, {QPoint(400, 320), QSize(80, 24)}, window, {QPoint(481, 20), window}},
    // ...or where there is most room, made smaller down to its minimum...
    {{{0, 0}}, {QPoint(450, 330), QSize(100, 24)}, QSize(250, 200), {QPoint(20, 355), QSize(500, 345)}},
    // ...and stays in the cascade when it cannot be that small.
    {{{0, 0}}, {QPoint(450, 330), QSize(100, 24)}, window, {QPoint(20, 20), window}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceChild(area, window, c.minimum, c.taken, 20, c.keep), c.expected)
      << c.keep.x() << "," << c.keep.y();
  // A window larger than the area is made to fit it.
  EXPECT_EQ(PlaceChild(QSize(300, 200), window, QSize(100, 100), {}, 20, {}), QRect(0, 0, 300, 200));
}

TEST_F(ProjectWindowTest, VolumeAndReportWindowsNameTheirProjectAndOpenInsideTheClientArea)
{
  // A client area with room beside a project window, as on a 1280 x 900 screen.
  mFrame.resize(1200, 860);
  Settle();
  // Two projects with a volume of the same name.
  CProject* plant = Open("Plant");
  CProject* depot = Open("Depot");
  const QRect client(QPoint(0, 0), mFrame.MdiArea()->viewport()->size());
  for (CProject* project : {plant, depot})
  {
    AddVolume(project, "Hall", 0, 10, 10, 3);
    CVTXSheet* sheet = Sheet(project);
    Show(sheet, sheet->VolumesPage());
    QTableView* list = sheet->VolumesPage()->List();
    list->selectRow(0);
    // The user clicks "Edit": the window opens clear of the button.
    QPushButton* edit = sheet->VolumesPage()->EditButton();
    const QRect button(edit->mapTo(mFrame.MdiArea()->viewport(), QPoint(0, 0)), edit->size());
    QTest::mouseClick(edit, Qt::LeftButton);
    Settle();
    auto* window = VolumeWindowOf(project->mAreaTable.Find("Hall"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(project->mName) + " \u2013 Hall");
    EXPECT_TRUE(client.contains(window->geometry())) << project->mName;
    EXPECT_FALSE(window->geometry().intersects(button)) << project->mName;
    EXPECT_TRUE(client.contains(Window(project)->geometry())) << project->mName;
  }
  EXPECT_TRUE(mFrame.windowTitle().contains("Depot \u2013 Hall"));

  OpenReportWindow(plant);
  Settle();
  auto* report = ReportWindowOf(plant);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->windowTitle(), "Plant \u2013 Report");
  EXPECT_TRUE(client.contains(report->geometry()));
}
