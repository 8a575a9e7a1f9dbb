// vantor-cli report, dump and rtf, run as a separate process on the project
// files of the golden cases (tests/data/reports/<case>/).

#include "tests/cli/cli_run.h"
#include "tests/common/temp_folder.h"
#include "tests/report/golden_cases.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
class ReportCli : public TempFolderTest
{
protected:
  // Runs vantor-cli with the arguments in the temporary folder.
  CRun Run(const std::vector<std::string>& args) const
  {
    std::string words;
    for (const std::string& arg : args)
      words += " " + Quote(arg);
    return RunCli(mDir, words);
  }

  // A copy of a case's project file in the temporary folder.
  fs::path CopyCase(const char* name, const char* file) const
  {
    const fs::path target = mDir / file;
    fs::copy_file(Case(name) / file, target);
    return target;
  }

  static fs::path Case(const char* name)
  {
    return GoldenCasesFolder() / name;
  }

  // The usage text and nothing on standard output.
  static void ExpectUsage(const CRun& run)
  {
    EXPECT_EQ(run.mStatus, 2);
    EXPECT_EQ(run.mOut, "");
    EXPECT_NE(run.mErr.find("Usage: vantor-cli"), std::string::npos) << run.mErr;
  }

  // Exit 1, nothing on standard output, one line naming the file.
  static void ExpectFileError(const CRun& run, const std::string& file)
  {
    EXPECT_EQ(run.mStatus, 1);
    EXPECT_EQ(run.mOut, "");
    EXPECT_NE(run.mErr.find(file), std::string::npos) << run.mErr;
    EXPECT_EQ(run.mErr.find('\n'), run.mErr.size() - 1) << run.mErr;
  }
};
} // namespace

TEST_F(ReportCli, ReportDumpAndRtfWriteTheGoldenFilesByteForByte)
{
  for (const CGoldenCase& c : GoldenCases())
  {
    SCOPED_TRACE(c.mFolder.filename().string());
    ASSERT_FALSE(c.mProject.empty());
    for (const auto& [command, expected] : {std::pair{"report", kGoldenReport}, {"dump", kGoldenDump}})
    {
      const CRun run = Run({command, c.mProject.string()});
      EXPECT_EQ(run.mStatus, 0) << run.mErr;
      EXPECT_EQ(run.mErr, "");
      EXPECT_EQ(run.mOut, ReadBytes(c.mFolder / expected)) << command;
    }
    const CRun rtf = Run({"rtf", "-o", "out.rtf", c.mProject.string()});
    EXPECT_EQ(rtf.mStatus, 0) << rtf.mErr;
    EXPECT_EQ(ReadBytes(mDir / "out.rtf"), ReadBytes(c.mFolder / kGoldenRtf));
  }
}

TEST_F(ReportCli, RtfGoesBesideTheProjectFileOrWhereAsked)
{
  const fs::path project = CopyCase("imperial_errors", "Tunnel 3.ad");
  CRun run = Run({"rtf", project.string()});
  ASSERT_EQ(run.mStatus, 0) << run.mErr;
  const fs::path beside = mDir / "Tunnel 3.rtf";
  EXPECT_EQ(run.mOut, beside.string() + "\n");
  EXPECT_EQ(run.mErr, "");
  const std::string rtf = ReadBytes(beside);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  EXPECT_NE(rtf.find("\\pict\\pngblip"), std::string::npos);
  EXPECT_NE(rtf.find("Volume \"Cable Tunnel\":\\par"), std::string::npos);

  // A relative project path gives a relative report path beside it.
  run = Run({"rtf", "Tunnel 3.ad"});
  EXPECT_EQ(run.mOut, "Tunnel 3.rtf\n");

  run = Run({"rtf", "-o", "out.rtf", project.string()});
  ASSERT_EQ(run.mStatus, 0) << run.mErr;
  EXPECT_EQ(run.mOut, "out.rtf\n");
  EXPECT_EQ(ReadBytes(mDir / "out.rtf"), rtf);
}

TEST_F(ReportCli, UnreadableDamagedAndNewerFilesAreRefused)
{
  ExpectFileError(Run({"report", "missing.ad"}), "missing.ad");
  ExpectFileError(Run({"rtf", "missing.ad"}), "missing.ad");
  EXPECT_FALSE(fs::exists(mDir / "missing.rtf"));

  const fs::path project = CopyCase("imperial_errors", "Tunnel 3.ad");
  const std::string bytes = ReadBytes(project);
  WriteBytes(mDir / "cut.ad", bytes.substr(0, bytes.size() / 2));
  ExpectFileError(Run({"report", "cut.ad"}), "cut.ad");
  ExpectFileError(Run({"rtf", "cut.ad"}), "cut.ad");
  EXPECT_FALSE(fs::exists(mDir / "cut.rtf"));

  std::string newer = bytes;
  newer[0] = 99;
  WriteBytes(mDir / "newer.ad", newer);
  const CRun run = Run({"report", "newer.ad"});
  ExpectFileError(run, "newer.ad");
  EXPECT_NE(run.mErr.find("99"), std::string::npos) << run.mErr;

  // A report file that cannot be written leaves nothing behind.
  ExpectFileError(Run({"rtf", "-o", "no/such/folder/x.rtf", project.string()}), "x.rtf");
  // The reason names the path as text, never as terminal control.
  const CRun shown = Run({"rtf", "-o", "no/\x1b[2J/x.rtf", project.string()});
  ExpectFileError(shown, "no/\\x1b[2J/x.rtf");
  EXPECT_EQ(shown.mErr.find('\x1b'), std::string::npos) << shown.mErr;
}

TEST_F(ReportCli, WrongUsageShowsTheUsageText)
{
  const fs::path project = CopyCase("new_project", "Warehouse 7.ad");
  ExpectUsage(Run({"report"}));
  ExpectUsage(Run({"report", project.string(), project.string()}));
  ExpectUsage(Run({"report", "-x", project.string()}));
  ExpectUsage(Run({"rtf"}));
  ExpectUsage(Run({"rtf", project.string(), "-o"}));
  ExpectUsage(Run({"rtf", "-o", "a.rtf", "-o", "b.rtf", project.string()}));
  ExpectUsage(Run({"rtf", project.string(), project.string()}));
  ExpectUsage(Run({"rtf", "--bogus", project.string()}));
  EXPECT_FALSE(fs::exists(mDir / "Warehouse 7.rtf"));
}
