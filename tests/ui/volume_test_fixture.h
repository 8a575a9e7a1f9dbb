#pragma once
// A project in memory with volume windows in a real main window, and the
// helpers the volume window tests share.

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "tests/ui/fake_prompts.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/when_dialog_opens.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_sheet.h"
#include "ui/volume_window.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

class CVolumeWindowTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    SetMainFrame(&mFrame);
    mFrame.show();
  }
  void TearDown() override
  {
    for (std::size_t i = 0; i < mProject.mAreaTable.Count(); ++i)
      CloseVolumeWindow(mProject.mAreaTable.Get(i));
    FlushEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetMainFrame(nullptr);
    OpenProjects().Remove(&mProject);
  }

  // The project "Plant", open: its volume windows follow its document.
  static CProject& OpenPlant()
  {
    auto document = std::make_unique<CProjectDocument>();
    CProject& project = document->Project();
    project.SetName("Plant");
    EXPECT_TRUE(OpenProjects().Insert(std::move(document)));
    return project;
  }

  // A volume of the given class and size in metres, calculated.
  CArea* AddVolume(const char* name, int hazard, double length, double width, double height)
  {
    return AddCalculatedVolume(mProject, name, hazard, length, width, height);
  }

  static CSheetWnd* Window(const CArea* area) { return VolumeWindowOf(area); }
  static CVTXAreaSheet* Sheet(const CArea* area)
  {
    CSheetWnd* window = Window(area);
    return window ? qobject_cast<CVTXAreaSheet*>(window->Sheet()) : nullptr;
  }
  // Opens the volume's window on the page at `tab`.
  CVTXAreaSheet* Open(CArea* area, int tab = 0)
  {
    mProject.RecalculateProject();
    OpenVolumeWindow(area);
    CVTXAreaSheet* sheet = Sheet(area);
    if (sheet)
      sheet->setCurrentIndex(tab);
    FlushEvents();
    return sheet;
  }
  static void ClickTab(CVTXAreaSheet* sheet, int index)
  {
    QTabBar* bar = sheet->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    FlushEvents();
  }

  CMainFrame mFrame;
  CProject& mProject = OpenPlant();
  CFakePrompts mPrompts;
};
