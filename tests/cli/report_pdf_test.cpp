// vantor-cli pdf, which hands over to vantor-pdf when the desktop program
// (and with it the PDF printer) is built.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
std::string Slurp(const fs::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ReportPdf : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mDir = fs::temp_directory_path() / ("vantor_pdf_cli_" + std::to_string(::getpid()));
    fs::remove_all(mDir);
    fs::create_directories(mDir);
    fs::copy_file(fs::path(VANTOR_TEST_DATA_DIR) / "reports/imperial_errors/Tunnel 3.ad",
                  mDir / "Tunnel 3.ad");
  }
  void TearDown() override { fs::remove_all(mDir); }

  int Run(const std::string& args)
  {
    const std::string command = "cd '" + mDir.string() + "' && '" VANTOR_CLI_PATH "' " + args +
                                " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    mOut = Slurp(mDir / "out.txt");
    mErr = Slurp(mDir / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static bool HelperBuilt()
  {
    return fs::exists(fs::path(VANTOR_CLI_PATH).parent_path() / "pdf" / "vantor-pdf");
  }

  fs::path mDir;
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
  EXPECT_EQ(Slurp(mDir / "t3.pdf").rfind("%PDF", 0), 0u);
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
}
