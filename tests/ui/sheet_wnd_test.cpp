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
} // namespace

TEST(SheetWnd, RefreshIsQueuedAndReachesOnlyTheActivePage)
{
  QMdiArea area;
  auto* sheet = new CTestSheet;
  auto* wnd = new CSheetWnd(sheet);
  area.addSubWindow(wnd);
  wnd->show();
  QApplication::processEvents();
  int first = sheet->mFirst->mRefreshes;
  int second = sheet->mSecond->mRefreshes;
  wnd->PostRefresh();
  EXPECT_EQ(sheet->mFirst->mRefreshes, first); // not inside the call
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(sheet->mFirst->mRefreshes, first + 1);
  EXPECT_EQ(sheet->mSecond->mRefreshes, second);
  EXPECT_EQ(wnd->windowTitle(), "Caption");
}

TEST(SheetWnd, APageCanRefuseToBeLeft)
{
  QMdiArea area;
  auto* sheet = new CTestSheet;
  auto* wnd = new CSheetWnd(sheet);
  area.addSubWindow(wnd);
  wnd->show();
  sheet->mFirst->mMayLeave = false;
  QTabBar* bar = sheet->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(sheet->currentIndex(), 0);
  EXPECT_EQ(sheet->mFirst->mAsked, 1);
  sheet->mFirst->mMayLeave = true;
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(sheet->currentIndex(), 1);
  QApplication::processEvents();
  EXPECT_GE(sheet->mSecond->mRefreshes, 1); // activation posts a refresh
}

TEST(SheetWnd, TheSheetCanRefuseToCloseButAForcedCloseGoesAhead)
{
  QMdiArea area;
  auto* sheet = new CTestSheet;
  QPointer<CSheetWnd> wnd = new CSheetWnd(sheet);
  area.addSubWindow(wnd);
  wnd->show();
  int closed = 0;
  wnd->SetOnClosed([&] { ++closed; });
  sheet->mStayOpen = true;
  wnd->close();
  QApplication::processEvents();
  ASSERT_FALSE(wnd.isNull());
  EXPECT_EQ(closed, 0);
  wnd->RequestClose();
  QApplication::processEvents();
  EXPECT_EQ(closed, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(wnd.isNull());
}
