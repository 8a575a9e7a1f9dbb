#include "report/text_report.h"

#include "model/text_lines.h"
#include "report/report_table.h"
#include "tests/model/project_builders.h"
#include "text/units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace
{
using Lines = std::vector<std::string>;

Lines Wrap(const std::string& text, std::size_t width) { return WrapText(text, width).Lines(); }

CTextLines Make(const Lines& lines)
{
  CTextLines out;
  for (const std::string& line : lines)
    out.Add(line);
  return out;
}

// The report split at CR LF; fails the test on a bare LF or a missing end.
Lines ReportLines(const CProject& project)
{
  const std::string text = TextReport(project);
  Lines lines;
  std::size_t start = 0;
  while (start < text.size())
  {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line not ended by CR LF";
    if (end == std::string::npos)
      break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The first line that starts with the text (after leading spaces), or "".
std::string LineWith(const Lines& lines, const std::string& text)
{
  for (const std::string& line : lines)
    if (line.find(text) != std::string::npos)
      return line;
  return "";
}
} // namespace

TEST(WriteLine, IndentsAndDropsTrailingWhiteSpace)
{
  std::ostringstream out;
  WriteLine(out, 5, "abc \t ");
  WriteLine(out, 0, "");
  WriteLine(out, 5, "");
  WriteLine(out, 2, "x\xA0");
  WriteLine(out, 0, "Volume \"a \r\nb\r\":"); // a name from a damaged file
  EXPECT_EQ(out.str(), "     abc\r\n\r\n\r\n  x\r\nVolume \"a   b \":\r\n");
}

TEST(TableLines, PadsEveryColumnToItsWidestCellPlusTwo)
{
  CReportTable table;
  table.AddCell(0, "Volume");
  table.AddCell(0, "#1");
  table.AddCell(0, "Total");
  table.AddCell(1, "Hazard Class");
  table.AddCell(1, "CLASS A SURFACE");
  table.AddCell(2, "x");
  // Column 1 ends before the last row, which leaves that cell blank.
  EXPECT_EQ(TableLines(table).Lines(),
            Lines({"Volume  Hazard Class     x  ", "#1      CLASS A SURFACE     ",
                   "Total                       "}));
  EXPECT_TRUE(TableLines(CReportTable()).Empty());
}

TEST(JoinColumns, RightLinesStartAtTheWidestLeftLine)
{
  const CTextLines left = Make({"ab  ", "abcdef", "a"});
  const CTextLines right = Make({"1", "", "3", "4  "});
  EXPECT_EQ(JoinColumns(left, right).Lines(), Lines({"ab    1", "abcdef", "a     3", "      4"}));
  EXPECT_EQ(JoinColumns(CTextLines(), right).Lines(), Lines({"1", "", "3", "4"}));
}

TEST(RightBlock, PlacesTheBlockAgainstTheEdge)
{
  // A block 10 wide ends before column 79: it starts at column 69.
  EXPECT_EQ(RightBlock("left", 79, 10, "right"), std::string("left") + std::string(65, ' ') + "right");
  EXPECT_EQ(RightBlock("", 79, 10, "r").size(), 70u);
  // A right text wider than the block widens it.
  EXPECT_EQ(RightBlock("", 79, 3, "12345").find('1'), 74u);
  // A left text reaching into the block runs into the right text.
  const std::string longLeft(75, 'd');
  EXPECT_EQ(RightBlock(longLeft, 79, 10, "cust"), longLeft + "cust");
  // The block never reaches beyond the left edge.
  const std::string wide(90, 'c');
  EXPECT_EQ(RightBlock("d", 79, 90, wide), "d" + wide);
}

TEST(WrapText, BreaksAtWordsAndKeepsSpacesInsideLines)
{
  EXPECT_EQ(Wrap("aaa bbb ccc", 7), Lines({"aaa bbb", "ccc"}));
  EXPECT_EQ(Wrap("aaa  bbb", 8), Lines({"aaa  bbb"}));
  EXPECT_EQ(Wrap("aaa bbb", 6), Lines({"aaa", "bbb"}));
  // Wrapping never leaves the space at the end of the line.
  EXPECT_EQ(Wrap("aaaa bb cc", 5), Lines({"aaaa", "bb cc"}));
  EXPECT_TRUE(Wrap("", 74).empty());
}

TEST(WrapText, LineBreaksEndLinesAndEmptyLinesStay)
{
  EXPECT_EQ(Wrap("first\r\n\r\nsecond", 74), Lines({"first", "", "second"}));
  EXPECT_EQ(Wrap("one\n\n\ntwo\n", 74), Lines({"one", "", "", "two"}));
  // A word that does not fit before the break goes to a line of its own.
  EXPECT_EQ(Wrap("aaa bbb\nc", 5), Lines({"aaa", "bbb", "c"}));
  EXPECT_EQ(Wrap("\n", 74), Lines({""}));
  // A full line ended by CR LF (or by spaces) gives no extra empty line.
  EXPECT_EQ(Wrap("abcde\r\nf", 5), Lines({"abcde", "f"}));
  EXPECT_EQ(Wrap("ab de   \nf", 5), Lines({"ab de", "f"}));
}

TEST(WrapText, LongWordWidensTheLinesAndIsNeverSplit)
{
  const std::string word(80, 'w');
  EXPECT_EQ(Wrap("short " + word + " tail", 74), Lines({"short", word, "tail"}));
  // The widened width also applies to the other lines.
  EXPECT_EQ(Wrap("abcdefgh ab cd efg", 4), Lines({"abcdefgh", "ab cd", "efg"}));
}

TEST(WrapText, ControlCharactersAreDroppedAndDoNotSplitWords)
{
  EXPECT_EQ(Wrap("ab\x01" "cd ef\x7F", 74), Lines({"abcd ef"}));
  // Accented letters of Windows-1252 are visible word characters.
  EXPECT_EQ(Wrap("caf\xE9 cr\xE8me", 5), Lines({"caf\xE9", "cr\xE8me"}));
  // Tabs are white space: kept inside the line, never at its end.
  EXPECT_EQ(Wrap("a\tb\t", 74), Lines({"a\tb"}));
}

TEST(TextReport, IdentityValuesStartAfterTheWidestLabel)
{
  auto project = EmptyProject("Plant");
  project->mProject_Date = "01/02/24";
  EXPECT_EQ(ReportLines(*project)[0], "Project:  Plant");
  EXPECT_EQ(ReportLines(*project)[1], "Date:     01/02/24");

  project->mProject_Designer = "J. Doe";
  EXPECT_EQ(ReportLines(*project)[0].find("Plant"), 11u);
  EXPECT_EQ(ReportLines(*project)[1], "Designer:  J. Doe");

  project->mProject_Reference = "R-7";
  const Lines lines = ReportLines(*project);
  EXPECT_EQ(lines[0].find("Plant"), 20u);
  EXPECT_EQ(lines[1], "Project Reference:  R-7");
  EXPECT_EQ(lines[3], "Date:               01/02/24");
  EXPECT_EQ(lines[4], "");
}

TEST(TextReport, DistributorAndCustomerStandSideBySide)
{
  auto project = EmptyProject("P");
  project->mDistributor = {"Dist Co", "1 Road", "", "Town", "", "", ""};
  project->mDistributor_Reference = "";
  project->mCustomer = {"Customer Ltd", "Unit 4", "Harbour Estate", "Port City", "ST", "Land", "12345"};
  project->mCustomer_Reference = "PO 991";
  const Lines lines = ReportLines(*project);
  // Identity, empty line, then five address lines.
  ASSERT_GE(lines.size(), 8u);
  const std::size_t m = std::string("Port City, ST, Land  12345").size();
  const std::size_t column = 79 - m;
  EXPECT_EQ(lines[2], PadRight("Dist Co", column) + "Customer Ltd");
  EXPECT_EQ(lines[3], PadRight("1 Road", column) + "Unit 4");
  EXPECT_EQ(lines[4], PadRight("Town", column) + "Harbour Estate");
  EXPECT_EQ(lines[5], std::string(column, ' ') + "Port City, ST, Land  12345");
  EXPECT_EQ(lines[6], std::string(column, ' ') + "Reference: PO 991");
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines[8], "Totals:");

  // A distributor line reaching the customer column would run into it: the
  // customer block then stands below the distributor block, still against
  // the edge, and a single touching line is enough.
  for (std::size_t length : {column - 1, column})
  {
    project->mDistributor.mName = std::string(length, 'D');
    const Lines moved = ReportLines(*project);
    if (length < column)
    {
      EXPECT_EQ(moved[2], PadRight(std::string(length, 'D'), column) + "Customer Ltd");
      continue;
    }
    const Lines expected = {std::string(length, 'D'), "1 Road", "Town",
                            std::string(column, ' ') + "Customer Ltd",
                            std::string(column, ' ') + "Unit 4",
                            std::string(column, ' ') + "Harbour Estate",
                            std::string(column, ' ') + "Port City, ST, Land  12345",
                            std::string(column, ' ') + "Reference: PO 991", "", "Totals:"};
    EXPECT_EQ(Lines(moved.begin() + 2, moved.begin() + 12), expected);
  }
}

TEST(TextReport, DistributorAloneHasNoPadding)
{
  auto project = EmptyProject("P");
  project->mDistributor = {"Dist Co", "", "", "", "", "", ""};
  project->mDistributor_Reference = "D-1";
  const Lines lines = ReportLines(*project);
  EXPECT_EQ(lines[2], "Dist Co");
  EXPECT_EQ(lines[3], "Reference: D-1");
  EXPECT_EQ(lines[4], "");
}

TEST(TextReport, SummaryValuesStartAfterTheWidestSummaryLabel)
{
  auto project = EmptyProject("P");
  CArea& valid = AddVolume(*project, "A", 0, 10_m, 10_m, 3_m);
  ASSERT_TRUE(valid.mFlags & AF_CREQ_VALID);
  AddVolume(*project, "B", 0, 0_m, 0_m, 0_m);

  const Lines lines = ReportLines(*project);
  // Both volumes have no devices: the right-hand column starts at 5 + 12.
  const std::string a = LineWith(lines, "Required Density:");
  EXPECT_EQ(a.find("Hazard Class:"), std::string::npos);
  EXPECT_EQ(a.find("Required Density:"), 17u);
  EXPECT_EQ(a.find("99 g/cu m"), 17u + 19u);

  // Volume B is not valid: only "Hazard Class:" in its summary.
  std::size_t b = 0;
  while (b < lines.size() && lines[b] != "Volume \"B\":")
    ++b;
  ASSERT_LT(b + 4, lines.size());
  EXPECT_EQ(lines[b + 2], "     ZERO VOLUME");
  EXPECT_EQ(lines[b + 4], "     NO DEVICES  Hazard Class:  CLASS A SURFACE");
}

TEST(TextReport, VolumeNotesLabelWiderThanTheDevicesTable)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "", 0, 0_m, 0_m, 0_m);
  area.mIncludeNotes = true;
  // 59 characters fit beside the label, the next word does not.
  area.mNotes = std::string(50, 'n') + " " + std::string(8, 'm') + " next";
  const Lines lines = ReportLines(*project);
  const std::string label = LineWith(lines, "Volume Notes:");
  EXPECT_EQ(label, "     Volume Notes:" + std::string(50, 'n') + " " + std::string(8, 'm'));
  const std::size_t at = std::find(lines.begin(), lines.end(), label) - lines.begin();
  ASSERT_LT(at + 2, lines.size());
  EXPECT_EQ(lines[at + 1], std::string(18, ' ') + "next");
  EXPECT_EQ(lines[at + 2], "");
  EXPECT_EQ(lines.size(), at + 3);
}

TEST(TextReport, VolumeNotesStartWhereTheRightHandTablesStart)
{
  auto project = EmptyProject("P");
  CArea& area = AddVolume(*project, "Store", 0, 10_m, 10_m, 3_m);
  area.SetDeviceCount(7, 3);
  area.mIncludeNotes = true;
  area.mNotes = "Keep the door shut.";
  const Lines lines = ReportLines(*project);
  // "Device  Count  " is 15 wide: the tables and the notes start at 5 + 15.
  EXPECT_EQ(LineWith(lines, "Hazard Class:"), "     Device  Count  Hazard Class:      CLASS A SURFACE");
  EXPECT_EQ(LineWith(lines, "Volume Notes:"), "     Volume Notes:  Keep the door shut.");
  // Notes left out of the report are not written.
  area.mIncludeNotes = false;
  EXPECT_EQ(LineWith(ReportLines(*project), "Volume Notes:"), "");
}

TEST(TextReport, NoLineEndsInWhiteSpace)
{
  auto project = EmptyProject("P  ");
  project->mProject_Date = "d";
  project->mCustomer.mName = "C";
  project->mIncludeNotes = true;
  project->mNotes = "notes   \r\n   \r\nmore\t";
  CArea& area = AddVolume(*project, "V", 0, 10_m, 10_m, 3_m);
  AddOpening(area, VENT_WALL, SHAPE_RECTANGULAR, 1_m, 1_m, 0.5);
  area.SetDeviceCount(0, 1);
  for (const std::string& line : ReportLines(*project))
  {
    if (!line.empty())
    {
      EXPECT_FALSE(line.back() == ' ' || line.back() == '\t') << '"' << line << '"';
    }
  }
}
