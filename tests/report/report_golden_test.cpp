// Compares the text report of each case of report_cases.h with the expected
// file beside it in tests/data/reports/<case>/report.txt. Run with
// VANTOR_UPDATE_GOLDEN=1 to write the files afresh after an intended change
// (and read the difference before committing it).

#include "report/text_report.h"
#include "tests/report/report_cases.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
std::filesystem::path CaseFolder(const char* name)
{
  return std::filesystem::path(VANTOR_TEST_DATA_DIR) / "reports" / name;
}

std::string ReadBytes(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Updating() { return std::getenv("VANTOR_UPDATE_GOLDEN") != nullptr; }
} // namespace

TEST(TextReportGolden, EveryCaseMatchesItsExpectedFile)
{
  for (const CReportCase& c : ReportCases())
  {
    SCOPED_TRACE(c.mName);
    const std::string actual = TextReport(*c.mMake());
    const std::filesystem::path file = CaseFolder(c.mName) / "report.txt";
    if (Updating())
    {
      std::filesystem::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << actual;
      continue;
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(actual, ReadBytes(file));
  }
}

TEST(TextReportGolden, NewProjectIsExactlyTheDocumentedLines)
{
  // The example of a new project: identity, empty address area, totals.
  EXPECT_EQ(TextReport(*NewProjectCase()),
            "Project:  Warehouse 7\r\n"
            "Date:     03/14/24\r\n"
            "\r\n"
            "\r\n"
            "Totals:\r\n"
            "\r\n"
            "     NO DEVICES  NO VOLUMES\r\n"
            "\r\n");
}
