// vantor-cli pdf, which hands over to vantor-pdf when the desktop program
// (and with it the PDF printer) is built.

#include "tests/cli/cli_run.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace
{
class ReportPdf : public TempFolderTest
{
protected:
  void SetUp() override
  {
    fs::copy_file(fs::path(VANTOR_TEST_DATA_DIR) / "reports/imperial_errors/Tunnel 3.ad",
                  mDir / "Tunnel 3.ad");
  }

  int Run(const std::string& args)
  {
    const CRun run = RunCli(mDir, args);
    mOut = run.mOut;
    mErr = run.mErr;
    return run.mStatus;
  }

  static bool HelperBuilt()
  {
    return fs::exists(fs::path(VANTOR_CLI_PATH).parent_path() / "pdf" / "vantor-pdf");
  }

  std::string mOut;
  std::string mErr;
};
} // namespace

TEST_F(ReportPdf, WritesThePrintedReportOrSaysWhyNot)
{
  const int status = Run("pdf 'Tunnel 3.ad' -o t3.pdf");
  if (!HelperBuilt())
  {
    EXPECT_EQ(status, 1);
    EXPECT_NE(mErr.find("vantor-pdf"), std::string::npos) << mErr;
    return;
  }
  ASSERT_EQ(status, 0) << mErr;
  EXPECT_EQ(mOut, "t3.pdf\n");
  EXPECT_EQ(mErr, "");
  EXPECT_EQ(ReadBytes(mDir / "t3.pdf").rfind("%PDF", 0), 0u);
}

TEST_F(ReportPdf, ThePaperIsTheLocalesUnlessChosen)
{
  if (!HelperBuilt())
    GTEST_SKIP() << "built without the desktop program";
  struct Case
  {
    const char* locale;
    const char* options;
    const char* mediaBox;
  };
  for (const Case& c :
       {Case{"en_US.UTF-8", "", "612 792"}, Case{"de_DE.UTF-8", "", "595 842"},
        Case{"en_GB.UTF-8", "", "595 842"}, Case{"de_DE.UTF-8", "--letter", "612 792"},
        Case{"en_US.UTF-8", "--a4", "595 842"}})
  {
    const std::string before =
        std::string("unset LC_ALL LC_MEASUREMENT LC_PAPER && export LANG=") + c.locale;
    const CRun run = RunCli(mDir, std::string("pdf 'Tunnel 3.ad' -o p.pdf ") + c.options, before);
    ASSERT_EQ(run.mStatus, 0) << run.mErr;
    const std::string bytes = ReadBytes(mDir / "p.pdf");
    const std::size_t box = bytes.find("/MediaBox [0 0 ");
    ASSERT_NE(box, std::string::npos);
    std::istringstream numbers(bytes.substr(box + 15, 40));
    double width = 0, height = 0;
    numbers >> width >> height;
    const std::string rounded =
        std::to_string(std::lround(width)) + " " + std::to_string(std::lround(height));
    EXPECT_EQ(rounded, c.mediaBox) << c.locale << " " << c.options;
  }
}

TEST_F(ReportPdf, RefusesBadFilesAndWrongUsage)
{
  if (!HelperBuilt())
    GTEST_SKIP() << "built without the desktop program";
  EXPECT_EQ(Run("pdf missing.ad -o x.pdf"), 1);
  EXPECT_NE(mErr.find("missing.ad"), std::string::npos) << mErr;
  EXPECT_EQ(mOut, "");
  EXPECT_FALSE(fs::exists(mDir / "x.pdf"));
  EXPECT_EQ(Run("pdf 'Tunnel 3.ad'"), 2);
  EXPECT_NE(mErr.find("Usage:"), std::string::npos);
  EXPECT_EQ(Run("pdf 'Tunnel 3.ad' -o no/such/folder/x.pdf"), 1);
  EXPECT_EQ(mOut, "");
  // A reason naming a file shows it as text, never as terminal control.
  EXPECT_EQ(Run("pdf 'mis\x1b[2Jsing.ad' -o x.pdf"), 1);
  EXPECT_NE(mErr.find("mis\\x1b[2Jsing.ad"), std::string::npos) << mErr;
  EXPECT_EQ(mErr.find('\x1b'), std::string::npos) << mErr;
}
