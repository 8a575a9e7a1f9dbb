#include "report/report_content.h"

#include "model/address.h"
#include "model/text_lines.h"
#include "report/address_block.h"
#include "report/report_table.h"
#include "report/text_report.h"
#include "tests/model/project_builders.h"
#include "text/units.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Lines = std::vector<std::string>;

// Row r of the table, all columns.
Lines Row(const CReportTable& table, std::size_t r)
{
  Lines row;
  for (std::size_t c = 0; c < table.ColumnCount(); ++c)
    row.push_back(table.Cell(c, r));
  return row;
}

Lines Block(const CAddress& address, const std::string& reference)
{
  CTextLines lines;
  FormatAddressBlock(address, reference, lines);
  return lines.Lines();
}
} // namespace

TEST(CReportTable, ColumnsGrowOnDemandAndShortColumnsLeaveBlanks)
{
  CReportTable table;
  EXPECT_EQ(table.RowCount(), 0u);
  table.AddCell(2, "c0");
  EXPECT_EQ(table.ColumnCount(), 3u);
  EXPECT_EQ(table.RowCount(), 1u);
  table.AddCell(0, "a0");
  table.AddCell(0, "a1");
  table.InsertCell(0, "head");
  EXPECT_EQ(table.RowCount(), 3u);
  EXPECT_EQ(Row(table, 0), Lines({"head", "", "c0"}));
  EXPECT_EQ(Row(table, 2), Lines({"a1", "", ""}));

  std::string text = "x";
  EXPECT_FALSE(table.GetCell(1, 0, text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(table.GetCell(7, 0, text));
  EXPECT_TRUE(table.GetCell(0, 1, text));
  EXPECT_EQ(text, "a0");

  table.SetCell(1, 4, "far");
  EXPECT_EQ(table.RowCount(), 5u);
  EXPECT_TRUE(table.GetCell(1, 3, text));
  EXPECT_EQ(text, "");
  table.Clear();
  EXPECT_EQ(table.ColumnCount(), 0u);
}

TEST(FormatAddressBlock, LeavesOutEmptyFieldsAndSeparators)
{
  EXPECT_EQ(Block({"Name", "Street 1", "Street 2", "City", "ST", "Land", "9000"}, "R1"),
            Lines({"Name", "Street 1", "Street 2", "City, ST, Land  9000", "Reference: R1"}));
  EXPECT_EQ(Block({"", "", "", "City", "", "", "9000"}, ""), Lines({"City  9000"}));
  EXPECT_EQ(Block({"", "", "", "", "ST", "", "9000"}, ""), Lines({"ST  9000"}));
  EXPECT_EQ(Block({"", "", "", "", "", "", "9000"}, ""), Lines({"9000"}));
  EXPECT_EQ(Block({"N", "", "Street 2", "", "", "Land", ""}, ""), Lines({"N", "Street 2", "Land"}));
  EXPECT_TRUE(Block({}, "").empty());
  EXPECT_EQ(Block({}, "only"), Lines({"Reference: only"}));
}

TEST(BuildIdentityTable, RowsWithEmptyValuesAreLeftOut)
{
  auto project = EmptyProject("Mill");
  CReportTable table;
  BuildIdentityTable(*project, table);
  EXPECT_EQ(table.RowCount(), 1u);
  EXPECT_EQ(Row(table, 0), Lines({"Project:", "Mill"}));
  project->mProject_Designer = "D";
  project->mProject_Date = "today";
  BuildIdentityTable(*project, table);
  EXPECT_EQ(table.RowCount(), 3u);
  EXPECT_EQ(Row(table, 1), Lines({"Designer:", "D"}));
  EXPECT_EQ(Row(table, 2), Lines({"Date:", "today"}));
}

TEST(BuildVolumesTable, NumbersVolumesAndTotalsTheirVolume)
{
  auto project = EmptyProject("P");
  CReportTable table;
  BuildVolumesTable(project->mAreaTable, table);
  EXPECT_EQ(table.RowCount(), 1u);
  EXPECT_EQ(table.ColumnCount(), 1u);
  EXPECT_EQ(table.Cell(0, 0), "NO VOLUMES");

  AddVolume(*project, "B", 1, 10_m, 10_m, 3_m);
  AddVolume(*project, "A", 0, 2_m, 5_m, 3_m);
  AddVolume(*project, "C", 12, 1_m, 1_m, 1_m); // an invalid class has no group
  BuildVolumesTable(project->mAreaTable, table);
  ASSERT_EQ(table.RowCount(), 5u);
  EXPECT_EQ(Row(table, 0), Lines({"Volume", "Hazard Class", "Volume"}));
  // Table order is name order; volumes are identified by position only.
  EXPECT_EQ(Row(table, 1), Lines({"#1", "CLASS A SURFACE", "30 cu m"}));
  EXPECT_EQ(Row(table, 2), Lines({"#2", "CLASS B FLAMMABLE LIQUID", "300 cu m"}));
  EXPECT_EQ(Row(table, 3), Lines({"#3", "", "1 cu m"}));
  EXPECT_EQ(Row(table, 4), Lines({"Total", "", "331 cu m"}));

  project->mUnits = UNITS_IMPERIAL;
  BuildVolumesTable(project->mAreaTable, table);
  EXPECT_EQ(table.Cell(2, 3), "35 cu ft");
}

TEST(BuildDevicesTable, CountedModelsInModelOrderWithTotal)
{
  CDeviceCounts counts{};
  CReportTable table;
  BuildDevicesTable(DeviceTotals(counts), table);
  EXPECT_EQ(table.RowCount(), 1u);
  EXPECT_EQ(table.ColumnCount(), 1u);
  EXPECT_EQ(table.Cell(0, 0), "NO DEVICES");

  counts[7] = 2;
  counts[0] = 5;
  BuildDevicesTable(DeviceTotals(counts), table);
  ASSERT_EQ(table.RowCount(), 4u);
  EXPECT_EQ(Row(table, 0), Lines({"Device", "Count"}));
  EXPECT_EQ(Row(table, 1), Lines({"30 g", "5"}));
  EXPECT_EQ(Row(table, 2), Lines({"2500 g", "2"}));
  EXPECT_EQ(Row(table, 3), Lines({"Total", "7"}));
}

TEST(BuildDevicesTable, ProjectTotalsDoNotWrapAround)
{
  auto project = EmptyProject("P");
  CArea& a = AddVolume(*project, "A", 0, 1_m, 1_m, 1_m);
  CArea& b = AddVolume(*project, "B", 0, 1_m, 1_m, 1_m);
  a.SetDeviceCount(3, 4294967295u);
  b.SetDeviceCount(3, 1);
  b.SetDeviceCount(4, 4294967295u);
  CReportTable table;
  BuildDevicesTable(ProjectDeviceTotals(*project), table);
  ASSERT_EQ(table.RowCount(), 4u);
  EXPECT_EQ(table.Cell(1, 1), "4294967296");
  EXPECT_EQ(table.Cell(1, 2), "4294967295");
  EXPECT_EQ(table.Cell(1, 3), "8589934591");
}

TEST(BuildSummaryTable, ValidCalculationShowsMassesAndDensities)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "A", 0, 10_m, 10_m, 3_m);
  ASSERT_TRUE(area.mFlags & AF_CREQ_VALID);
  area.SetDeviceCount(7, 12); // 30000 g in 300 cu m
  CReportTable table;
  BuildSummaryTable(area, table);
  ASSERT_EQ(table.RowCount(), 5u);
  EXPECT_EQ(Row(table, 0), Lines({"Hazard Class:", "CLASS A SURFACE"}));
  EXPECT_EQ(Row(table, 1), Lines({"Required Density:", "99 g/cu m"}));
  EXPECT_EQ(Row(table, 2), Lines({"Required Mass:", "29828 g"}));
  EXPECT_EQ(Row(table, 3), Lines({"Actual Mass:", "30000 g"}));
  EXPECT_EQ(Row(table, 4), Lines({"Actual Density:", "100 g/cu m"}));

  // A valid calculation with a volume of 0 has no actual density.
  area.mVolume = 0;
  BuildSummaryTable(area, table);
  EXPECT_EQ(Row(table, 4), Lines({"Actual Density:", ""}));
}

TEST(BuildSummaryTable, InvalidCalculationShowsOnlyTheHazardClass)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "A", 0, 0_m, 0_m, 0_m);
  area.SetDeviceCount(0, 3);
  CReportTable table;
  BuildSummaryTable(area, table);
  EXPECT_EQ(table.RowCount(), 1u);
  EXPECT_EQ(Row(table, 0), Lines({"Hazard Class:", "CLASS A SURFACE"}));
  area.mHazard = -1;
  BuildSummaryTable(area, table);
  EXPECT_EQ(Row(table, 0), Lines({"Hazard Class:", ""}));
}

TEST(BuildVolumesTable, SizesOutOfRangeShowAsInvalidNotAsInfinite)
{
  auto project = EmptyProject("P");
  AddVolume(*project, "A", 0, 2_m, 5_m, 3_m);
  CArea& huge = AddVolume(*project, "B", 0, 1e200, 1e200, 1e200);
  AddOpening(huge, VENT_WALL, SHAPE_RECTANGULAR, 1e200, 1e200, 0.5);
  CReportTable table;
  BuildVolumesTable(project->mAreaTable, table);
  EXPECT_EQ(Row(table, 1), Lines({"#1", "CLASS A SURFACE", "30 cu m"}));
  EXPECT_EQ(Row(table, 2), Lines({"#2", "CLASS A SURFACE", "INVALID"}));
  EXPECT_EQ(Row(table, 3), Lines({"Total", "", "INVALID"}));
  BuildDimensionsTable(huge, table);
  EXPECT_EQ(table.Cell(3, 1), "INVALID");
  EXPECT_EQ(table.Cell(4, 1), "INVALID");
  // An upper share whose areas have no finite size, as only a damaged file holds.
  CArea& share = AddVolume(*project, "C", 0, 2_m, 5_m, 3_m);
  AddOpening(share, VENT_WALL, SHAPE_RECTANGULAR, 10_m, 10_m, 1e307);
  EXPECT_TRUE(share.mFlags & AF_SIZE_OUT_OF_RANGE);
  EXPECT_EQ(TextReport(*project).find("inf"), std::string::npos);
}

TEST(BuildDimensionsTable, MeasuresInTheProjectUnits)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "A", 0, 10_m, 8_m, 3_m);
  AddOpening(area, VENT_WALL, SHAPE_RECTANGULAR, 2_m, 1.5_m, 0.5);
  CReportTable table;
  BuildDimensionsTable(area, table);
  ASSERT_EQ(table.RowCount(), 2u);
  EXPECT_EQ(Row(table, 0), Lines({"Length", "Width", "Height", "Volume", "Openings"}));
  EXPECT_EQ(Row(table, 1), Lines({"10 m", "8 m", "3 m", "240 cu m", "3 sq m"}));
  project->mUnits = UNITS_IMPERIAL;
  BuildDimensionsTable(area, table);
  EXPECT_EQ(Row(table, 1), Lines({"33 ft", "26 ft", "9.8 ft", "8476 cu ft", "32 sq ft"}));
}

TEST(BuildFactorsTable, ValidFactorsArePackedInFixedOrder)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "A", 0, 10_m, 10_m, 3_m);
  CReportTable table;
  area.mFlags = AF_LP_VALID | AF_K2_VALID | AF_K3_VALID;
  area.mLP = 0.0125;
  area.mK2 = 1.465;
  area.mK3 = 1;
  BuildFactorsTable(area, table);
  ASSERT_EQ(table.ColumnCount(), 3u);
  EXPECT_EQ(Row(table, 0), Lines({"LP", "K2", "K3"}));
  EXPECT_EQ(Row(table, 1), Lines({"0.013", "1.465", "1.000"}));

  area.mFlags = AF_ZERO_VOLUME;
  BuildFactorsTable(area, table);
  EXPECT_EQ(table.RowCount(), 0u);
  EXPECT_EQ(table.ColumnCount(), 0u);
}

TEST(BuildOpeningsTable, CircularOpeningsShowTheirDiameterAsWidth)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "A", 0, 10_m, 10_m, 4_m);
  CReportTable table;
  BuildOpeningsTable(area.mVentTable, table);
  EXPECT_EQ(table.RowCount(), 1u);
  EXPECT_EQ(table.Cell(0, 0), "NO OPENINGS");

  AddOpening(area, VENT_WALL, SHAPE_RECTANGULAR, 2_m, 1.5_m, 0.5);
  AddOpening(area, VENT_CEILING, SHAPE_CIRCULAR, 0.5_m, 0_m, 1.0);
  BuildOpeningsTable(area.mVentTable, table);
  ASSERT_EQ(table.RowCount(), 3u);
  EXPECT_EQ(Row(table, 0), Lines({"Opening", "Type", "Width", "Height", "Area", "Upper"}));
  EXPECT_EQ(Row(table, 1), Lines({"#1", "WALL", "2 m", "1.5 m", "3 sq m", "50%"}));
  EXPECT_EQ(Row(table, 2), Lines({"#2", "CEILING", "0.5 m", "CIRCULAR", "0.1963 sq m", "100%"}));
}

TEST(ProjectErrorLines, CombineTheFlagsOfAllVolumes)
{
  auto project = EmptyProject("P");
  CTextLines lines;
  EXPECT_FALSE(ProjectErrorLines(*project, lines));
  AddVolume(*project, "A", 0, 0_m, 0_m, 0_m);
  AddVolume(*project, "B", -1, 10_m, 10_m, 3_m);
  ASSERT_TRUE(ProjectErrorLines(*project, lines));
  EXPECT_EQ(lines.Lines(), Lines({"INVALID HAZARD CLASS", "ZERO VOLUME"}));

  // One volume's ZERO VOLUME or EXCESS LEAKAGE hides nothing another carries;
  // a label carried twice shows once.
  AddVolume(*project, "C", 0, 10_m, 10_m, 40_m);
  AddVolume(*project, "D", 0, 0_m, 0_m, 0_m);
  CArea& leaky = AddVolume(*project, "E", 0, 10_m, 10_m, 3_m);
  AddOpening(leaky, VENT_WALL, SHAPE_RECTANGULAR, 9_m, 2.9_m, 0.5);
  leaky.CalculateArea();
  AddVolume(*project, "F", 1, 10_m, 10_m, 3_m);
  ASSERT_TRUE(ProjectErrorLines(*project, lines));
  EXPECT_EQ(lines.Lines(), Lines({"INVALID HAZARD CLASS", "ZERO VOLUME", "EXCESS HEIGHT",
                                  "EXCESS LEAKAGE", "BELOW UL MINIMUM"}));
}

TEST(AreaErrorLines, TheULShortfallFollowsTheLabels)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "A", 1, 10_m, 10_m, 3_m);
  area.mDevice[0] = 2;
  area.CalculateArea();
  ASSERT_TRUE(area.mWarnings & AW_BELOW_UL_DENSITY);
  CTextLines lines;
  ASSERT_TRUE(AreaErrorLines(area, lines));
  EXPECT_EQ(lines.Lines(), Lines({"BELOW UL MINIMUM (0 g/cu m selected, minimum 67 g/cu m)"}));
  area.mDevice[0] = 0;
  area.mDevice[7] = 10;
  area.CalculateArea();
  EXPECT_FALSE(AreaErrorLines(area, lines));
}

TEST(CleanNotes, TrimsOuterWhiteSpaceAndDropsControls)
{
  EXPECT_EQ(CleanNotes("  \r\n a \x01 b\r\n\r\nc\t \n"), "a  b\r\n\r\nc");
  EXPECT_EQ(CleanNotes(" \t\r\n "), "");
  EXPECT_EQ(CleanNotes("caf\xE9\x81"), "caf\xE9");
  EXPECT_EQ(CleanNotes("{\\x}"), "{\\x}");
}
