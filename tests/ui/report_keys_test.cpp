// The report window's keys: Home and End (with or without Ctrl) go to the
// start and the end of the report; paging stays the scroll area's.

#include "model/project.h"
#include "tests/ui/ui_test_support.h"
#include "ui/report_wnd.h"

#include <QScrollBar>
#include <QTest>

TEST(ReportKeys, HomeAndEndGoToTheStartAndTheEndOfTheReport)
{
  CProject project;
  project.SetName("Keys");
  for (const char* name : {"A", "B", "C", "D"})
    AddCalculatedVolume(project, name, 0, 10, 8, 3);
  CReportView view(&project);
  view.resize(400, 200);
  view.show();
  view.Render();
  QScrollBar* bar = view.verticalScrollBar();
  ASSERT_GT(bar->maximum(), bar->pageStep());

  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(bar->value(), bar->maximum());
  QTest::keyClick(&view, Qt::Key_Home);
  EXPECT_EQ(bar->value(), 0);
  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), bar->maximum());
  QTest::keyClick(&view, Qt::Key_PageUp);
  EXPECT_EQ(bar->value(), bar->maximum() - bar->pageStep());
  QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), 0);
}
