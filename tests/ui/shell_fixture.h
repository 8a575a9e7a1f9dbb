#pragma once
// A scratch work folder as the current folder, in-memory settings and a
// main window for the tests of the program's shell; all put back afterwards.

#include "document/open_projects.h"
#include "model/project.h"
#include "storage/project_file.h"
#include "storage/settings_store.h"
#include "tests/common/temp_folder.h"
#include "tests/ui/fake_prompts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/app.h"
#include "ui/main_frame.h"
#include "ui/sheet_wnd.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class CShellTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::filesystem::create_directory(mWork);
    std::filesystem::current_path(mWork);
    SetSettings(&mSettings);
    mFrame = std::make_unique<CMainFrame>();
    SetMainFrame(mFrame.get());
    ASSERT_TRUE(ShowActive(*mFrame));
  }

  void TearDown() override
  {
    // Close what a test left open, answering No to the save question.
    while (!OpenProjects().Empty())
    {
      CProject* project = OpenProjects().Get(0);
      if (ProjectWindowOf(project))
        ProjectWindowOf(project)->RequestClose();
      QApplication::processEvents();
      // Closing may have deleted the project: only its address is compared.
      OpenProjects().Remove(project);
    }
    mFrame->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    SetMainFrame(nullptr);
    mFrame.reset();
    SetSettings(nullptr);
    std::filesystem::current_path(mStarted);
  }

  // Writes a project file of that name into the folder.
  static void SaveProject(const std::filesystem::path& folder, const std::string& name,
                          const std::string& designer = "", const std::string& reference = "")
  {
    CProject project;
    project.SetName(name);
    project.mPath = (folder / (name + ".ad")).string();
    project.mProject_Designer = designer;
    project.mProject_Reference = reference;
    std::string error;
    ASSERT_TRUE(::SaveProject(project, &error)) << error;
  }

public:
  static void RunSoon(QObject* context, std::function<void()> step);

protected:
  const std::filesystem::path mStarted = std::filesystem::current_path();
  CTempFolder mTemp;
  const std::filesystem::path mRoot = mTemp.Path(), mWork = mRoot / "work";
  CFakePrompts mPrompts; // no real message box ever blocks a test
  CMemorySettingsStore mSettings;
  std::unique_ptr<CMainFrame> mFrame;
};

// Runs the step once the modal loop about to start is running.
inline void CShellTest::RunSoon(QObject* context, std::function<void()> step)
{
  QMetaObject::invokeMethod(context, std::move(step), Qt::QueuedConnection);
}

// The modal dialog of that class now shown, or nullptr.
template <class T> T* ActiveDialog()
{
  return qobject_cast<T*>(QApplication::activeModalWidget());
}
