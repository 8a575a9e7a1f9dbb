// Each golden case folder (tests/data/reports/<case>/): its project file read
// through the project file reader, as vantor-cli and the program open it,
// then the text report, the data dump and the rich-text report compared byte
// for byte with the expected files beside it. Run with VANTOR_UPDATE_GOLDEN=1
// to write the expected files afresh after an intended change (and read the
// difference before committing it).

#include "model/project.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "report/text_report.h"
#include "storage/project_file.h"
#include "tests/report/golden_cases.h"
#include "tests/report/report_cases.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// The project of the file named after its title, with the path the program
// keeps for it ("NAME.ad"), as vantor-cli reads a file from any folder.
bool ReadCaseProject(const fs::path& file, CProject& project, std::string* error)
{
  const std::string title = file.stem().string();
  project.SetName(title);
  project.mPath = file.string();
  const bool read = LoadProject(project, error);
  project.mPath = title + ".ad";
  return read;
}
} // namespace

TEST(GoldenCases, EachFolderGivesItsExpectedReportDumpAndRtf)
{
  const std::vector<CGoldenCase> cases = GoldenCases();
  ASSERT_GE(cases.size(), 3u);
  for (const CGoldenCase& c : cases)
  {
    SCOPED_TRACE(c.mFolder.filename().string());
    ASSERT_FALSE(c.mProject.empty()) << "a case folder holds exactly one .ad file";
    CProject project;
    std::string error;
    ASSERT_TRUE(ReadCaseProject(c.mProject, project, &error)) << error;
    const std::pair<const char*, std::string> outputs[] = {
      {kGoldenReport, TextReport(project)},
      {kGoldenDump, DumpText(project)},
      {kGoldenRtf, RtfReport(project)},
    };
    for (const auto& [name, actual] : outputs)
    {
      const fs::path file = c.mFolder / name;
      if (UpdatingGoldenFiles())
      {
        WriteBytes(file, actual);
        continue;
      }
      ASSERT_TRUE(fs::exists(file)) << file;
      EXPECT_EQ(actual, ReadBytes(file)) << file;
    }
  }
}

// The projects the report tests build in code (report_cases.h) are the ones
// stored in the folders of the same name, so their expectations agree.
TEST(GoldenCases, ProjectsBuiltInCodeAreTheStoredOnes)
{
  for (const CReportCase& c : ReportCases())
  {
    SCOPED_TRACE(c.mName);
    const std::vector<CGoldenCase> cases = GoldenCases();
    const auto stored = std::find_if(cases.begin(), cases.end(), [&](const CGoldenCase& g)
                                     { return g.mFolder.filename() == c.mName; });
    ASSERT_NE(stored, cases.end());
    const std::unique_ptr<CProject> built = c.mMake();
    EXPECT_EQ(stored->mProject.stem().string(), built->mName);
    EXPECT_TRUE(ProjectMatchesImage(ReadBytes(stored->mProject), *built));
  }
}
