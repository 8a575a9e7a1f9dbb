#include "storage/catalogue.h"

#include "model/project.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
class Catalogue : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = (fs::temp_directory_path() / "vantor-cat-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    mRoot = fs::canonical(pattern);
    mFolder = (mRoot / "work").string();
    fs::create_directory(mFolder);
  }
  void TearDown() override { fs::remove_all(mRoot); }

  void Write(const fs::path& path, const std::string& content)
  {
    std::ofstream(path, std::ios::binary) << content;
  }
  std::string Read(const fs::path& path)
  {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path mRoot;
  std::string mFolder;
};
} // namespace

TEST(ProjectName, OnlyTheLastPathComponentIsKept)
{
  EXPECT_EQ(NormalizeProjectName("Warehouse 3"), "Warehouse 3");
  EXPECT_EQ(NormalizeProjectName("a\\b"), "b");
  EXPECT_EQ(NormalizeProjectName("a/b"), "b");
  EXPECT_EQ(NormalizeProjectName("../../etc/passwd"), "passwd");
  EXPECT_EQ(NormalizeProjectName("C:\\jobs\\plant.v2"), "plant.v2");
  // Nothing usable is left: empty, so the name check refuses it.
  EXPECT_EQ(NormalizeProjectName("a/"), "");
  EXPECT_EQ(NormalizeProjectName(".."), "");
  EXPECT_EQ(NormalizeProjectName("x/."), "");
  EXPECT_EQ(NormalizeProjectName("\\.."), "");
  // Control characters cannot stand in a file name; a NUL would cut it short.
  EXPECT_EQ(NormalizeProjectName(std::string("a\tb\0c\x7F", 6)), "a b c ");
  EXPECT_EQ(NormalizeProjectName("..."), "...");
  // Windows-1252 letters pass unchanged.
  EXPECT_EQ(NormalizeProjectName("Caf\xE9"), "Caf\xE9");
}

TEST_F(Catalogue, ANameIsInUseWhenOpenOrWhenItsFileExists)
{
  COpenProjects open;
  auto project = std::make_unique<CProject>();
  project->SetName("Open one");
  open.Insert(std::move(project));
  Write(fs::path(mFolder) / "On disk.ad", "x");

  EXPECT_EQ(CheckProjectName("", open, mFolder), CProjectNameProblem::Empty);
  EXPECT_EQ(CheckProjectName(" \t ", open, mFolder), CProjectNameProblem::Empty);
  EXPECT_EQ(CheckProjectName("Open one", open, mFolder), CProjectNameProblem::InUse);
  EXPECT_EQ(CheckProjectName("On disk", open, mFolder), CProjectNameProblem::InUse);
  EXPECT_EQ(CheckProjectName("on disk", open, mFolder), CProjectNameProblem::None);
  EXPECT_EQ(CheckProjectName("Fresh", open, mFolder), CProjectNameProblem::None);
  for (const char* folderPart : {"a/b", "a\\b", "Fresh/"})
    EXPECT_EQ(CheckProjectName(folderPart, open, mFolder), CProjectNameProblem::Separator)
      << folderPart;
}

TEST_F(Catalogue, ListsProjectFilesOnlyInByteOrder)
{
  const fs::path folder(mFolder);
  for (const char* name : {"beta.ad", "Alpha.ad", "alpha.ad", "\xC9tude.ad", "Zulu.ad",
                           "upper.AD", "notes.txt", "archive.ad.bak", ".ad", "Open.ad"})
    Write(folder / name, "x");
  fs::create_directory(folder / "folder.ad");
  fs::create_symlink(folder / "missing", folder / "dangling.ad");
  fs::create_symlink(folder / "beta.ad", folder / "linked.ad");

  const std::vector<std::string> expected = {"Alpha", "Zulu", "alpha", "beta", "linked",
                                             "\xC9tude"};
  EXPECT_EQ(ListProjectNames(mFolder, {"Open"}), expected);
  EXPECT_TRUE(ListProjectNames((mRoot / "gone").string(), {}).empty());
}

TEST_F(Catalogue, RowsComeFromTheFilesThatRead)
{
  for (auto [name, designer, reference] :
       {std::tuple{"North", "Ann Lee", "N-1"}, std::tuple{"East", "", "E-9"}})
  {
    CProject project;
    project.SetName(name);
    project.mPath = (fs::path(mFolder) / ProjectFileName(name)).string();
    project.mProject_Designer = designer;
    project.mProject_Reference = reference;
    project.mProject_Date = "03/04/25";
    ASSERT_TRUE(project.Save());
  }
  Write(fs::path(mFolder) / "empty.ad", "");
  Write(fs::path(mFolder) / "junk.ad", "not a project");
  // Version 5 comes from a newer program: refused like a damaged file.
  Write(fs::path(mFolder) / "future.ad", std::string("\x05\0\0\0", 4));

  const std::vector<CCatalogueRow> rows = ReadCatalogue(mFolder, {});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].mName, "East");
  EXPECT_EQ(rows[0].mReference, "E-9");
  EXPECT_EQ(rows[1].mName, "North");
  EXPECT_EQ(rows[1].mDesigner, "Ann Lee");
  EXPECT_EQ(rows[1].mDate, "03/04/25"); // the stored date, not today's
  EXPECT_EQ(ReadCatalogue(mFolder, {"East"}).size(), 1u);
}

TEST_F(Catalogue, RenameNeverReplacesAFile)
{
  const fs::path folder(mFolder);
  Write(folder / "old.ad", "old");
  Write(folder / "taken.ad", "taken");
  std::string error;
  EXPECT_FALSE(RenameProjectFile(mFolder, "old", "taken", &error));
  EXPECT_NE(error.find("already exists"), std::string::npos);
  EXPECT_EQ(Read(folder / "taken.ad"), "taken");
  EXPECT_EQ(Read(folder / "old.ad"), "old");

  EXPECT_TRUE(RenameProjectFile(mFolder, "old", "new", &error));
  EXPECT_FALSE(fs::exists(folder / "old.ad"));
  EXPECT_EQ(Read(folder / "new.ad"), "old");

  EXPECT_FALSE(RenameProjectFile(mFolder, "old", "again", &error));
  EXPECT_FALSE(fs::exists(folder / "again.ad"));
}

TEST_F(Catalogue, MoveReplacesOnlyWhenAskedTo)
{
  const fs::path from(mFolder), to = mRoot / "elsewhere";
  fs::create_directory(to);
  Write(from / "job.ad", "new");
  Write(to / "job.ad", "older");
  std::string error;
  EXPECT_FALSE(MoveProjectFile(mFolder, to.string(), "job", false, &error));
  EXPECT_EQ(Read(to / "job.ad"), "older");
  EXPECT_EQ(Read(from / "job.ad"), "new");

  EXPECT_TRUE(MoveProjectFile(mFolder, to.string(), "job", true, &error)) << error;
  EXPECT_EQ(Read(to / "job.ad"), "new");
  EXPECT_FALSE(fs::exists(from / "job.ad"));

  Write(from / "solo.ad", "solo");
  EXPECT_TRUE(MoveProjectFile(mFolder, to.string(), "solo", false, &error));
  EXPECT_EQ(Read(to / "solo.ad"), "solo");

  // A folder of the project's name in the target is not replaced.
  Write(from / "boxed.ad", "boxed");
  fs::create_directory(to / "boxed.ad");
  EXPECT_FALSE(MoveProjectFile(mFolder, to.string(), "boxed", true, &error));
  EXPECT_EQ(Read(from / "boxed.ad"), "boxed");
}

TEST_F(Catalogue, MovingAFileOntoItselfNeverDeletesIt)
{
  const fs::path folder(mFolder);
  Write(folder / "job.ad", "precious");
  fs::create_directory_symlink(folder, mRoot / "alias");
  const std::string spellings[] = {(mRoot / "alias").string(), mFolder + "/", mFolder + "/.",
                                   (mRoot / "work" / ".." / "work").string()};
  for (const std::string& same : spellings)
  {
    EXPECT_TRUE(SameFolder(mFolder, same)) << same;
    std::string error;
    EXPECT_FALSE(MoveProjectFile(mFolder, same, "job", true, &error)) << same;
    EXPECT_EQ(Read(folder / "job.ad"), "precious") << same;
  }
  // A second name for the same file (hard link) in another folder counts as the file itself.
  fs::create_directory(mRoot / "other");
  fs::create_hard_link(folder / "job.ad", mRoot / "other" / "job.ad");
  EXPECT_FALSE(SameFolder(mFolder, (mRoot / "other").string()));
  EXPECT_FALSE(MoveProjectFile(mFolder, (mRoot / "other").string(), "job", true));
  EXPECT_EQ(Read(folder / "job.ad"), "precious");
}

TEST_F(Catalogue, DeleteRemovesTheFileAndSaysWhenItCannot)
{
  const fs::path folder(mFolder);
  Write(folder / "job.ad", "x");
  std::string error;
  EXPECT_TRUE(DeleteProjectFile(mFolder, "job", &error));
  EXPECT_FALSE(fs::exists(folder / "job.ad"));
  EXPECT_FALSE(DeleteProjectFile(mFolder, "job", &error));
  EXPECT_FALSE(error.empty());
  fs::create_directory(folder / "box.ad");
  EXPECT_FALSE(DeleteProjectFile(mFolder, "box", &error));
  EXPECT_TRUE(fs::is_directory(folder / "box.ad"));
}
