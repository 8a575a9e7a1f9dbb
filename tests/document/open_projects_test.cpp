#include "document/open_projects.h"

#include "document/project_document.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(OpenProjectSet, KeepsProjectsInNameOrderOncePerName)
{
  COpenProjects set;
  for (const char* name : {"b", "A", "a"})
  {
    auto p = std::make_unique<CProject>();
    p->SetName(name);
    ASSERT_TRUE(set.Insert(std::move(p)));
  }
  auto dup = std::make_unique<CProject>();
  dup->SetName("a");
  EXPECT_FALSE(set.Insert(std::move(dup)));
  EXPECT_EQ(set.Names(), (std::vector<std::string>{"A", "a", "b"}));
  CProject* a = set.Find("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(set.Find("B"), nullptr);
  std::unique_ptr<CProject> taken = set.Remove(a);
  EXPECT_EQ(taken.get(), a);
  EXPECT_EQ(set.Remove(a), nullptr);
  EXPECT_EQ(set.Names(), (std::vector<std::string>{"A", "b"}));
  EXPECT_TRUE(OpenProjects().Empty() || OpenProjects().Count() > 0); // the program's set exists
}

TEST(OpenProjectSet, OnlyAnOpenProjectIsSavedThroughIt)
{
  // A project without a document would be written past the file's mark and
  // stamp: it is refused, and nothing is written.
  CProject stray;
  stray.SetName("Stray");
  stray.mPath = (std::filesystem::temp_directory_path() / "vantor-stray-never-written.ad").string();
  std::filesystem::remove(stray.mPath);
  std::string error;
  EXPECT_FALSE(SaveOpenProject(stray, &error));
  EXPECT_NE(error.find("not open"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(stray.mPath));
}
