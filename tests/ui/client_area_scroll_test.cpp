// A main window made smaller than a project window scrolls its client area,
// so no part of the project window is out of reach.

#include "tests/ui/shell_fixture.h"
#include "ui/open_project.h"

#include <QScrollBar>

using ClientAreaScroll = CShellTest;

TEST_F(ClientAreaScroll, AMainWindowSmallerThanAProjectWindowGetsScrollBars)
{
  ASSERT_TRUE(OpenProject("Plant room", nullptr));
  QApplication::processEvents();
  CMDIClientWnd* area = mFrame->MdiArea();
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());

  mFrame->resize(300, 200);
  QApplication::processEvents();
  EXPECT_TRUE(area->verticalScrollBar()->isVisible());
  EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
  // The background still fills what is left of the area.
  EXPECT_EQ(area->Picture().size(), area->viewport()->size());
}
