#include "ui/main_frame.h"

#include <QMdiArea>
#include <gtest/gtest.h>

TEST(MainFrame, HasTheApplicationTitleAndAClientArea)
{
  CMainFrame frame;
  frame.show();
  EXPECT_EQ(frame.windowTitle(), "Vantor (R) System Calculation Program");
  EXPECT_NE(frame.MdiArea(), nullptr);
}
