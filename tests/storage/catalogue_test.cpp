#include "storage/catalogue.h"

#include "model/project.h"
#include "storage/address_book.h"
#include "storage/byte_reader.h"
#include "storage/lock_file.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "tests/common/child_processes.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <tuple>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace
{
// The projects' folder "work" inside a temporary folder.
class Catalogue : public ::testing::Test
{
protected:
  void SetUp() override { fs::create_directory(mFolder); }

  CTempFolder mTemp;
  const fs::path mRoot = mTemp.Path();
  const std::string mFolder = (mRoot / "work").string();
};

// Renames that meet another file system for their first `mCrossDevice`
// calls, and run `mBefore` (another program at work) before each one.
class CRenameRace : public CSafeFileCalls
{
public:
  CRenameRace() : mPrevious(SetSafeFileCalls(this)) {}
  ~CRenameRace() override { SetSafeFileCalls(mPrevious); }
  int Rename(const char* from, const char* to) override
  {
    return Next() ? CSafeFileCalls::Rename(from, to) : -1;
  }
  int RenameNoReplace(const char* from, const char* to) override
  {
    return Next() ? CSafeFileCalls::RenameNoReplace(from, to) : -1;
  }
  int mCrossDevice = 0;
  std::function<void()> mBefore;

private:
  bool Next()
  {
    if (mCrossDevice > 0)
    {
      --mCrossDevice;
      errno = EXDEV;
      return false;
    }
    if (mBefore)
      mBefore();
    return true;
  }
  CSafeFileCalls* mPrevious;
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
  const CIsOpenProject open = [](std::string_view name) { return name == "Open one"; };
  WriteBytes(fs::path(mFolder) / "On disk.ad", "x");

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
    WriteBytes(folder / name, "x");
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
    ASSERT_TRUE(SaveProject(project));
  }
  WriteBytes(fs::path(mFolder) / "empty.ad", "");
  WriteBytes(fs::path(mFolder) / "junk.ad", "not a project");
  // Version 5 comes from a newer program: refused like a damaged file.
  WriteBytes(fs::path(mFolder) / "future.ad", std::string("\x05\0\0\0", 4));

  const std::vector<CCatalogueRow> rows = ReadCatalogue(mFolder, {});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].mName, "East");
  EXPECT_EQ(rows[0].mReference, "E-9");
  EXPECT_EQ(rows[1].mName, "North");
  EXPECT_EQ(rows[1].mDesigner, "Ann Lee");
  EXPECT_EQ(rows[1].mDate, "03/04/25"); // the stored date, not today's
  EXPECT_EQ(ReadCatalogue(mFolder, {"East"}).size(), 1u);
}

TEST_F(Catalogue, WhatIsNoProjectFileIsRefusedAtOnceWithAReason)
{
  // A named pipe would block a reader that opens it; the alarm ends a hang.
  ::alarm(30);
  const fs::path folder(mFolder);
  ASSERT_EQ(::mkfifo((folder / "Pipe.ad").c_str(), 0600), 0);
  fs::create_directory(folder / "Folder.ad");
  fs::create_symlink("/dev/zero", folder / "Zero.ad");
  int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = (folder / "Socket.ad").string();
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  // Sparse: far larger than any project, yet it takes no room on the disk.
  WriteBytes(folder / "Huge.ad", "");
  fs::resize_file(folder / "Huge.ad", kMaxReadFileBytes + 1);
  CProject good;
  good.SetName("Good");
  good.mPath = (folder / "Good.ad").string();
  ASSERT_TRUE(SaveProject(good));

  const std::pair<const char*, const char*> cases[] = {
    {"Pipe", "named pipe"}, {"Folder", "Is a directory"}, {"Zero", "device"},
    {"Socket", "socket"},   {"Huge", "too large"}};
  for (auto [name, reason] : cases)
  {
    CProject project;
    project.SetName(name);
    project.mPath = (folder / ProjectFileName(name)).string();
    std::string error;
    EXPECT_FALSE(LoadProject(project, &error)) << name;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    CNameList list;
    EXPECT_FALSE(list.Load(project.mPath, &error)) << name;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
  }
  const std::vector<CCatalogueRow> rows = ReadCatalogue(mFolder, {});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].mName, "Good");
  ::close(sock);
  ::alarm(0);
}

TEST_F(Catalogue, RenameNeverReplacesAFile)
{
  const fs::path folder(mFolder);
  WriteBytes(folder / "old.ad", "old");
  WriteBytes(folder / "taken.ad", "taken");
  std::string error;
  EXPECT_FALSE(RenameProjectFile(mFolder, "old", "taken", &error));
  EXPECT_NE(error.find("already exists"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder / "taken.ad"), "taken");
  EXPECT_EQ(ReadBytes(folder / "old.ad"), "old");

  EXPECT_TRUE(RenameProjectFile(mFolder, "old", "new", &error));
  EXPECT_FALSE(fs::exists(folder / "old.ad"));
  EXPECT_EQ(ReadBytes(folder / "new.ad"), "old");

  EXPECT_FALSE(RenameProjectFile(mFolder, "old", "again", &error));
  EXPECT_FALSE(fs::exists(folder / "again.ad"));
}

TEST_F(Catalogue, MoveReplacesOnlyWhenAskedTo)
{
  const fs::path from(mFolder), to = mRoot / "elsewhere";
  fs::create_directory(to);
  WriteBytes(from / "job.ad", "new");
  WriteBytes(to / "job.ad", "older");
  std::string error;
  EXPECT_FALSE(MoveProjectFile(mFolder, to.string(), "job", false, &error));
  EXPECT_EQ(ReadBytes(to / "job.ad"), "older");
  EXPECT_EQ(ReadBytes(from / "job.ad"), "new");

  EXPECT_TRUE(MoveProjectFile(mFolder, to.string(), "job", true, &error)) << error;
  EXPECT_EQ(ReadBytes(to / "job.ad"), "new");
  EXPECT_FALSE(fs::exists(from / "job.ad"));

  WriteBytes(from / "solo.ad", "solo");
  EXPECT_TRUE(MoveProjectFile(mFolder, to.string(), "solo", false, &error));
  EXPECT_EQ(ReadBytes(to / "solo.ad"), "solo");

  // A folder of the project's name in the target is not replaced.
  WriteBytes(from / "boxed.ad", "boxed");
  fs::create_directory(to / "boxed.ad");
  EXPECT_FALSE(MoveProjectFile(mFolder, to.string(), "boxed", true, &error));
  EXPECT_EQ(ReadBytes(from / "boxed.ad"), "boxed");
}

TEST_F(Catalogue, RenameAndMoveNeverReplaceAFileThatAppearsMeanwhile)
{
  const fs::path from(mFolder), to = mRoot / "elsewhere";
  fs::create_directory(to);
  struct Case
  {
    const char* what;
    int crossDevice;
    std::function<bool(std::string*)> act;
    fs::path appears;
  };
  const Case cases[] = {
    {"rename", 0, [&](std::string* e) { return RenameProjectFile(mFolder, "job", "new", e); },
     from / "new.ad"},
    {"move", 0, [&](std::string* e) { return MoveProjectFile(mFolder, to.string(), "job", false, e); },
     to / "job.ad"},
    {"move to another file system", 1,
     [&](std::string* e) { return MoveProjectFile(mFolder, to.string(), "job", false, e); },
     to / "job.ad"},
  };
  for (const Case& c : cases)
  {
    WriteBytes(from / "job.ad", "mine");
    CRenameRace race;
    race.mCrossDevice = c.crossDevice;
    race.mBefore = [&] { WriteBytes(c.appears, "theirs"); };
    std::string error;
    EXPECT_FALSE(c.act(&error)) << c.what;
    EXPECT_NE(error.find("already exists"), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(ReadBytes(c.appears), "theirs") << c.what;
    EXPECT_EQ(ReadBytes(from / "job.ad"), "mine") << c.what;
    fs::remove(c.appears);
  }
  // Nothing of the copy is left beside the target.
  EXPECT_TRUE(fs::is_empty(to));
}

TEST_F(Catalogue, AMoveToAnotherFileSystemCopiesSafelyAndFollowsNoLink)
{
  const fs::path from(mFolder), to = mRoot / "elsewhere";
  fs::create_directory(to);
  WriteBytes(mRoot / "victim", "victim");
  fs::create_symlink(mRoot / "victim", to / "job.ad");
  WriteBytes(from / "job.ad", "mine");
  for (bool replace : {false, true})
  {
    CRenameRace race;
    race.mCrossDevice = 1;
    std::string error;
    EXPECT_EQ(MoveProjectFile(mFolder, to.string(), "job", replace, &error), replace) << error;
  }
  // The link was replaced, not written through.
  EXPECT_EQ(ReadBytes(mRoot / "victim"), "victim");
  EXPECT_FALSE(fs::is_symlink(to / "job.ad"));
  EXPECT_EQ(ReadBytes(to / "job.ad"), "mine");
  EXPECT_FALSE(fs::exists(from / "job.ad"));
  EXPECT_EQ(FolderNames(to).size(), 1u);

  CRenameRace race;
  race.mCrossDevice = 1;
  WriteBytes(from / "solo.ad", "solo");
  EXPECT_TRUE(MoveProjectFile(mFolder, to.string(), "solo", false));
  EXPECT_EQ(ReadBytes(to / "solo.ad"), "solo");
  EXPECT_FALSE(fs::exists(from / "solo.ad"));
}

TEST_F(Catalogue, MovingAFileOntoItselfNeverDeletesIt)
{
  const fs::path folder(mFolder);
  WriteBytes(folder / "job.ad", "precious");
  fs::create_directory_symlink(folder, mRoot / "alias");
  const std::string spellings[] = {(mRoot / "alias").string(), mFolder + "/", mFolder + "/.",
                                   (mRoot / "work" / ".." / "work").string()};
  for (const std::string& same : spellings)
  {
    EXPECT_TRUE(SameFolder(mFolder, same)) << same;
    std::string error;
    EXPECT_FALSE(MoveProjectFile(mFolder, same, "job", true, &error)) << same;
    EXPECT_EQ(ReadBytes(folder / "job.ad"), "precious") << same;
  }
  // A second name for the same file (hard link) in another folder counts as the file itself.
  fs::create_directory(mRoot / "other");
  fs::create_hard_link(folder / "job.ad", mRoot / "other" / "job.ad");
  EXPECT_FALSE(SameFolder(mFolder, (mRoot / "other").string()));
  EXPECT_FALSE(MoveProjectFile(mFolder, (mRoot / "other").string(), "job", true));
  EXPECT_EQ(ReadBytes(folder / "job.ad"), "precious");
}

TEST_F(Catalogue, DeleteRemovesTheFileAndSaysWhenItCannot)
{
  const fs::path folder(mFolder);
  WriteBytes(folder / "job.ad", "x");
  std::string error;
  EXPECT_TRUE(DeleteProjectFile(mFolder, "job", &error));
  EXPECT_FALSE(fs::exists(folder / "job.ad"));
  EXPECT_FALSE(DeleteProjectFile(mFolder, "job", &error));
  EXPECT_FALSE(error.empty());
  fs::create_directory(folder / "box.ad");
  EXPECT_FALSE(DeleteProjectFile(mFolder, "box", &error));
  EXPECT_TRUE(fs::is_directory(folder / "box.ad"));
}

TEST_F(Catalogue, AProjectOpenReadOnlyElsewhereIsNeitherRenamedMovedNorDeleted)
{
  const fs::path folder(mFolder), to = mRoot / "elsewhere";
  fs::create_directory(to);
  const std::string path = (folder / "job.ad").string();
  WriteBytes(path, "x");
  auto refusals = [&]
  {
    std::vector<std::string> errors(3);
    EXPECT_FALSE(RenameProjectFile(mFolder, "job", "new", &errors[0]));
    EXPECT_FALSE(MoveProjectFile(mFolder, to.string(), "job", false, &errors[1]));
    EXPECT_FALSE(DeleteProjectFile(mFolder, "job", &errors[2]));
    EXPECT_TRUE(fs::exists(path));
    return errors;
  };
  {
    CFileMark reader;
    ASSERT_EQ(reader.MarkReading(path), CLockFile::CState::Held);
    EXPECT_TRUE(MarkedElsewhere(path));
    EXPECT_FALSE(MarkedForChangeElsewhere(path));
    for (const std::string& error : refusals())
      EXPECT_EQ(error, "\"job.ad\" is open read-only in another copy of the program");

    // An open for change beside it is allowed and keeps a second one out;
    // the refusal names the open for change.
    CFileMark writer, secondWriter, secondReader;
    EXPECT_EQ(writer.Mark(path), CLockFile::CState::Held);
    EXPECT_EQ(secondWriter.Mark(path), CLockFile::CState::HeldElsewhere);
    EXPECT_EQ(secondReader.MarkReading(path), CLockFile::CState::Held);
    for (const std::string& error : refusals())
      EXPECT_EQ(error, "\"job.ad\" is open in another copy of the program");
  }
  // A copy that ends without letting go leaves nothing marked.
  int failed = 0;
  RunChildren(
      1,
      [&](int, int)
      {
        auto* kept = new CFileMark; // never let go: the process ends holding it
        return kept->MarkReading(path) == CLockFile::CState::Held && MarkedElsewhere(path) ? 0 : 1;
      },
      failed);
  EXPECT_EQ(failed, 0);
  EXPECT_FALSE(MarkedElsewhere(path));
  EXPECT_TRUE(DeleteProjectFile(mFolder, "job"));
}

TEST(ProjectPath, SplitsIntoAnAbsoluteFolderAndTheFileTitle)
{
  const std::string here = fs::current_path().string();
  for (auto [path, ok, folder, name] :
       {std::tuple{"/jobs/Plant room.ad", true, "/jobs", "Plant room"},
        std::tuple{"/jobs/../mail/x.v2.ad", true, "/mail", "x.v2"},
        std::tuple{"Relative.ad", true, here.c_str(), "Relative"},
        std::tuple{"/jobs/upper.AD", false, "", ""}, std::tuple{"/jobs/.ad", false, "", ""},
        std::tuple{"/jobs/notes.txt", false, "", ""}})
  {
    std::string gotFolder, gotName;
    EXPECT_EQ(SplitProjectPath(path, gotFolder, gotName), ok) << path;
    if (ok)
    {
      EXPECT_EQ(gotFolder, folder) << path;
      EXPECT_EQ(gotName, name) << path;
    }
  }
}

TEST_F(Catalogue, CopyNeverReplacesAFileAndLeavesNothingWhenItFails)
{
  const fs::path outside = mRoot / "mail";
  fs::create_directory(outside);
  WriteBytes(outside / "Job.ad", "attached");
  WriteBytes(fs::path(mFolder) / "Taken.ad", "mine");

  std::string error;
  EXPECT_TRUE(CopyProjectFile((outside / "Job.ad").string(), mFolder, "Job", &error)) << error;
  EXPECT_EQ(ReadBytes(fs::path(mFolder) / "Job.ad"), "attached");
  EXPECT_EQ(ReadBytes(outside / "Job.ad"), "attached");
  EXPECT_TRUE(SameFileContents((outside / "Job.ad").string(), mFolder + "/Job.ad"));

  EXPECT_FALSE(CopyProjectFile((outside / "Job.ad").string(), mFolder, "Taken", &error));
  EXPECT_NE(error.find("already exists"), std::string::npos);
  EXPECT_EQ(ReadBytes(fs::path(mFolder) / "Taken.ad"), "mine");
  EXPECT_FALSE(SameFileContents((outside / "Job.ad").string(), mFolder + "/Taken.ad"));

  EXPECT_FALSE(CopyProjectFile((outside / "Gone.ad").string(), mFolder, "Gone", &error));
  EXPECT_FALSE(fs::exists(fs::path(mFolder) / "Gone.ad"));
  EXPECT_FALSE(SameFileContents((outside / "Gone.ad").string(), (outside / "Gone.ad").string()));
}
