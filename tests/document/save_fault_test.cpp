// Faults injected into every kind of file the program writes: a read-only
// folder, a failure at each system call of a save, and a saving process
// killed at random moments. Each time the file on disk must be the old one
// or the new one, whole, and nothing of the save may be left beside it once
// the program runs again.

#include "document/report_files.h"
#include "model/area.h"
#include "model/project.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "storage/address_book.h"
#include "storage/name_list.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "storage/settings_store.h"
#include "storage/work_folder.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <linux/capability.h>
#include <random>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Two versions of each content, large enough that a save takes many writes.
void FillProject(CProject& project, const fs::path& folder, int version)
{
  project.SetName("Plant");
  project.mPath = (folder / "Plant.ad").string();
  project.mProject_Reference = version ? "REF-2" : "REF-1";
  project.mNotes.clear();
  for (int line = 0; line < 400 + 100 * version; ++line)
    project.mNotes += "Line " + std::to_string(line) + " of the notes of version " +
                      std::to_string(version) + "\r\n";
  for (int i = 0; i < 12 + 4 * version; ++i)
  {
    const std::string name = "Volume " + std::to_string(i);
    project.mAreaTable.AddNew(name, 1 + i % 3);
    CArea* area = project.mAreaTable.Find(name);
    area->SetLength(10 + i);
    area->SetWidth(8 + version);
    area->SetHeight(4);
    area->mVentTable.Add(0, 0, 1.5, 2.0, 3.0);
    area->mNotes = "Notes of " + name;
  }
  project.RecalculateProject();
}

void FillCustomers(CAddressBook& book, int version)
{
  book.Clear();
  for (int i = 0; i < 150 + 50 * version; ++i)
    book.Put(CAddress{"Customer " + std::to_string(i), "1 High Street", "Unit " + std::to_string(version),
                      "Springfield", "ST", "Country", "12345"});
}

void FillDesigners(CNameList& list, int version)
{
  list.Clear();
  for (int i = 0; i < 900 + 300 * version; ++i)
    list.Add("Designer number " + std::to_string(i));
}

// One kind of file: how version 0 or 1 is saved through the program's own
// save function, the bytes it must give, and whether bytes read back whole
// through the program's reader (where there is one).
struct CFileKind
{
  const char* label;
  std::string file;
  std::function<bool(const fs::path& folder, int version, std::string* error)> save;
  std::function<std::string(const fs::path& folder, int version)> bytes;
  std::function<bool(const std::string& bytes)> reads;
};

std::string ProjectBytes(const fs::path& folder, int version)
{
  CProject project;
  FillProject(project, folder, version);
  std::string bytes;
  EncodeProjectFile(project, bytes);
  return bytes;
}

// A shared list (the customer book, the designers' names), saved by its own
// Save and read back by its own Decode.
template <class List> CFileKind SharedListKind(const char* label, const std::string& file, void (*fill)(List&, int))
{
  return {label, file,
          [file, fill](const fs::path& folder, int v, std::string* error)
          {
            List list;
            fill(list, v);
            return list.Save((folder / file).string(), error);
          },
          [fill](const fs::path&, int v)
          {
            List list;
            fill(list, v);
            std::string bytes;
            list.Encode(bytes);
            return bytes;
          },
          [](const std::string& bytes) { return List().Decode(bytes); }};
}

std::vector<CFileKind> FileKinds()
{
  std::vector<CFileKind> kinds;
  kinds.push_back({"project", "Plant.ad",
                   [](const fs::path& folder, int v, std::string* error)
                   {
                     CProject project;
                     FillProject(project, folder, v);
                     return SaveProject(project, error);
                   },
                   ProjectBytes,
                   [](const std::string& bytes)
                   {
                     CProject project;
                     return ReadProjectFile(bytes, project);
                   }});
  kinds.push_back(SharedListKind<CAddressBook>("customers", kCustomerFileName, FillCustomers));
  kinds.push_back(SharedListKind<CNameList>("designers", kDesignerFileName, FillDesigners));
  kinds.push_back({"report", "Plant.rtf",
                   [](const fs::path& folder, int v, std::string* error)
                   {
                     CProject project;
                     FillProject(project, folder, v);
                     return WriteRtfReport(project, (folder / "Plant.rtf").string(), error);
                   },
                   [](const fs::path& folder, int v)
                   {
                     CProject project;
                     FillProject(project, folder, v);
                     return RtfReport(project);
                   },
                   nullptr});
  kinds.push_back({"dump", "Plant.dmp",
                   [](const fs::path& folder, int v, std::string* error)
                   {
                     CProject project;
                     FillProject(project, folder, v);
                     return DumpProject(project, error);
                   },
                   [](const fs::path& folder, int v)
                   {
                     CProject project;
                     FillProject(project, folder, v);
                     return DumpText(project);
                   },
                   nullptr});
  return kinds;
}

// Counts the system calls of a save and makes the one numbered `mFailAt`
// fail as the disk or the file system would. A failing write first writes
// half of what it was given, as a filling disk does, and every later write
// then fails.
class CFaultyCalls : public CSafeFileCalls
{
public:
  explicit CFaultyCalls(int failAt = -1) : mFailAt(failAt), mPrevious(SetSafeFileCalls(this)) {}
  ~CFaultyCalls() override { SetSafeFileCalls(mPrevious); }

  int Create(const char* path) override
  {
    return Hit("create") ? Refuse(ENOSPC) : CSafeFileCalls::Create(path);
  }
  int SetMode(int fd, mode_t mode) override
  {
    return Hit("set mode") ? Refuse(EPERM) : CSafeFileCalls::SetMode(fd, mode);
  }
  ssize_t Write(int fd, const void* data, std::size_t size) override
  {
    if (mFull)
      return Refuse(ENOSPC);
    if (Hit("write"))
    {
      mFull = true;
      if (size > 1)
        return CSafeFileCalls::Write(fd, data, size / 2);
      return Refuse(ENOSPC);
    }
    return CSafeFileCalls::Write(fd, data, size);
  }
  int Sync(int fd) override { return Hit("sync") ? Refuse(EIO) : CSafeFileCalls::Sync(fd); }
  int Close(int fd) override
  {
    if (!Hit("close"))
      return CSafeFileCalls::Close(fd);
    CSafeFileCalls::Close(fd); // the descriptor is gone even when close reports an error
    return Refuse(EIO);
  }
  int Rename(const char* from, const char* to) override
  {
    return Hit("rename") ? Refuse(ENOSPC) : CSafeFileCalls::Rename(from, to);
  }

  int mCalls = 0;
  std::string mFailed; // the call that was made to fail

private:
  bool Hit(const char* what)
  {
    if (mCalls++ != mFailAt)
      return false;
    mFailed = what;
    return true;
  }
  static int Refuse(int err)
  {
    errno = err;
    return -1;
  }

  int mFailAt;
  bool mFull = false;
  CSafeFileCalls* mPrevious;
};

// Root writes into read-only folders; for the length of a test the thread
// gives up that privilege (and takes it back afterwards).
class CWithoutOverride
{
public:
  CWithoutOverride()
  {
    if (::geteuid() != 0)
    {
      mActive = true;
      return;
    }
    mHeader.version = _LINUX_CAPABILITY_VERSION_3;
    if (::syscall(SYS_capget, &mHeader, mSaved) != 0)
      return;
    __user_cap_data_struct reduced[2];
    std::memcpy(reduced, mSaved, sizeof reduced);
    reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    mActive = ::syscall(SYS_capset, &mHeader, reduced) == 0;
    mRestore = mActive;
  }
  ~CWithoutOverride()
  {
    if (mRestore)
      ::syscall(SYS_capset, &mHeader, mSaved);
  }
  bool Active() const { return mActive; }

private:
  __user_cap_header_struct mHeader{};
  __user_cap_data_struct mSaved[2]{};
  bool mActive = false;
  bool mRestore = false;
};

class SaveFaultTest : public ::testing::TestWithParam<CFileKind>
{
protected:
  void SetUp() override
  {
    mTarget = mDir / GetParam().file;
    mOld = GetParam().bytes(mDir, 0);
    mNew = GetParam().bytes(mDir, 1);
    ASSERT_NE(mOld, mNew);
  }
  void TearDown() override
  {
    fs::current_path(mStarted);
    fs::permissions(mDir, fs::perms::owner_all);
  }

  bool Save(int version, std::string* error = nullptr) const
  {
    return GetParam().save(mDir, version, error);
  }
  // The old file whole, as the program's reader takes it.
  void ExpectOldFileOnly(const std::string& when) const
  {
    const std::string bytes = ReadBytes(mTarget);
    EXPECT_EQ(bytes, mOld) << when;
    if (GetParam().reads)
    {
      EXPECT_TRUE(GetParam().reads(bytes)) << when;
    }
    EXPECT_EQ(FolderNames(mDir), std::vector<std::string>{GetParam().file}) << when;
  }

  CTempFolder mTemp;
  const fs::path mDir = mTemp.Path(), mStarted = fs::current_path();
  fs::path mTarget;
  std::string mOld, mNew;
};

std::string KindName(const ::testing::TestParamInfo<CFileKind>& info) { return info.param.label; }
void PrintTo(const CFileKind& kind, std::ostream* out) { *out << kind.label; }
} // namespace

TEST_P(SaveFaultTest, AReadOnlyFolderRefusesTheSaveWithAReasonAndKeepsTheOldFile)
{
  ASSERT_TRUE(Save(0));
  fs::permissions(mDir, fs::perms::owner_read | fs::perms::owner_exec);
  CWithoutOverride unprivileged;
  if (!unprivileged.Active())
  {
    GTEST_SKIP() << "cannot give up the right to write into read-only folders";
  }
  std::string error;
  EXPECT_FALSE(Save(1, &error));
  EXPECT_NE(error.find(GetParam().file), std::string::npos) << error;
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
  ExpectOldFileOnly("read-only folder");
}

TEST_P(SaveFaultTest, AFailureAtEverySystemCallKeepsTheOldFileWholeAndTellsWhy)
{
  int points = 0;
  {
    CFaultyCalls counter;
    ASSERT_TRUE(Save(1));
    points = counter.mCalls;
  }
  ASSERT_GE(points, 8) << "the content should take several writes";
  int survived = 0;
  for (int failAt = 0; failAt < points; ++failAt)
  {
    ASSERT_TRUE(Save(0));
    std::string error;
    std::string failed;
    {
      CFaultyCalls faulty(failAt);
      EXPECT_FALSE(Save(1, &error)) << "call " << failAt;
      failed = faulty.mFailed;
    }
    const std::string when = "failing call " + std::to_string(failAt) + " (" + failed + "): " + error;
    EXPECT_NE(error.find(GetParam().file), std::string::npos) << when;
    EXPECT_NE(error.find(": cannot "), std::string::npos) << when;
    ExpectOldFileOnly(when);
    // The program runs on: the next save goes through whole.
    EXPECT_TRUE(Save(1)) << when;
    EXPECT_EQ(ReadBytes(mTarget), mNew) << when;
    EXPECT_EQ(FolderNames(mDir).size(), 1u) << when;
    if (!HasFailure())
      ++survived;
  }
  EXPECT_EQ(survived, points);
  RecordProperty("faults_injected", points);
  RecordProperty("faults_survived", survived);
  std::printf("[ faults   ] %s: %d injected, %d survived\n", GetParam().label, points, survived);
}

TEST_P(SaveFaultTest, KillingASavingProcessLeavesTheOldOrTheNewFileAndNoTemporaryFile)
{
  ASSERT_TRUE(Save(0));
  // Delays spread over a few saves, so that kills land in every phase.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(Save(i % 2));
  const auto pair = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now() - start) / 2;
  std::mt19937 random(20240611u);
  std::uniform_int_distribution<long> delay(0, 3 * pair.count() + 500);

  constexpr int kKills = 40;
  int leftovers = 0;
  int newSeen = 0;
  for (int kill = 0; kill < kKills; ++kill)
  {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
      ::alarm(20); // never outlives a failed test
      for (int v = 1;; v ^= 1)
        Save(v);
    }
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    const std::string bytes = ReadBytes(mTarget);
    ASSERT_TRUE(bytes == mOld || bytes == mNew) << "kill " << kill << ": " << bytes.size() << " bytes";
    if (GetParam().reads)
    {
      EXPECT_TRUE(GetParam().reads(bytes)) << "kill " << kill;
    }
    newSeen += bytes == mNew;
    if (FolderNames(mDir).size() > 1)
      ++leftovers;
    // The program runs again: entering its work folder removes what the kill left.
    CMemorySettingsStore settings;
    ASSERT_TRUE(ChangeWorkFolder(settings, mDir.string()));
    ASSERT_EQ(FolderNames(mDir), std::vector<std::string>{GetParam().file}) << "kill " << kill;
  }
  RecordProperty("kills", kKills);
  RecordProperty("kills_leaving_a_temporary_file", leftovers);
  std::printf("[ kills    ] %s: %d kills, %d left a temporary file, %d found the new file\n",
              GetParam().label, kKills, leftovers, newSeen);
}

INSTANTIATE_TEST_SUITE_P(EveryFileKind, SaveFaultTest, ::testing::ValuesIn(FileKinds()), KindName);

// What a save killed after its first write leaves beside `path`.
void LeaveATemporaryFile(const fs::path& path)
{
  const pid_t child = ::fork();
  if (child == 0)
  {
    CSafeFile file(path.string());
    file.Open();
    file.Write("half");
    ::_exit(0); // no destructor: as if killed
  }
  ::waitpid(child, nullptr, 0);
}

TEST(SaveLeftovers, OnlyUnheldTemporaryFilesOfOurOwnMakingAreRemoved)
{
  const CTempFolder temp;
  const fs::path& dir = temp.Path();
  LeaveATemporaryFile(dir / "Plant.ad");
  LeaveATemporaryFile(dir / "Plant.ad"); // this save removed the first one's leftover
  LeaveATemporaryFile(dir / kCustomerFileName);
  LeaveATemporaryFile(dir / "notes.txt"); // not a file the program writes
  ASSERT_EQ(FolderNames(dir).size(), 3u);
  const std::string strangers = FolderNames(dir).back(); // .notes.txt.*
  // Files of the same shape that a user or another program made.
  const std::vector<std::string> theirs = {".Plant.ad.backup", ".Plant.ad.a1B2c3", ".Plant.ad.a1B2c",
                                           ".customer.vtx.Zz9Yy8"};
  for (const std::string& name : theirs)
    std::ofstream(dir / name) << "x";

  // A save in progress holds its temporary file: no cleaner touches it.
  CSafeFile live((dir / "Live.ad").string());
  ASSERT_TRUE(live.Open());
  ASSERT_TRUE(live.Write("live"));

  EXPECT_EQ(RemoveLeftoverTemporaries((dir / "Plant.ad").string()), 1);
  EXPECT_EQ(RemoveLeftoverSaveFiles(dir.string()), 1); // customer.vtx's
  std::vector<std::string> left = FolderNames(dir);
  std::vector<std::string> expected = theirs;
  expected.push_back(strangers);
  for (const std::string& name : left)
    if (name.rfind(".Live.ad.", 0) == 0)
      expected.push_back(name);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);

  ASSERT_TRUE(live.Commit());
  EXPECT_EQ(ReadBytes(dir / "Live.ad"), "live");
  EXPECT_EQ(FolderNames(dir).size(), theirs.size() + 2);
}

TEST(SaveLeftovers, TheLongestNamesAreWrittenAndCleanedUpAndANulInANameIsRefused)
{
  const CTempFolder temp;
  const fs::path& dir = temp.Path();
  // A name of the longest length leaves no room for the temporary name's
  // eight characters more: the temporary file is named shorter.
  const fs::path longest = dir / (std::string(252, 'n') + ".ad");
  std::string error;
  EXPECT_TRUE(WriteFileSafely(longest.string(), "long", &error)) << error;
  EXPECT_EQ(ReadBytes(longest), "long");
  LeaveATemporaryFile(longest);
  EXPECT_EQ(FolderNames(dir).size(), 2u);
  EXPECT_EQ(RemoveLeftoverSaveFiles(dir.string()), 1);
  LeaveATemporaryFile(longest);
  EXPECT_EQ(RemoveLeftoverTemporaries(longest.string()), 1);

  // The system would write "a" instead of "a\0b.ad".
  EXPECT_FALSE(WriteFileSafely((dir / std::string("a\0b.ad", 6)).string(), "x", &error));
  EXPECT_NE(error.find("NUL"), std::string::npos) << error;
  EXPECT_EQ(FolderNames(dir), std::vector<std::string>{longest.filename().string()});
}
