#pragma once
// What the project window tests share: a main window, an in-memory settings
// store, scripted message boxes, empty address lists and a scratch work
// folder that is the current folder while a test runs.

#include "document/open_projects.h"
#include "document/shared_lists.h"
#include "model/project.h"
#include "storage/address_book.h"
#include "storage/settings_store.h"
#include "tests/ui/fake_prompts.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/when_dialog_opens.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/open_project.h"
#include "ui/project_sheet.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_sheet.h"
#include "ui/volume_window.h"

#include <QApplication>
#include <QMdiArea>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

class ProjectWindowTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_NO_FATAL_FAILURE(mFolder.Enter());
    SetSettings(&mSettings);
    Customers().Clear();
    Designers().Clear();
    SetMainFrame(&mFrame);
    mFrame.show();
  }

  void TearDown() override
  {
    // Whatever is still open closes with every question answered No.
    mPrompts.mAnswers.clear();
    for (int guard = 0; !OpenProjects().Empty() && guard < 50; ++guard)
    {
      CProject* project = OpenProjects().Get(0);
      if (CSheetWnd* window = Window(project))
        window->close();
      else
        OpenProjects().Remove(project);
      Settle();
    }
    Settle();
    SetMainFrame(nullptr);
    SetSettings(nullptr);
    Customers().Clear();
    Designers().Clear();
    mFolder.Leave();
  }

  // Opens a project the way File New does.
  CProject* Open(const std::string& name)
  {
    EXPECT_TRUE(OpenProject(name, nullptr));
    Settle();
    return OpenProjects().Find(name);
  }

  static CSheetWnd* Window(const CProject* project)
  {
    return project ? ProjectWindowOf(project) : nullptr;
  }
  static CVTXSheet* Sheet(const CProject* project)
  {
    CSheetWnd* window = Window(project);
    return window ? qobject_cast<CVTXSheet*>(window->Sheet()) : nullptr;
  }
  // Makes the page the active tab and lets its refresh arrive.
  static void Show(CVTXSheet* sheet, QWidget* page)
  {
    sheet->setCurrentWidget(page);
    Settle();
  }

  // Opens the volume's window and gives its sheet.
  static CVTXAreaSheet* OpenVolumeSheet(CArea* area)
  {
    OpenVolumeWindow(area);
    Settle();
    CSheetWnd* window = VolumeWindowOf(area);
    return window ? qobject_cast<CVTXAreaSheet*>(window->Sheet()) : nullptr;
  }

  CArea* AddVolume(CProject* project, const char* name, int hazard, double length, double width,
                   double height)
  {
    return AddCalculatedVolume(*project, name, hazard, length, width, height);
  }

  int SubWindowCount() const { return static_cast<int>(mFrame.MdiArea()->subWindowList().size()); }

  CScratchCurrentFolder mFolder;
  CFakePrompts mPrompts;
  CMemorySettingsStore mSettings;
  CMainFrame mFrame;
};
