#include "document/project_copy.h"

#include "document/project_document.h"
#include "model/project.h"
#include "model/today_date.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ProjectCopy, CopiesTheStoredFieldsUnderTheNewNameAndLeavesTheSourceAlone)
{
  CProjectDocument source;
  CProject& original = source.Project();
  original.SetName("Plant");
  original.mProject_Date = "01/02/03";
  original.mCustomer.mName = "Acme";
  original.mNotes = "kept";
  original.mUnits = 1;
  ASSERT_TRUE(original.mAreaTable.AddNew("Hall", 0));
  original.mAreaTable.Get(0)->mHeight = 3;
  original.mVersion = kCurrentFileVersion;
  original.TakeSnapshot();

  const COpenProjects open;
  CProjectCopy copy = CopyProjectDocument(source, "Plant 2", open);
  ASSERT_NE(copy.mDocument, nullptr);
  EXPECT_EQ(copy.mProblem, CProjectNameProblem::None);
  CProject& p = copy.mDocument->Project();
  EXPECT_EQ(p.mName, "Plant 2");
  EXPECT_EQ(p.mPath, "Plant 2.ad");
  EXPECT_EQ(p.mProject_Date, TodayDate());
  EXPECT_EQ(p.mCustomer.mName, "Acme");
  EXPECT_EQ(p.mNotes, "kept");
  EXPECT_EQ(p.mUnits, 1u);
  ASSERT_EQ(p.mAreaTable.Count(), 1u);
  EXPECT_TRUE(p.IsModified()); // not saved yet

  // The copy's volumes are its own.
  p.mAreaTable.Get(0)->mHeight = 5;
  EXPECT_EQ(original.mAreaTable.Get(0)->mHeight, 3);
  EXPECT_EQ(original.mName, "Plant");
  EXPECT_FALSE(original.IsModified());
}

TEST(ProjectCopy, RefusesABadOrTakenNameWithTheReason)
{
  const CTempFolder temp;
  const std::filesystem::path& folder = temp.Path();
  WriteBytes(folder / "On disk.ad", "x");
  COpenProjects open;
  auto other = std::make_unique<CProject>();
  other->SetName("Open here");
  ASSERT_TRUE(open.Insert(std::move(other)));
  CProjectDocument source;

  const struct
  {
    const char* mName;
    CProjectNameProblem mProblem;
  } cases[] = {
    {"", CProjectNameProblem::Empty},
    {"   ", CProjectNameProblem::Empty},
    {"sub/name", CProjectNameProblem::Separator},
    {"Open here", CProjectNameProblem::InUse},
    {"On disk", CProjectNameProblem::InUse},
  };
  for (const auto& c : cases)
  {
    const CProjectCopy copy = CopyProjectDocument(source, c.mName, open, folder.string());
    EXPECT_EQ(copy.mDocument, nullptr) << c.mName;
    EXPECT_EQ(copy.mProblem, c.mProblem) << c.mName;
  }
}
