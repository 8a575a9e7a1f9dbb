#include "storage/recent_projects.h"

#include "storage/settings_store.h"
#include "tests/common/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <functional>
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

TEST(RecentProjects, RenameAndRemoveFindTheFileHoweverItsFolderIsWritten)
{
  const CTempFolder temp;
  const std::filesystem::path work = temp.Path() / "work", other = temp.Path() / "other";
  std::filesystem::create_directories(work);
  std::filesystem::create_directories(other);
  std::filesystem::create_directory_symlink(work, temp.Path() / "alias");
  const std::string alias = (temp.Path() / "alias").string();
  auto in = [](const std::filesystem::path& folder, const char* name)
  { return (folder / name).string(); };
  struct Case
  {
    const char* what;
    std::function<void(CSettingsStore&)> act;
    std::vector<std::string> listed;
  };
  const Case cases[] = {
      {"renamed, named through a link",
       [&](CSettingsStore& s) { RenameRecentProject(s, alias + "/b.ad", in(work, "z.ad")); },
       {in(other, "job.ad"), in(work, "z.ad"), in(work, "a.ad"), in(work, "job.ad")}},
      {"moved onto a listed file, which it replaced",
       [&](CSettingsStore& s) { RenameRecentProject(s, in(work, "job.ad"), in(other, "job.ad")); },
       {in(work, "b.ad"), in(work, "a.ad"), in(other, "job.ad")}},
      {"not listed",
       [&](CSettingsStore& s) { RenameRecentProject(s, in(work, "c.ad"), in(work, "d.ad")); },
       {in(other, "job.ad"), in(work, "b.ad"), in(work, "a.ad"), in(work, "job.ad")}},
      {"removed, named through a link",
       [&](CSettingsStore& s) { RemoveRecentProject(s, alias + "/./a.ad"); },
       {in(other, "job.ad"), in(work, "b.ad"), in(work, "job.ad")}},
  };
  for (const Case& c : cases)
  {
    CMemorySettingsStore settings;
    for (const char* path : {"work/job.ad", "work/a.ad", "work/b.ad", "other/job.ad"})
      AddRecentProject(settings, (temp.Path() / path).string());
    c.act(settings);
    EXPECT_EQ(ReadRecentProjects(settings), c.listed) << c.what;
  }
}
