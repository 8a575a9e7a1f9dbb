// Recovery copies: written, listed, skipped while their program runs,
// restored after that program was killed, removed.

#include "document/project_document.h"
#include "model/project.h"
#include "storage/project_file.h"
#include "storage/recovery_store.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
class RecoveryTest : public ::testing::Test
{
protected:
  // A project named with characters a file name could trip over, edited
  // through its document as the windows edit it.
  static void Edit(CProjectDocument& document)
  {
    document.Project().SetName("Hall 5%\x0a\xe9 new");
    document.Project().mProject_Date = "01/02/26";
    ASSERT_TRUE(document.Apply(edit::NewVolume{"Store", 0}));
    document.Apply(edit::SetVolumeSize{document.Project().mAreaTable.Get(0)->Id(), 12.5, 4, 3});
    document.Apply(edit::SetProjectReference{"K-17"});
  }
  static std::string Image(const CProject& project)
  {
    std::string bytes;
    EXPECT_TRUE(EncodeProjectFile(project, bytes));
    return bytes;
  }
  static CRecoveryRecord Record(const CProject& project)
  {
    CRecoveryRecord record;
    record.mName = project.mName;
    record.mFolder = "/home/designer/Vantor Designer Files";
    record.mWritten = 1780000000;
    record.mBase.mKind = CFileStamp::CKind::Present;
    record.mBase.mInode = 42;
    record.mBase.mModified = -5;
    return record;
  }

  CTempFolder mTemp;
  const fs::path mRoot = mTemp.Path();
  const std::string mFolder = (mRoot / "state" / "recovery").string();
};
} // namespace

TEST_F(RecoveryTest, RecordsRoundTripAndRefuseWhatNoProjectCouldBe)
{
  CProjectDocument document;
  Edit(document);
  const CRecoveryRecord record = Record(document.Project());
  CRecoveryRecord read;
  ASSERT_TRUE(DecodeRecoveryRecord(EncodeRecoveryRecord(record), read));
  EXPECT_EQ(read.mName, record.mName);
  EXPECT_EQ(read.mFolder, record.mFolder);
  EXPECT_EQ(read.mWritten, record.mWritten);
  EXPECT_EQ(read.mBase, record.mBase);

  const std::string good = EncodeRecoveryRecord(record);
  for (const std::string& bad :
       {std::string("garbage"), good.substr(0, good.size() - 8),
        EncodeRecoveryRecord({"../../etc/x", "/w", 1, {}}),
        EncodeRecoveryRecord({"a\\b", "/w", 1, {}}), EncodeRecoveryRecord({"", "/w", 1, {}}),
        EncodeRecoveryRecord({"x", "relative", 1, {}}), good + "written=soon\n",
        std::string(good).replace(good.find("name=") + 5, 1, "%zz")})
  {
    std::string why;
    EXPECT_FALSE(DecodeRecoveryRecord(bad, read, &why)) << bad;
    EXPECT_FALSE(why.empty());
  }

  EXPECT_EQ(RecoveryFolderFor("/s", "/h"), "/s/vantor/recovery");
  EXPECT_EQ(RecoveryFolderFor("rel", "/h"), "/h/.local/state/vantor/recovery");
  EXPECT_EQ(RecoveryFolderFor(nullptr, nullptr), "");
}

TEST_F(RecoveryTest, CopiesOfARunningProgramAreLeftAloneOthersAreListedAndRemoved)
{
  CProjectDocument document;
  Edit(document);
  {
    CRecoveryStore running(mFolder);
    ASSERT_TRUE(running.Open());
    EXPECT_EQ(fs::status(mFolder).permissions() & fs::perms::all, fs::perms::owner_all);
    const std::string id = running.NewId();
    EXPECT_NE(id, running.NewId());
    ASSERT_TRUE(running.Write(id, Record(document.Project()), Image(document.Project())));

    CRecoveryStore other(mFolder);
    ASSERT_TRUE(other.Open());
    EXPECT_TRUE(other.LeftCopies().empty()); // its program still runs
  }                                          // the program ends without removing its copy

  CRecoveryStore next(mFolder);
  ASSERT_TRUE(next.Open());
  std::vector<CRecoveryCopy> copies = next.LeftCopies();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].mProblem, "");
  EXPECT_EQ(copies[0].mRecord.mName, document.Project().mName);
  // Taken over: a third program starting now does not offer it as well.
  {
    CRecoveryStore third(mFolder);
    ASSERT_TRUE(third.Open());
    EXPECT_TRUE(third.LeftCopies().empty());
  }
  CProject restored;
  ASSERT_TRUE(next.Read(copies[0], restored));
  EXPECT_EQ(Image(restored), Image(document.Project()));

  // A damaged image reads with a reason; a damaged record is listed with one.
  std::ofstream(next.ImagePath(copies[0].mId), std::ios::trunc) << "not a project";
  std::string why;
  EXPECT_FALSE(next.Read(copies[0], restored, &why));
  EXPECT_FALSE(why.empty());
  std::ofstream(next.RecordPath(copies[0].mId), std::ios::trunc) << "Vantor recovery copy 1\nname=";
  next.Release();
  CRecoveryStore after(mFolder);
  ASSERT_TRUE(after.Open());
  copies = after.LeftCopies();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].mProblem, "its record is cut short");

  after.Remove(copies[0].mId);
  EXPECT_TRUE(after.LeftCopies().empty());
  after.Release();
  // Nothing of the ended programs is left, only the locks of the two running ones.
  EXPECT_EQ(FolderNames(mFolder).size(), 2u);
}

// A program editing a project is killed outright after its copy was written:
// the copy is then found, restores the edited project exactly, and discard
// removes it.
TEST_F(RecoveryTest, ACopyOutlivesItsProgramKilledMidSession)
{
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0)
  {
    ::close(ready[0]);
    CRecoveryStore store(mFolder);
    CProjectDocument document;
    Edit(document);
    const bool ok = store.Open() && store.Write(store.NewId(), Record(document.Project()),
                                                Image(document.Project()));
    document.Apply(edit::SetCustomerReference{"typed after the copy"}); // lost with the program
    (void)!::write(ready[1], ok ? "y" : "n", 1);
    ::pause();
    ::_exit(0);
  }
  ::close(ready[1]);
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  ::close(ready[0]);
  ASSERT_EQ(answer, 'y');

  CRecoveryStore store(mFolder);
  ASSERT_TRUE(store.Open());
  EXPECT_TRUE(store.LeftCopies().empty()); // the program still runs
  ::kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  const std::vector<CRecoveryCopy> copies = store.LeftCopies();
  ASSERT_EQ(copies.size(), 1u);
  CProjectDocument expected;
  Edit(expected);
  EXPECT_EQ(copies[0].mRecord.mName, expected.Project().mName);
  CProject restored;
  ASSERT_TRUE(store.Read(copies[0], restored));
  EXPECT_EQ(Image(restored), Image(expected.Project()));

  store.Remove(copies[0].mId);
  store.Release();
  EXPECT_FALSE(fs::exists(store.ImagePath(copies[0].mId)));
  EXPECT_TRUE(store.LeftCopies().empty());
}
