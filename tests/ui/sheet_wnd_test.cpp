#include "ui/sheet_wnd.h"

#include <QApplication>
#include <QMdiArea>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
class CCountingPage : public CVTXPage
{
public:
  int mRefreshes = 0;
  bool mMayLeave = true;
  int mAsked = 0;
  void Refresh() override { ++mRefreshes; }
  bool QueryLeave() override
  {
    ++mAsked;
    return mMayLeave;
  }
};

class CTestSheet : public CVTXSheetBase
{
public:
  CTestSheet()
  {
    AddPage(mFirst = new CCountingPage, "First");
    AddPage(mSecond = new CCountingPage, "Second");
  }
  QString Caption() const override { return "Caption"; }
  bool QueryClose() override { return mStayOpen; }
  CCountingPage* mFirst;
  CCountingPage* mSecond;
  bool mStayOpen = false;
};

// The sheet in its window inside an MDI area, shown.
class SheetWnd : public ::testing::Test
{
protected:
  SheetWnd()
  {
    mArea.addSubWindow(mWnd);
    mWnd->show();
  }
  QMdiArea mArea;
  CTestSheet* mSheet = new CTestSheet;
  QPointer<CSheetWnd> mWnd = new CSheetWnd(mSheet);
};
} // namespace

TEST_F(SheetWnd, RefreshIsQueuedAndReachesOnlyTheActivePage)
{
  QApplication::processEvents();
  int first = mSheet->mFirst->mRefreshes;
  int second = mSheet->mSecond->mRefreshes;
  mWnd->PostRefresh();
  EXPECT_EQ(mSheet->mFirst->mRefreshes, first); // not inside the call
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(mSheet->mFirst->mRefreshes, first + 1);
  EXPECT_EQ(mSheet->mSecond->mRefreshes, second);
  EXPECT_EQ(mWnd->windowTitle(), "Caption");
}

TEST_F(SheetWnd, APageCanRefuseToBeLeft)
{
  mSheet->mFirst->mMayLeave = false;
  QTabBar* bar = mSheet->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(mSheet->currentIndex(), 0);
  EXPECT_EQ(mSheet->mFirst->mAsked, 1);
  mSheet->mFirst->mMayLeave = true;
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(mSheet->currentIndex(), 1);
  QApplication::processEvents();
  EXPECT_GE(mSheet->mSecond->mRefreshes, 1); // activation posts a refresh
}

TEST_F(SheetWnd, TheSheetCanRefuseToCloseButAForcedCloseGoesAhead)
{
  int closed = 0;
  mWnd->SetOnClosed([&] { ++closed; });
  mSheet->mStayOpen = true;
  mWnd->close();
  QApplication::processEvents();
  ASSERT_FALSE(mWnd.isNull());
  EXPECT_EQ(closed, 0);
  mWnd->RequestClose();
  QApplication::processEvents();
  EXPECT_EQ(closed, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(mWnd.isNull());
}
