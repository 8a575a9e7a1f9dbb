// Runs the real vantor-cli binary on project files and checks its output,
// standard error and exit status.

#include "tests/cli/cli_run.h"
#include "tests/common/temp_folder.h"
#include "tests/storage/byte_builder.h"
#include "model/project.h"
#include "report/data_dump.h"
#include "storage/lock_file.h"
#include "storage/project_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// Enough address space for vantor-cli to load a project of 32 MB of notes
// (a 65 MB file) and write it out as it goes, but not to hold all of its
// text once more: measured, the JSON export needs 105 MB, the CSV 155 MB.
constexpr int kMemoryLimitKb = 130 * 1024;

// An old-format (version 3) project: one volume of class 0 with an opening
// and devices of 2500 g.
std::string Version3Room(double length, double width, double height, std::uint32_t devices)
{
  CTestBytes f;
  f.U32(3).Str("12/01/24").Str("R1").Str("Des").Address("Dist").Str("").Address("Cust").Str("").U32(0);
  f.U32(1).Str("Room").U32(0).F64(length).F64(width).F64(height);
  f.U32(1).U32(0).U32(0).F64(0.3).F64(0.2).F64(0.5);
  f.U32(0).U32(0).U32(0).U32(0).U32(0).U32(devices);
  f.Str("notes").Bool(false);
  f.Str("project notes").Bool(true);
  return f.Bytes();
}

// A tight 6 x 5 x 3 m room with 5 x 2500 g, or one of zero length without devices.
std::string Version3File(bool withError)
{
  return withError ? Version3Room(0, 5, 3, 0) : Version3Room(6, 5, 3, 5);
}

class Cli : public TempFolderTest
{
protected:
  void SetUp() override { fs::create_directories(mDir / "sub folder"); }

  CRun Run(const std::string& args, const std::string& before = "true") const
  {
    return RunCli(mDir, args, before);
  }
  static void ExpectRefused(const CRun& run, const std::string& file, const std::string& reason)
  {
    EXPECT_EQ(run.mStatus, 1);
    EXPECT_EQ(run.mOut, "");
    ASSERT_FALSE(run.mErr.empty());
    EXPECT_EQ(run.mErr.find('\n'), run.mErr.size() - 1) << "one line: " << run.mErr;
    EXPECT_NE(run.mErr.find(file), std::string::npos) << run.mErr;
    EXPECT_NE(run.mErr.find(reason), std::string::npos) << run.mErr;
  }
};
} // namespace

TEST_F(Cli, DumpIsByteForByteTheDataDumpOfTheProject)
{
  CProject p;
  p.SetName("Plant");
  p.mProject_Date = "01/02/03";
  p.mCustomer.mName = "Caf\xE9";
  ASSERT_TRUE(p.mAreaTable.AddNew("Hall", 4));
  CArea& a = *p.mAreaTable.Find("Hall");
  a.mLength = 10;
  a.mWidth = 7.5;
  a.mHeight = 3.2;
  a.mVentTable.Add(VENT_WALL, SHAPE_CIRCULAR, 0.4, 0, 0.3);
  a.mDevice[2] = 12;
  ASSERT_TRUE(p.mAreaTable.AddNew("Empty", 11));
  p.RecalculateProject();
  p.mPath = (mDir / "sub folder" / "Plant.ad").string();
  ASSERT_TRUE(SaveProject(p));

  // The program's own dump of the project opened from its work folder.
  CProject opened;
  opened.SetName("Plant");
  opened.mPath = p.mPath;
  ASSERT_TRUE(LoadProject(opened));
  opened.mPath = "Plant.ad";
  const std::string expected = DumpText(opened);

  CRun run = Run("dump " + Quote(p.mPath));
  EXPECT_EQ(run.mStatus, 0) << run.mErr;
  EXPECT_EQ(run.mErr, "");
  EXPECT_EQ(run.mOut, expected);
  EXPECT_NE(run.mOut.find("CProject(Plant)\r\n\tmPath                  = Plant.ad\r\n"), std::string::npos);
  EXPECT_NE(run.mOut.find("\tmCustomer(Caf\xE9)\r\n"), std::string::npos);

  // An older file of the same content dumps the same way, whatever folder.
  WriteBytes(mDir / "Old.ad", Version3File(false));
  CProject old;
  old.SetName("Old");
  old.mPath = (mDir / "Old.ad").string();
  ASSERT_TRUE(LoadProject(old));
  old.mPath = "Old.ad";
  run = Run("dump " + Quote((mDir / "Old.ad").string()));
  EXPECT_EQ(run.mStatus, 0);
  EXPECT_EQ(run.mOut, DumpText(old));
}

TEST_F(Cli, CheckReportsEachVolumeAndExitsThreeOnAnErrorOrUlShortfall)
{
  WriteBytes(mDir / "Good.ad", Version3File(false));
  CRun run = Run("check " + Quote((mDir / "Good.ad").string()));
  EXPECT_EQ(run.mStatus, 0) << run.mOut << run.mErr;
  EXPECT_NE(run.mOut.find("Volume \"Room\":"), std::string::npos) << run.mOut;
  EXPECT_NE(run.mOut.find("CLASS A - SURFACE FIRES"), std::string::npos);
  EXPECT_NE(run.mOut.find("90 cu m"), std::string::npos);
  EXPECT_NE(run.mOut.find("selected mass: 12500 g"), std::string::npos) << run.mOut;
  EXPECT_NE(run.mOut.find("NO ERRORS"), std::string::npos);
  EXPECT_NE(run.mOut.find("UL minimum:    met"), std::string::npos) << run.mOut;

  WriteBytes(mDir / "Bad.ad", Version3File(true));
  run = Run("check " + Quote((mDir / "Bad.ad").string()));
  EXPECT_EQ(run.mStatus, 3);
  EXPECT_NE(run.mOut.find("ZERO VOLUME"), std::string::npos) << run.mOut;
  EXPECT_EQ(run.mErr, "");

  // Texts reach the terminal as UTF-8.
  CProject cafe;
  cafe.SetName("Caf\xE9");
  cafe.mPath = (mDir / "Cafe.ad").string();
  ASSERT_TRUE(cafe.mAreaTable.AddNew("Caf\xE9 room", 0));
  ASSERT_TRUE(SaveProject(cafe));
  run = Run("check " + Quote(cafe.mPath));
  EXPECT_EQ(run.mStatus, 3); // a zero volume
  EXPECT_NE(run.mOut.find("Volume \"Caf\xC3\xA9 room\":"), std::string::npos) << run.mOut;

  // The example project shows each case.
  run = Run("check " + Quote(std::string(VANTOR_SOURCE_DIR) + "/examples/Example.ad"));
  EXPECT_EQ(run.mStatus, 3);
  EXPECT_NE(run.mOut.find("EXCESS LEAKAGE"), std::string::npos) << run.mOut;
  EXPECT_NE(run.mOut.find("BELOW UL MINIMUM (63 g/cu m selected, minimum 67 g/cu m; 7980 g would "
                          "meet it)"),
            std::string::npos)
    << run.mOut;
  EXPECT_NE(run.mOut.find("CABLE TUNNELS"), std::string::npos) << run.mOut;
  EXPECT_NE(run.mOut.find("1 with errors, 1 below the UL minimum"), std::string::npos) << run.mOut;
}

TEST_F(Cli, CheckEndsOnHugeVolumesAndNeverPassesSizesOutOfRange)
{
  const struct
  {
    double length, width, height;
    const char* volume;
    const char* errors;
  } cases[] = {
      {1e200, 1e200, 1e200, "INVALID", "SIZE OUT OF RANGE"},
      {1e51, 2, 3, "INVALID", "SIZE OUT OF RANGE"},
      // In range, but their UL minimum lies beyond 2^53 g.
      {1e16, 1, 1, "10000000000000000 cu m", "EXCESS VOLUME"},
      {1.36e40, 1, 1, "1", "EXCESS VOLUME"},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.length);
    WriteBytes(mDir / "Huge.ad", Version3Room(c.length, c.width, c.height, 10));
    const CRun run = Run("check Huge.ad");
    EXPECT_EQ(run.mStatus, 3) << run.mOut << run.mErr;
    EXPECT_NE(run.mOut.find("volume:        " + std::string(c.volume)), std::string::npos)
        << run.mOut;
    EXPECT_NE(run.mOut.find("errors:        " + std::string(c.errors)), std::string::npos)
        << run.mOut;
    EXPECT_EQ(run.mOut.find("inf"), std::string::npos) << run.mOut;
    EXPECT_EQ(run.mOut.find("NO ERRORS"), std::string::npos) << run.mOut;
  }
}

TEST_F(Cli, RefusesUnreadableDamagedAndNewerFilesWithOneLineAndNoOutput)
{
  const std::string missing = (mDir / "Missing.ad").string();
  for (const char* command : {"dump", "check", "upgrade"})
    ExpectRefused(Run(std::string(command) + " " + Quote(missing)), missing, "No such file");

  std::string bytes = Version3File(false);
  const fs::path cut = mDir / "Cut.ad";
  WriteBytes(cut, bytes.substr(0, bytes.size() - 20));
  ExpectRefused(Run("dump " + Quote(cut.string())), cut.string(), "ends early at byte");
  ExpectRefused(Run("check " + Quote(cut.string())), cut.string(), "ends early at byte");

  bytes[0] = 9;
  const fs::path newer = mDir / "Newer.ad";
  WriteBytes(newer, bytes);
  ExpectRefused(Run("dump " + Quote(newer.string())), newer.string(), "version 9");

  const fs::path huge = mDir / "Huge.ad";
  WriteBytes(huge, CTestBytes().U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("")
              .U32(0).U32(0xFFFFFFF0u).Bytes());
  ExpectRefused(Run("dump " + Quote(huge.string())), huge.string(), "cannot fit");

  ExpectRefused(Run("dump " + Quote(mDir.string())), mDir.string(), "directory");

  // Neither a named pipe nor a file beyond any project's size is read.
  const fs::path pipe = mDir / "Pipe.ad";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const fs::path big = mDir / "Big.ad";
  WriteBytes(big, "");
  fs::resize_file(big, std::uintmax_t(1) << 30);
  for (const char* command : {"dump", "check", "upgrade"})
  {
    ExpectRefused(Run(std::string(command) + " " + Quote(pipe.string())), pipe.string(), "named pipe");
    ExpectRefused(Run(std::string(command) + " " + Quote(big.string())), big.string(), "too large");
  }
}

TEST_F(Cli, WrongUsageExitsTwoWithTheUsageText)
{
  for (const char* args : {"", "dump", "dump a.ad b.ad", "check", "upgrade", "frobnicate x.ad", "dump --all"})
  {
    CRun run = Run(args);
    EXPECT_EQ(run.mStatus, 2) << args;
    EXPECT_EQ(run.mOut, "") << args;
    EXPECT_NE(run.mErr.find("Usage: vantor-cli COMMAND"), std::string::npos) << args;
  }
}

TEST_F(Cli, UpgradeRewritesOlderFilesAndSaysWhatItDid)
{
  const fs::path old = mDir / "sub folder" / "Old.ad";
  const fs::path current = mDir / "Current.ad";
  const fs::path broken = mDir / "Broken.ad";
  WriteBytes(old, Version3File(false));
  CProject p;
  p.SetName("Current");
  p.mPath = current.string();
  ASSERT_TRUE(SaveProject(p));
  const std::string currentBytes = ReadBytes(current);
  WriteBytes(broken, Version3File(false).substr(0, 30));

  CRun run = Run("upgrade " + Quote(old.string()) + " " + Quote(broken.string()) + " " + Quote(current.string()));
  EXPECT_EQ(run.mStatus, 1); // one file could not be read
  EXPECT_NE(run.mOut.find(old.string() + ": version 3 rewritten as version 4"), std::string::npos) << run.mOut;
  EXPECT_NE(run.mOut.find(current.string() + ": version 4 already, left as it is"), std::string::npos) << run.mOut;
  EXPECT_EQ(run.mOut.find("Broken"), std::string::npos);
  EXPECT_NE(run.mErr.find(broken.string()), std::string::npos) << run.mErr;
  EXPECT_EQ(ReadBytes(current), currentBytes);
  EXPECT_EQ(ReadBytes(broken), Version3File(false).substr(0, 30));

  // The rewritten file holds the same project in the current format.
  CProject before, after;
  ASSERT_TRUE(ReadProjectFile(Version3File(false), before));
  const std::string upgraded = ReadBytes(old);
  ASSERT_TRUE(ReadProjectFile(upgraded, after));
  EXPECT_EQ(after.mVersion, 4u);
  std::string expected;
  before.mVersion = 4;
  ASSERT_TRUE(EncodeProjectFile(before, expected));
  EXPECT_EQ(upgraded, expected);
  EXPECT_FALSE(after.mAreaTable.Differs(before.mAreaTable));

  run = Run("upgrade " + Quote(old.string()));
  EXPECT_EQ(run.mStatus, 0);
  EXPECT_NE(run.mOut.find("already"), std::string::npos);

  // A file open in the desktop program is left to it.
  WriteBytes(old, Version3File(false));
  CFileMark program;
  ASSERT_EQ(program.Mark(old.string()), CLockFile::CState::Held);
  ExpectRefused(Run("upgrade " + Quote(old.string())), old.string(), "open in the program");
  EXPECT_EQ(ReadBytes(old), Version3File(false));
}

TEST_F(Cli, ExportAndImportRoomSchedulesRoundTripAndAWrongScheduleChangesNothing)
{
  const std::string example = Quote(std::string(VANTOR_SOURCE_DIR) + "/examples/Example.ad");
  CRun run = Run("export " + example + " --format csv");
  EXPECT_EQ(run.mStatus, 0) << run.mErr;
  const std::string csv = run.mOut;
  EXPECT_EQ(csv.rfind("name,hazard_class,length_m,", 0), 0u) << csv;
  const fs::path json = mDir / "sub folder" / "Example.json";
  run = Run("export " + example + " --format json -o " + Quote(json.string()));
  EXPECT_EQ(run.mStatus, 0) << run.mErr;
  EXPECT_NE(ReadBytes(json).find("\"volumes\": ["), std::string::npos);
  for (const char* args : {"export", "export x.ad --format xml", "export x.ad --format", "import x.ad",
                           "import x.ad a.csv b.csv"})
    EXPECT_EQ(Run(args).mStatus, 2) << args;

  // Into a project that does not exist yet, then out again: the same schedule.
  const fs::path schedule = mDir / "schedule.csv";
  WriteBytes(schedule, csv);
  const fs::path fresh = mDir / "Fresh.ad";
  run = Run("import " + Quote(fresh.string()) + " " + Quote(schedule.string()));
  EXPECT_EQ(run.mStatus, 0) << run.mErr;
  EXPECT_EQ(run.mOut, fresh.string() + ": 4 added, 0 updated (new project)\n");
  EXPECT_EQ(Run("export " + Quote(fresh.string()) + " --format csv").mOut, csv);
  run = Run("import " + Quote(fresh.string()) + " " + Quote(schedule.string()));
  EXPECT_EQ(run.mOut, fresh.string() + ": 0 added, 4 updated\n");

  const std::string saved = ReadBytes(fresh);
  WriteBytes(schedule, "name,hazard_class,length_ft,width_ft,height_ft\nNew,CLASS A - SURFACE FIRES,10,10,10\n"
                "Bad,CLASS Q,10,10,10\nWorse,CLASS A - SURFACE FIRES,10,2,5,10\n");
  run = Run("import " + Quote(fresh.string()) + " " + Quote(schedule.string()));
  EXPECT_EQ(run.mStatus, 1);
  EXPECT_EQ(run.mOut, "");
  EXPECT_NE(run.mErr.find(schedule.string() + ":3: unknown hazard class \"CLASS Q\"\n"), std::string::npos)
    << run.mErr;
  EXPECT_NE(run.mErr.find(schedule.string() + ":4: more cells"), std::string::npos) << run.mErr;
  EXPECT_NE(run.mErr.find("nothing imported, 2 errors"), std::string::npos) << run.mErr;
  EXPECT_EQ(ReadBytes(fresh), saved);
}

TEST_F(Cli, ImportAndUpgradeChangeOnlyAFileTheyMayChange)
{
  const fs::path project = mDir / "Plant.ad";
  const fs::path schedule = mDir / "schedule.csv";
  WriteBytes(
      schedule,
      "name,hazard_class,length_ft,width_ft,height_ft\nNew,CLASS A - SURFACE FIRES,10,10,10\n");
  const std::string current = [&]
  {
    CProject p;
    p.mProject_Reference = "as it was";
    std::string bytes;
    EXPECT_TRUE(EncodeProjectFile(p, bytes));
    return bytes;
  }();
  struct CCase
  {
    const char* mCommand;
    std::string mFile; // what the project file holds before
  };
  for (const CCase& c : {CCase{"import", current}, CCase{"upgrade", Version3File(false)}})
  {
    const std::string args =
        std::string(c.mCommand) + " " + Quote(project.string()) +
        (std::string(c.mCommand) == "import" ? " " + Quote(schedule.string()) : "");
    // Open in the desktop program: left to it.
    WriteBytes(project, c.mFile);
    {
      CFileMark program;
      ASSERT_EQ(program.Mark(project.string()), CLockFile::CState::Held);
      ExpectRefused(Run(args), project.string(), "open in the program");
      EXPECT_EQ(ReadBytes(project), c.mFile) << c.mCommand;
    }

    // Changed by another program after the command read it: kept. The other
    // program's change is made while this test holds the save lock, once the
    // command's new file is being written.
    CLockFile saving(project.string());
    ASSERT_EQ(saving.TryLock(), CLockFile::CState::Held);
    CRun run;
    std::thread command([&] { run = Run(args); });
    bool writing = false;
    for (int i = 0; i < 1000 && !writing; ++i)
    {
      for (const std::string& name : FolderNames(mDir))
        writing = writing || (name.rfind(".Plant.ad.", 0) == 0 && name != ".Plant.ad.lock");
      if (!writing)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(writing) << c.mCommand;
    WriteBytes(project, "changed elsewhere");
    saving.Unlock();
    command.join();
    ExpectRefused(run, project.string(), "changed by another program");
    EXPECT_EQ(ReadBytes(project), "changed elsewhere") << c.mCommand;
    EXPECT_EQ(FolderNames(mDir),
              (std::vector<std::string>{"Plant.ad", "schedule.csv", "sub folder"}));
  }
}

TEST_F(Cli, ImportRefusesAProjectTooLargeToBeReadAgain)
{
  // Together just over what the program reads: the project's volumes and
  // the schedule's, each with the longest notes (two bytes a character in
  // the project file).
  const std::string notes(65535, 'n');
  CProject p;
  p.SetName("Plant");
  p.mPath = (mDir / "Plant.ad").string();
  for (int i = 0; i < 300; ++i)
  {
    const std::string name = "Old " + std::to_string(i);
    ASSERT_TRUE(p.mAreaTable.AddNew(name, 0));
    p.mAreaTable.Find(name)->mNotes = notes;
  }
  ASSERT_TRUE(SaveProject(p));
  const std::string before = ReadBytes(p.mPath);
  std::string csv = "name,hazard_class,length_ft,width_ft,height_ft,notes\n";
  for (int i = 0; i < 225; ++i)
    csv += "New " + std::to_string(i) + ",CLASS A - SURFACE FIRES,10,10,10," + notes + "\n";
  WriteBytes(mDir / "schedule.csv", csv);
  ExpectRefused(Run("import Plant.ad schedule.csv"), "Plant.ad", "too large to be read again");
  EXPECT_EQ(ReadBytes(p.mPath), before);
  EXPECT_EQ(FolderNames(mDir),
            (std::vector<std::string>{"Plant.ad", "schedule.csv", "sub folder"}));
}

// A schedule with a thousand wrong rows: the first hundred errors, then how
// many more, with the file's bytes shown and never sent to the terminal.
TEST_F(Cli, AnImportListsTheFirstHundredErrorsWithTheFilesBytesEscaped)
{
  std::string csv = "name,hazard_class,length,width,height\n";
  for (int i = 0; i < 1000; ++i)
    csv += "Room\x1b[31m" + std::to_string(i) + ",CLASS Q\x1b]0;x\x07,1,two\x7f,1\n";
  const fs::path schedule = mDir / "rooms\x1b[2J.csv";
  WriteBytes(schedule, csv);
  const fs::path project = mDir / "Rooms.ad";
  const CRun run = Run("import " + Quote(project.string()) + " " + Quote(schedule.string()));
  EXPECT_EQ(run.mStatus, 1);
  EXPECT_FALSE(fs::exists(project));
  const std::string shown = (mDir / "rooms\\x1b[2J.csv").string();
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = run.mErr.find('\n', start)) != std::string::npos;
       start = end + 1)
    lines.push_back(run.mErr.substr(start, end - start));
  ASSERT_EQ(lines.size(), 102u) << run.mErr.substr(0, 2000);
  EXPECT_EQ(lines[0], shown + ":2: unknown hazard class \"CLASS Q\\x1b]0;x\\x07\"");
  EXPECT_EQ(lines[1], shown + ":2: width: the length \"two\\x7f\" is not a number");
  EXPECT_EQ(lines[99].rfind(shown + ":51: width:", 0), 0u) << lines[99];
  EXPECT_EQ(lines[100], "... and 1900 more");
  EXPECT_EQ(lines[101], "vantor-cli: " + shown + ": nothing imported, 2000 errors");
  for (char raw : {'\x1b', '\x07', '\x7f'})
    EXPECT_EQ(run.mErr.find(raw), std::string::npos) << int(raw);
}

// A project that fits in memory while its JSON text as one piece would not:
// the JSON export streams and succeeds, the CSV export (one text) runs out
// and says so with status 1, never an abort.
#if defined(__SANITIZE_ADDRESS__)
#define VANTOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTOR_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(Cli, RunningOutOfMemoryEndsWithStatusOneAndAReason)
{
#if defined(VANTOR_ADDRESS_SANITIZER)
  GTEST_SKIP() << "AddressSanitizer reserves its shadow memory beyond any address-space limit";
#else
  CProject big;
  big.mPath = (mDir / "Notes.ad").string();
  const std::string notes(60000, 'n');
  for (int i = 0; i < 540; ++i)
  {
    const std::string name = "Room " + std::to_string(i);
    big.mAreaTable.AddNew(name, 1);
    CArea& a = *big.mAreaTable.Find(name);
    a.SetLength(4);
    a.SetWidth(3);
    a.SetHeight(2.5);
    a.SetNotes(notes);
  }
  big.RecalculateProject();
  ASSERT_TRUE(SaveProject(big));
  const std::string limit = "ulimit -v " + std::to_string(kMemoryLimitKb);
  CRun run = Run("export Notes.ad --format json -o notes.json", limit);
  EXPECT_EQ(run.mStatus, 0) << run.mErr;
  ASSERT_EQ(Run("export Notes.ad --format json -o unlimited.json").mStatus, 0);
  // Compared without printing: the texts are 33 MB each.
  EXPECT_TRUE(ReadBytes(mDir / "notes.json") == ReadBytes(mDir / "unlimited.json"));
  run = Run("export Notes.ad --format csv -o notes.csv", limit);
  EXPECT_EQ(run.mStatus, 1);
  EXPECT_EQ(run.mErr, "vantor-cli: Notes.ad: there is not enough memory to finish 'export'\n");
  EXPECT_FALSE(fs::exists(mDir / "notes.csv"));
#endif
}
