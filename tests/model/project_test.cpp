#include "model/project.h"
#include "model/today_date.h"

#include "model/text_lines.h"
#include "tests/model/project_builders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{
std::vector<std::string> Names(const CAreaTable& table)
{
  std::vector<std::string> names;
  for (std::size_t i = 0; i < table.Count(); ++i)
    names.push_back(table.Get(i)->mName);
  return names;
}

// A calculated volume of 5 x 4 x 3 m with one small wall opening: no errors.
void MakeClean(CArea& a)
{
  a.mLength = 5.0_m;
  a.mWidth = 4.0_m;
  a.mHeight = 3.0_m;
  a.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.2_m, 0.2_m, 0.5);
}
} // namespace

TEST(AreaTable, AddNewCollapsesNamesKeepsByteOrderAndRefusesTakenOrEmptyNames)
{
  CProject p;
  CAreaTable& t = p.mAreaTable;
  EXPECT_TRUE(t.AddNew("  Room   1 ", 0));
  ASSERT_EQ(t.Count(), 1u);
  EXPECT_EQ(t.Get(0)->mName, "Room 1");
  EXPECT_EQ(t.Get(0)->Owner(), &p);
  EXPECT_FALSE(t.AddNew("Room 1", 5));
  EXPECT_EQ(t.Get(0)->mHazard, 0);
  EXPECT_FALSE(t.AddNew("    ", 0));
  EXPECT_FALSE(t.AddNew("", 0));
  EXPECT_EQ(t.Count(), 1u);

  CProject q;
  for (const char* name : {"b", "A", "a", "\xE9t\xE9", "B"})
    ASSERT_TRUE(q.mAreaTable.AddNew(name, 0));
  // Bytes above 0x7F sort after ASCII.
  EXPECT_EQ(Names(q.mAreaTable), (std::vector<std::string>{"A", "B", "a", "b", "\xE9t\xE9"}));
}

TEST(AreaTable, FindGivesTheVolumeOrItsInsertionPlaceAndRemoveByNameDestroysIt)
{
  CProject p;
  for (const char* name : {"b", "d", "f"})
    p.mAreaTable.AddNew(name, 0);
  std::size_t at = 99;
  ASSERT_NE(p.mAreaTable.Find("d", &at), nullptr);
  EXPECT_EQ(at, 1u);
  EXPECT_EQ(p.mAreaTable.Find("a", &at), nullptr);
  EXPECT_EQ(at, 0u);
  EXPECT_EQ(p.mAreaTable.Find("e", &at), nullptr);
  EXPECT_EQ(at, 2u);
  EXPECT_EQ(p.mAreaTable.Find("g", &at), nullptr);
  EXPECT_EQ(at, 3u);
  EXPECT_EQ(p.mAreaTable.Find("D"), nullptr); // case counts

  p.mAreaTable.RemoveByName("d");
  p.mAreaTable.RemoveByName("zzz");
  EXPECT_EQ(Names(p.mAreaTable), (std::vector<std::string>{"b", "f"}));
  EXPECT_EQ(p.mAreaTable.Get(2), nullptr);
}

TEST(AreaTable, DiffersComparesInputsAndAssignMakesIndependentCopies)
{
  CProject p, q;
  p.mAreaTable.AddNew("A", 0);
  MakeClean(*p.mAreaTable.Get(0));
  q.mAreaTable.Assign(p.mAreaTable);
  EXPECT_FALSE(q.mAreaTable.Differs(p.mAreaTable));
  EXPECT_EQ(q.mAreaTable.Get(0)->Owner(), &q);
  ASSERT_EQ(q.mAreaTable.Get(0)->mVentTable.Count(), 1u);

  q.mAreaTable.Get(0)->mVentTable.Get(0)->mUpper = 0.25;
  EXPECT_TRUE(q.mAreaTable.Differs(p.mAreaTable));
  EXPECT_EQ(p.mAreaTable.Get(0)->mVentTable.Get(0)->mUpper, 0.5);
  q.mAreaTable.Assign(p.mAreaTable);
  q.mAreaTable.Get(0)->mDevice[1] = 1;
  EXPECT_TRUE(q.mAreaTable.Differs(p.mAreaTable));
  q.mAreaTable.Assign(p.mAreaTable);
  q.mAreaTable.Get(0)->mNotes = "x";
  EXPECT_TRUE(q.mAreaTable.Differs(p.mAreaTable));
  q.mAreaTable.Assign(p.mAreaTable);
  q.mAreaTable.AddNew("B", 0);
  EXPECT_TRUE(q.mAreaTable.Differs(p.mAreaTable));
  // Computed figures are no input.
  q.mAreaTable.Assign(p.mAreaTable);
  q.mAreaTable.Get(0)->mVolume = 12345;
  EXPECT_FALSE(q.mAreaTable.Differs(p.mAreaTable));
}

TEST(Project, NewProjectSettersAndCopy)
{
  CProject p;
  EXPECT_EQ(p.mDistributor, CAddress{}); // the desktop program gives it the default one
  EXPECT_EQ(p.mUnits, 0u);
  EXPECT_FALSE(p.mIncludeNotes);
  EXPECT_EQ(p.mSaved, nullptr);

  p.SetName("Site 7");
  EXPECT_EQ(p.mPath, "Site 7.ad");
  EXPECT_EQ(p.mProject_Date, TodayDate());
  EXPECT_FALSE(p.mProject_Date.empty());

  p.SetProjectReference("  P   1 ");
  p.SetDistributorReference("D  2");
  p.SetCustomerReference(" C 3");
  EXPECT_EQ(p.mProject_Reference, "P 1");
  EXPECT_EQ(p.mDistributor_Reference, "D 2");
  EXPECT_EQ(p.mCustomer_Reference, "C 3");

  EXPECT_TRUE(p.SetUnits(1));
  EXPECT_FALSE(p.SetUnits(2));
  EXPECT_EQ(p.mUnits, 1u);

  p.mNotes = "n";
  p.mIncludeNotes = true;
  p.mAreaTable.AddNew("V", 2);
  CProject copy;
  copy.CopyFrom(p);
  EXPECT_EQ(copy.mName, "Site 7");
  EXPECT_EQ(copy.mPath, "Site 7.ad");
  EXPECT_EQ(copy.mProject_Reference, "P 1");
  EXPECT_EQ(copy.mUnits, 1u);
  EXPECT_EQ(copy.mNotes, "n");
  EXPECT_TRUE(copy.mIncludeNotes);
  ASSERT_EQ(copy.mAreaTable.Count(), 1u);
  EXPECT_EQ(copy.mAreaTable.Get(0)->Owner(), &copy);
  EXPECT_EQ(copy.mAreaTable.Get(0)->Units(), 1u); // reaches its own project
}

TEST(Project, RecalculatesEveryVolumeAndSaysSoOnce)
{
  CProject p;
  int told = 0;
  p.mRecalculated = [&told] { ++told; };
  p.mAreaTable.AddNew("A", 0);
  p.mAreaTable.AddNew("B", 0);
  MakeClean(*p.mAreaTable.Get(0));
  MakeClean(*p.mAreaTable.Get(1));
  p.RecalculateProject();
  EXPECT_EQ(told, 1);
  p.RecalculateProject();
  EXPECT_EQ(told, 2);
  EXPECT_DOUBLE_EQ(p.mAreaTable.Get(0)->mVolume, 60.0);
  EXPECT_DOUBLE_EQ(p.TotalVolume(), 120.0);
}

TEST(Project, CombinedWarningsTotalsAndTheErrorSummary)
{
  CProject p;
  EXPECT_EQ(p.CombinedWarnings(), 0u);
  CTextLines summary;
  p.ErrorSummary(summary);
  EXPECT_TRUE(summary.Empty());

  p.mAreaTable.AddNew("A clean", 0);
  p.mAreaTable.AddNew("B zero", 0);
  p.mAreaTable.AddNew("C bad class", 0);
  CArea& clean = *p.mAreaTable.Find("A clean");
  MakeClean(clean);
  clean.mDevice[7] = 3; // 7500 g in 60 m3: above the UL minimum of 97 g/m3
  clean.mDevice[0] = 2;
  CArea& bad = *p.mAreaTable.Find("C bad class");
  MakeClean(bad);
  bad.mHazard = -1;
  p.RecalculateProject();
  EXPECT_EQ(p.CombinedWarnings(), 0u);
  EXPECT_EQ(p.TotalDevices()[7], 3u);
  EXPECT_EQ(p.TotalDevices()[0], 2u);

  p.ErrorSummary(summary);
  const std::vector<std::string> expected = {
    "Volume \"A clean\":", "", "\tNO ERRORS",            "",
    "Volume \"B zero\":",  "", "\tZERO VOLUME",          "",
    "Volume \"C bad class\":", "", "\tINVALID HAZARD CLASS",
  };
  EXPECT_EQ(summary.Lines(), expected);

  clean.mDevice = {};
  p.RecalculateProject();
  EXPECT_EQ(p.CombinedWarnings(), AW_BELOW_UL_DENSITY);
  p.ErrorSummary(summary);
  EXPECT_EQ(summary[2], "\tBELOW UL MINIMUM (0 g/cu m selected, minimum 97 g/cu m)");
}
