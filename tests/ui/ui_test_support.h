#pragma once
// What the user-interface tests share outside their fixtures: letting queued
// work run, a calculated volume built in memory, and a scratch current folder.

#include "model/area.h"
#include "model/project.h"
#include "tests/common/temp_folder.h"

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

// Lets queued refreshes, repaints and focus-change follow-ups run.
inline void FlushEvents()
{
  for (int i = 0; i < 6; ++i)
    QApplication::processEvents();
}

// Shows the window, makes it the active one and waits until it is; false
// when it never became active.
[[nodiscard]] inline bool ShowActive(QWidget& window)
{
  window.show();
  QApplication::setActiveWindow(&window);
  const bool active = QTest::qWaitForWindowActive(&window);
  QApplication::processEvents();
  return active;
}

// FlushEvents, then the deferred deletions (closed windows) and what they queue.
inline void Settle()
{
  FlushEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
}

// Adds a volume of the hazard class and size in metres to the project and
// calculates the project.
inline CArea* AddCalculatedVolume(CProject& project, const char* name, int hazard, double length,
                                  double width, double height)
{
  EXPECT_TRUE(project.mAreaTable.AddNew(name, hazard));
  CArea* area = project.mAreaTable.Find(name);
  area->SetLength(length);
  area->SetWidth(width);
  area->SetHeight(height);
  project.RecalculateProject();
  return area;
}

// A scratch folder that is the current folder from Enter until Leave.
class CScratchCurrentFolder
{
public:
  void Enter()
  {
    mOldFolder = std::filesystem::current_path();
    std::filesystem::current_path(mFolder.Path());
  }
  void Leave() { std::filesystem::current_path(mOldFolder); }
  QString Path() const { return QString::fromStdString(mFolder.Path().string()); }

private:
  CTempFolder mFolder;
  std::filesystem::path mOldFolder;
};
