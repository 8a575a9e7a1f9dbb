// The text report of each project built in code (report_cases.h) is the
// expected report of the golden case folder of the same name; the folders
// themselves are checked from their project files by the document tests
// (tests/document/golden_cases_test.cpp), which also write them afresh.

#include "report/text_report.h"
#include "tests/report/golden_cases.h"
#include "tests/report/report_cases.h"

#include <gtest/gtest.h>

TEST(TextReportGolden, EveryCaseMatchesItsExpectedFile)
{
  for (const CReportCase& c : ReportCases())
  {
    SCOPED_TRACE(c.mName);
    const std::filesystem::path file = GoldenCasesFolder() / c.mName / kGoldenReport;
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(TextReport(*c.mMake()), ReadBytes(file));
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
