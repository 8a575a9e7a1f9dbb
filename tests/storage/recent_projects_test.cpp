#include "storage/recent_projects.h"

#include "storage/settings_store.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(RecentProjects, KeepsTheLastEightMostRecentFirstWithoutRepeats)
{
  CMemorySettingsStore settings;
  for (int i = 1; i <= 10; ++i)
    AddRecentProject(settings, "/jobs/P" + std::to_string(i) + ".ad");
  std::vector<std::string> paths = ReadRecentProjects(settings);
  ASSERT_EQ(paths.size(), 8u);
  EXPECT_EQ(paths.front(), "/jobs/P10.ad");
  EXPECT_EQ(paths.back(), "/jobs/P3.ad");
  EXPECT_EQ(settings.Read("Recent Projects", "File1"), "/jobs/P10.ad");

  // Opening one again moves it up; a relative path is taken against the current folder.
  AddRecentProject(settings, "/jobs/./P5.ad");
  AddRecentProject(settings, "Here.ad");
  paths = ReadRecentProjects(settings);
  ASSERT_EQ(paths.size(), 8u);
  EXPECT_EQ(paths[0], (std::filesystem::current_path() / "Here.ad").string());
  EXPECT_EQ(paths[1], "/jobs/P5.ad");
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "/jobs/P5.ad"), 1);

  // Removing closes the gap; gaps and repeats in an edited store are not shown.
  RemoveRecentProject(settings, "/jobs/P5.ad");
  EXPECT_EQ(ReadRecentProjects(settings).size(), 7u);
  EXPECT_FALSE(settings.Contains("Recent Projects", "File8"));
  settings.Write("Recent Projects", "File3", "");
  settings.Write("Recent Projects", "File4", paths[0]);
  EXPECT_EQ(ReadRecentProjects(settings).size(), 5u);
}
