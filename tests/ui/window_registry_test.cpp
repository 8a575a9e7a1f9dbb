// The registry of each open project's windows: a window is found under its
// own project only, and never once it has left or been destroyed.

#include "document/project_document.h"
#include "model/area.h"
#include "ui/window_registry.h"

#include <QMdiSubWindow>
#include <gtest/gtest.h>

TEST(WindowRegistry, FindsAWindowUnderItsProjectUntilItLeavesOrIsDestroyed)
{
  CProjectDocument plant, other;
  CArea hall(nullptr), yard(nullptr);
  CWindowRegistry registry;
  for (const bool destroy : {false, true})
  {
    auto* project = new QMdiSubWindow;
    auto* report = new QMdiSubWindow;
    auto* volume = new QMdiSubWindow;
    registry.SetProjectWindow(plant, project);
    registry.SetReportWindow(plant, report);
    registry.SetVolumeWindow(plant, &hall, volume);
    EXPECT_EQ(registry.ProjectWindow(plant), project);
    EXPECT_EQ(registry.ReportWindow(plant), report);
    EXPECT_EQ(registry.VolumeWindow(plant, &hall), volume);
    EXPECT_EQ(registry.VolumeWindow(plant, &yard), nullptr);
    EXPECT_EQ(registry.VolumeWindow(plant, nullptr), nullptr);
    EXPECT_EQ(registry.ProjectWindow(other), nullptr);
    EXPECT_EQ(registry.VolumeWindow(other, &hall), nullptr);

    for (QMdiSubWindow* window : {project, report, volume})
      if (destroy)
        delete window;
      else
        registry.Forget(window);
    EXPECT_EQ(registry.ProjectWindow(plant), nullptr);
    EXPECT_EQ(registry.ReportWindow(plant), nullptr);
    EXPECT_EQ(registry.VolumeWindow(plant, &hall), nullptr);
    if (!destroy)
      for (QMdiSubWindow* window : {project, report, volume})
        delete window;
  }
  // A new volume window replaces the old one; none forgets it.
  QMdiSubWindow first, second;
  registry.SetVolumeWindow(plant, &hall, &first);
  registry.SetVolumeWindow(plant, &hall, &second);
  EXPECT_EQ(registry.VolumeWindow(plant, &hall), &second);
  registry.SetVolumeWindow(plant, &hall, nullptr);
  EXPECT_EQ(registry.VolumeWindow(plant, &hall), nullptr);
}
