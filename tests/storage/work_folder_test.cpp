#include "storage/work_folder.h"

#include "storage/settings_store.h"
#include "tests/common/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// A fresh documents folder per test; the process's current folder is put back afterwards.
class WorkFolder : public ::testing::Test
{
protected:
  void SetUp() override { fs::create_directory(mDocuments); }
  void TearDown() override { fs::current_path(mStarted); }
  std::function<std::string()> Documents() const
  {
    return [path = mDocuments.string()] { return path; };
  }
  std::string Setting() const { return mSettings.Read("Settings", "Directory"); }

  const fs::path mStarted = fs::current_path();
  CTempFolder mTemp;
  const fs::path mRoot = mTemp.Path(), mDocuments = mRoot / "Documents";
  CMemorySettingsStore mSettings;
};
} // namespace

TEST_F(WorkFolder, EmptySettingCreatesTheDefaultFolderAndRemembersIt)
{
  const fs::path expected = mDocuments / "Vantor Designer Files";
  EXPECT_EQ(ChooseWorkFolder(mSettings, Documents()), expected.string());
  EXPECT_TRUE(fs::is_directory(expected));
  EXPECT_EQ(fs::current_path(), expected);
  EXPECT_EQ(Setting(), expected.string());
}

TEST_F(WorkFolder, ARememberedFolderIsEnteredAndTheSettingLeftAlone)
{
  const fs::path mine = mRoot / "projects";
  fs::create_directory(mine);
  mSettings.Write("Settings", "Directory", mine.string());
  int asked = 0;
  EXPECT_EQ(ChooseWorkFolder(mSettings, [&] { ++asked; return mDocuments.string(); }),
            mine.string());
  EXPECT_EQ(fs::current_path(), mine);
  EXPECT_EQ(Setting(), mine.string());
  EXPECT_EQ(asked, 0); // the documents folder is not even looked up
  EXPECT_FALSE(fs::exists(mDocuments / "Vantor Designer Files"));
}

TEST_F(WorkFolder, AMissingOrUnusableRememberedFolderFallsBackToTheDefault)
{
  const fs::path expected = mDocuments / "Vantor Designer Files";
  mSettings.Write("Settings", "Directory", (mRoot / "gone").string());
  EXPECT_EQ(ChooseWorkFolder(mSettings, Documents()), expected.string());
  EXPECT_EQ(Setting(), expected.string());

  // A remembered path that is a file cannot be entered either.
  std::ofstream(mRoot / "plain-file") << "x";
  mSettings.Write("Settings", "Directory", (mRoot / "plain-file").string());
  EXPECT_EQ(ChooseWorkFolder(mSettings, Documents()), expected.string());
  EXPECT_EQ(Setting(), expected.string());
}

TEST_F(WorkFolder, NoUsableFolderRemovesTheSettingAndStaysPut)
{
  fs::current_path(mRoot);
  mSettings.Write("Settings", "Directory", (mRoot / "gone").string());
  // The documents folder is unknown.
  EXPECT_EQ(ChooseWorkFolder(mSettings, [] { return std::string(); }), "");
  EXPECT_FALSE(mSettings.Contains("Settings", "Directory"));
  EXPECT_EQ(fs::current_path(), mRoot);

  // A file stands where the default folder would be: it is not replaced.
  std::ofstream(mDocuments / "Vantor Designer Files") << "not a folder";
  mSettings.Write("Settings", "Directory", "");
  EXPECT_EQ(ChooseWorkFolder(mSettings, Documents()), "");
  EXPECT_FALSE(mSettings.Contains("Settings", "Directory"));
  EXPECT_TRUE(fs::is_regular_file(mDocuments / "Vantor Designer Files"));
  EXPECT_EQ(fs::current_path(), mRoot);
}

TEST_F(WorkFolder, AnExistingDefaultFolderIsUsedAsItIs)
{
  const fs::path expected = mDocuments / "Vantor Designer Files";
  fs::create_directory(expected);
  std::ofstream(expected / "job.ad") << "kept";
  EXPECT_EQ(ChooseWorkFolder(mSettings, Documents()), expected.string());
  EXPECT_TRUE(fs::exists(expected / "job.ad"));
}

TEST_F(WorkFolder, ChangingTheFolderRemembersItOnlyWhenItCanBeEntered)
{
  const fs::path other = mRoot / "other";
  fs::create_directory(other);
  mSettings.Write("Settings", "Directory", mRoot.string());
  fs::current_path(mRoot);
  EXPECT_FALSE(ChangeWorkFolder(mSettings, (mRoot / "gone").string()));
  EXPECT_EQ(Setting(), mRoot.string());
  EXPECT_EQ(fs::current_path(), mRoot);
  EXPECT_TRUE(ChangeWorkFolder(mSettings, other.string()));
  EXPECT_EQ(Setting(), other.string());
  EXPECT_EQ(CurrentFolder(), other.string());
}
