// Room schedules: the CSV codec, the cell texts, the CSV and JSON exports
// and the all-or-nothing import, checked by export then import.

#include "bench/project_generator.h"
#include "model/project.h"
#include "storage/csv.h"
#include "storage/project_file.h"
#include "storage/project_json.h"
#include "storage/schedule_export.h"
#include "storage/schedule_format.h"
#include "storage/schedule_import.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace
{
const char kHeader[] = "name,hazard_class,length_m,width_m,height_m\r\n";

// A project of the awkward cases: round openings with and without a height,
// an opening of size 0, notes with commas, quotes and line breaks, accented
// names, counts of every model, and a volume whose figures are not valid.
std::unique_ptr<CProject> AwkwardProject()
{
  auto p = std::make_unique<CProject>();
  p->SetName("Awkward");
  p->mAreaTable.AddNew("Caf\xE9, \"east\"", 6);
  CArea& a = *p->mAreaTable.Find("Caf\xE9, \"east\"");
  a.SetLength((0.1 + 0.2) * 100);
  a.SetWidth(7.25);
  a.SetHeight(3.1);
  a.mVentTable.Add(VENT_WALL, SHAPE_CIRCULAR, 0.4, 0.25, 0.3);
  a.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0, 0, 1);
  a.mVentTable.Add(VENT_CEILING, SHAPE_CIRCULAR, 0.5, 0, 1);
  a.mVentTable.Add(VENT_FLOOR, SHAPE_RECTANGULAR, 0.3, 0.2, 1);
  for (int m = 0; m < DeviceModelCount; ++m)
    a.SetDeviceCount(m, static_cast<std::uint32_t>(m * 7 + 1));
  a.SetNotes("Line one, with \"quotes\"\r\nline two");
  p->mAreaTable.AddNew("Leaky", 1);
  CArea& b = *p->mAreaTable.Find("Leaky");
  b.SetLength(2);
  b.SetWidth(2);
  b.SetHeight(2);
  b.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 2, 0.5);
  p->RecalculateProject();
  return p;
}

// Imports the CSV into an empty project and checks it holds what the source held.
void ExpectRoundTrip(const CProject& source)
{
  const std::string csv = ScheduleCsv(source);
  CProject copy;
  const CSchedule schedule = ReadSchedule(csv, copy);
  ASSERT_TRUE(schedule.Ok()) << ScheduleErrorText(schedule, 5);
  EXPECT_EQ(schedule.Added(), source.mAreaTable.Count());
  ASSERT_TRUE(ApplySchedule(schedule, copy));
  EXPECT_FALSE(copy.mAreaTable.Differs(source.mAreaTable));
  EXPECT_EQ(ScheduleCsv(copy), csv);
}

CSchedule Read(const std::string& csv, const CProject& project)
{
  return ReadSchedule(csv, project);
}
} // namespace

TEST(Csv, ReadsQuotedFieldsLineEndsAndNamesTheLineOfEachRecord)
{
  std::vector<CCsvRecord> r;
  ASSERT_TRUE(ReadCsv("\xEF\xBB\xBF" "a,\"b,1\",\"say \"\"hi\"\"\"\r\n\r\n,,\n\"two\r\nlines\",x\ny,", r));
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].mFields, (std::vector<std::string>{"a", "b,1", "say \"hi\""}));
  EXPECT_EQ(r[1].mLine, 4u);
  EXPECT_EQ(r[1].mFields, (std::vector<std::string>{"two\r\nlines", "x"}));
  EXPECT_EQ(r[2].mLine, 6u);
  EXPECT_EQ(r[2].mFields, (std::vector<std::string>{"y", ""}));

  const struct
  {
    const char* text;
    std::size_t line;
    const char* reason;
  } bad[] = {{"a\nb,\"open\nstill", 2, "not closed"},
             {"a\nb\"c", 2, "double quote inside"},
             {"\"a\"b", 1, "follows a closing quote"}};
  for (const auto& c : bad)
  {
    std::string error;
    std::size_t line = 0;
    EXPECT_FALSE(ReadCsv(c.text, r, &error, &line)) << c.text;
    EXPECT_EQ(line, c.line) << c.text;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }

  std::string out;
  AppendCsvRecord(out, {"plain", "a,b", "q\"", "l\nm", ""});
  EXPECT_EQ(out, "plain,\"a,b\",\"q\"\"\",\"l\nm\",\r\n");
}

TEST(ScheduleCells, LengthsCountsAndOpenings)
{
  const struct
  {
    const char* text;
    UnitSystem units;
    double metres; // < 0: refused
  } lengths[] = {
    {"2.5", UNITS_METRIC, 2.5},     {" 10 ", UNITS_IMPERIAL, 3.048}, {"10 ft", UNITS_METRIC, 3.048},
    {"3m", UNITS_IMPERIAL, 3},      {"4 metres", UNITS_IMPERIAL, 4}, {"1e1", UNITS_METRIC, 10},
    {"2,5", UNITS_METRIC, -1},      {"-5", UNITS_METRIC, -1},        {"0", UNITS_METRIC, -1},
    {"abc", UNITS_METRIC, -1},      {"", UNITS_METRIC, -1},          {"inf", UNITS_METRIC, -1},
    {"10 xyz", UNITS_METRIC, -1},   {"10 mm", UNITS_IMPERIAL, 0.01}, {"250 cm", UNITS_IMPERIAL, 2.5},
    {"10'6\"", UNITS_METRIC, 3.2004}, {"2 m 50 cm", UNITS_METRIC, -1},
    {"1e200", UNITS_METRIC, -1},    {"1e-51 m", UNITS_METRIC, -1},   {"1e50", UNITS_METRIC, 1e50},
    {"1e16", UNITS_METRIC, 1e16},   {"1e51 ft", UNITS_METRIC, -1},
  };
  for (const auto& c : lengths)
  {
    double m = 0;
    std::string reason;
    EXPECT_EQ(ReadScheduleLength(c.text, c.units, m, reason), c.metres >= 0) << c.text;
    if (c.metres >= 0)
      EXPECT_DOUBLE_EQ(m, c.metres) << c.text;
    else
      EXPECT_FALSE(reason.empty()) << c.text;
  }

  std::uint32_t n = 0;
  std::string reason;
  EXPECT_TRUE(ReadScheduleCount(" 12 ", n, reason));
  EXPECT_EQ(n, 12u);
  for (const char* bad : {"1.5", "-1", "4294967296", "12 units", "x"})
    EXPECT_FALSE(ReadScheduleCount(bad, n, reason)) << bad;

  std::vector<CVentValues> v;
  ASSERT_TRUE(ReadOpeningsCell("WALL 2 x 1.5 upper 50%; ceiling round 2 ft ;floor rect 1x0.5",
                               UNITS_METRIC, v, reason))
    << reason;
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0].mType, VENT_WALL);
  EXPECT_DOUBLE_EQ(v[0].mHeight, 1.5);
  EXPECT_DOUBLE_EQ(v[0].mUpper, 0.5);
  EXPECT_EQ(v[1].mShape, SHAPE_CIRCULAR);
  EXPECT_DOUBLE_EQ(v[1].mWidth, 0.6096);
  EXPECT_EQ(v[2].mType, VENT_FLOOR);
  EXPECT_TRUE(ReadOpeningsCell(" None ", UNITS_METRIC, v, reason));
  EXPECT_TRUE(v.empty());
  for (const char* bad : {"door 1 x 2", "wall 2", "wall 2 x 1 upper 1.5", "floor 1 x 1 upper 0.5",
                          "wall 2 x 1 upper", "wall 2,5 x 1"})
    EXPECT_FALSE(ReadOpeningsCell(bad, UNITS_METRIC, v, reason)) << bad;
  EXPECT_FALSE(ReadOpeningsCell("wall 1 x 1; wall 1 x abc", UNITS_METRIC, v, reason));
  EXPECT_NE(reason.find("opening 2"), std::string::npos) << reason;
}

TEST(ScheduleExport, OneRowPerVolumeWithPlainSiFiguresAndEmptyCellsForInvalidOnes)
{
  auto p = AwkwardProject();
  const std::string csv = ScheduleCsv(*p);
  std::vector<CCsvRecord> rows;
  ASSERT_TRUE(ReadCsv(csv, rows));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].mFields, ScheduleColumns());
  auto cell = [&](std::size_t row, const char* column)
  {
    const auto& c = ScheduleColumns();
    return rows[row].mFields[static_cast<std::size_t>(std::find(c.begin(), c.end(), column) - c.begin())];
  };
  EXPECT_EQ(cell(1, "name"), "Caf\xC3\xA9, \"east\""); // UTF-8
  EXPECT_EQ(cell(1, "hazard_class"), "CLASS C/B ELECTRICAL LIGHT/MEDIUM DUTY, B");
  EXPECT_EQ(cell(1, "length_m"), "30.000000000000004");
  EXPECT_EQ(cell(1, "openings_m"), "wall round 0.4 x 0.25 upper 0.3; wall 0 x 0 upper 1; "
                                   "ceiling round 0.5; floor 0.3 x 0.2");
  EXPECT_EQ(cell(1, "devices_2500g"), "50");
  EXPECT_EQ(cell(1, "errors"), "");
  EXPECT_EQ(cell(1, "notes"), "Line one, with \"quotes\"\r\nline two");
  EXPECT_EQ(cell(2, "errors"), "EXCESS LEAKAGE");
  for (const char* invalid : {"k1", "mass_required_g", "ul_minimum_g_per_m3", "ul_met"})
    EXPECT_EQ(cell(2, invalid), "") << invalid;
  EXPECT_EQ(cell(2, "lr"), ScheduleNumber(p->mAreaTable.Find("Leaky")->mLR));

  const auto json = nlohmann::json::parse(ProjectJson(*p));
  EXPECT_EQ(json["name"], "Awkward");
  ASSERT_EQ(json["volumes"].size(), 2u);
  const auto& leaky = json["volumes"][1];
  EXPECT_EQ(json["volumes"][0]["name"], "Caf\xC3\xA9, \"east\"");
  EXPECT_EQ(json["volumes"][0]["openings"].size(), 4u);
  EXPECT_EQ(json["volumes"][0]["devices"][7]["count"], 50);
  EXPECT_TRUE(leaky["figures"]["k1"].is_null());
  EXPECT_TRUE(leaky["figures"]["ul_met"].is_null());
  EXPECT_DOUBLE_EQ(leaky["figures"]["volume_m3"].get<double>(), 8);
  EXPECT_EQ(leaky["figures"]["errors"], nlohmann::json::array({"EXCESS LEAKAGE"}));
}

TEST(ScheduleExport, SizesOutOfRangeLeaveTheirFiguresEmpty)
{
  CProject p;
  ASSERT_TRUE(p.mAreaTable.AddNew("Far", 0));
  CArea& far = *p.mAreaTable.Find("Far");
  far.mLength = 1e51; // as a damaged file holds it
  far.mWidth = far.mHeight = 1;
  far.mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, 1, 1, 1);
  p.RecalculateProject();
  std::vector<CCsvRecord> rows;
  ASSERT_TRUE(ReadCsv(ScheduleCsv(p), rows));
  ASSERT_EQ(rows.size(), 2u);
  const auto& columns = ScheduleColumns();
  for (const char* column : {"volume_m3", "open_area_ceiling_m2", "errors"})
  {
    const auto at = static_cast<std::size_t>(std::find(columns.begin(), columns.end(), column) - columns.begin());
    ASSERT_LT(at, columns.size()) << column;
    EXPECT_EQ(rows[1].mFields[at], std::string(column) == "errors" ? "SIZE OUT OF RANGE" : "") << column;
  }
  // The JSON gives them no figure either, nor a count of devices.
  const auto figures = nlohmann::json::parse(ProjectJson(p))["volumes"][0]["figures"];
  for (const char* figure : {"volume_m3", "open_area_ceiling_m2", "closed_area_m2", "density_selected_g_per_m3"})
    EXPECT_TRUE(figures[figure].is_null()) << figure;
  for (const auto& [model, count] : figures["devices_required"].items())
    EXPECT_TRUE(count.is_null()) << model;
  EXPECT_EQ(figures["errors"], nlohmann::json::array({"SIZE OUT OF RANGE"}));
}

TEST(ScheduleImport, ExportThenImportGivesTheSameVolumes)
{
  ExpectRoundTrip(*AwkwardProject());
  for (std::uint32_t seed : {1u, 2u, 3u})
    ExpectRoundTrip(*GenerateProject("Generated", 40, 6, seed));
  CProject example;
  example.mPath = std::string(VANTOR_SOURCE_DIR) + "/examples/Example.ad";
  ASSERT_TRUE(LoadProject(example));
  ExpectRoundTrip(example);
}

TEST(ScheduleImport, ReadsMixedUnitsAndUpdatesByNameKeepingWhatIsNotGiven)
{
  auto p = AwkwardProject();
  p->SetUnits(UNITS_IMPERIAL);
  const CArea& cafe = *p->mAreaTable.Find("Caf\xE9, \"east\"");
  const std::size_t openings = cafe.mVentTable.Count();
  const CSchedule s = Read("Room Name, Hazard Class ,Length,Width (m),height_ft,Openings,devices_30g,Notes\n"
                           "\"  Caf\xC3\xA9,  \"\"east\"\" \",\"class c/b electrical light/medium duty,  b\",10,3,10 ,,,\n"
                           "New hall,  CLASS A - SURFACE FIRES ,3 m,20 ft,9,wall 3 x 3.5 upper 40%,4,hall notes\n",
                           *p);
  ASSERT_TRUE(s.Ok()) << ScheduleErrorText(s);
  EXPECT_EQ(s.Added(), 1u);
  EXPECT_EQ(s.Updated(), 1u);
  ASSERT_TRUE(ApplySchedule(s, *p));
  EXPECT_DOUBLE_EQ(cafe.mLength, 3.048); // the project's feet
  EXPECT_DOUBLE_EQ(cafe.mWidth, 3);      // metres by the header
  EXPECT_DOUBLE_EQ(cafe.mHeight, 3.048);
  EXPECT_EQ(cafe.mVentTable.Count(), openings);
  EXPECT_EQ(cafe.mDevice[0], 1u);
  EXPECT_EQ(cafe.mNotes, "Line one, with \"quotes\"\r\nline two");
  const CArea& hall = *p->mAreaTable.Find("New hall");
  EXPECT_EQ(hall.mHazard, 0);
  EXPECT_DOUBLE_EQ(hall.mLength, 3);
  EXPECT_DOUBLE_EQ(hall.mWidth, 6.096);
  EXPECT_DOUBLE_EQ(hall.mVentTable.Get(0)->mWidth, 0.9144);
  EXPECT_DOUBLE_EQ(hall.mVentTable.Get(0)->mUpper, 0.4);
  EXPECT_EQ(hall.mDevice[0], 4u);
  EXPECT_EQ(hall.mNotes, "hall notes");
  EXPECT_TRUE(hall.mFlags & AF_CREQ_VALID);
}

TEST(ScheduleImport, AnyWrongRowImportsNothingAndEachIsNamedByItsLine)
{
  auto p = AwkwardProject();
  const std::string before = ScheduleCsv(*p);
  const struct
  {
    std::string csv;
    std::vector<std::pair<std::size_t, const char*>> errors;
  } cases[] = {
    {std::string(kHeader) + "A,CLASS Z,1,1,1\r\nB,CLASS A - SURFACE FIRES,1,two,1\r\n"
                            "C,CLASS A - SURFACE FIRES,1,1,1\r\n\r\nc,CLASS A - SURFACE FIRES,1,1,2,5\r\n"
                            " C ,CLASS A - SURFACE FIRES,1,1,1\r\n,CLASS A - SURFACE FIRES,1,1,1\r\n"
                            "D,,-1,0,2\xC2\xA0mm\r\nE\xE2\x82\xAC\xF0\x9F\x94\xA5,CLASS A - SURFACE FIRES,1,1,1\r\n",
     {{2, "unknown hazard class \"CLASS Z\""},
      {3, "width: the length \"two\" is not a number"},
      {6, "more cells than the header"},
      {7, "\"C\" is already on line 4"},
      {8, "no name given"},
      {9, "no hazard class given"},
      {9, "length:"},
      {9, "width:"},
      {9, "height:"},
      {10, "cannot store"}}},
    {"name,hazard_class,length,lenght,height,devices_45g\n", {{1, "unknown column \"lenght\""},
                                                            {1, "unknown column \"devices_45g\""},
                                                            {1, "\"width\" is missing"}}},
    {"name,name,hazard,length,width,height\n", {{1, "given twice"}}},
    {"name,hazard_class,length,width,height,,\nA,CLASS A - SURFACE FIRES,1,1,1,,x\n", {{2, "column 7 has no name"}}},
    {std::string(kHeader), {{1, "no volumes"}}},
    {"", {{1, "no header"}}},
    {std::string(kHeader) + "\"A,CLASS A - SURFACE FIRES,1,1,1\r\n", {{2, "not closed"}}},
    {"name,hazard_class,length,width,height,openings,devices_100g,notes\n"
     "A,CLASS A - SURFACE FIRES,1,1,1,wall 1 x 1 upper 2,1.5,\n",
     {{2, "openings: opening 1"}, {2, "100 g:"}}},
    {"name,hazard_class,length,width,height,openings\n"
     "A,CLASS A - SURFACE FIRES,1e200,1e200,1e200,wall 1e60 x 1\n",
     {{2, "length: the length \"1e200\" is outside the lengths the calculation takes, from 1e-50 m to 1e+50 m"},
      {2, "width:"},
      {2, "height:"},
      {2, "openings: opening 1 (wall 1e60 x 1): width: the length \"1e60\" is outside"}}},
  };
  for (const auto& c : cases)
  {
    const CSchedule s = Read(c.csv, *p);
    const std::string text = ScheduleErrorText(s);
    ASSERT_EQ(s.mErrors.size(), c.errors.size()) << text;
    for (std::size_t i = 0; i < c.errors.size(); ++i)
    {
      EXPECT_EQ(s.mErrors[i].mLine, c.errors[i].first) << text;
      EXPECT_NE(s.mErrors[i].mReason.find(c.errors[i].second), std::string::npos) << text;
    }
    EXPECT_TRUE(s.mRows.empty());
    EXPECT_EQ(s.WrongLines(), c.errors.size() == 10 ? 7u : 1u);
    EXPECT_FALSE(ApplySchedule(s, *p));
    EXPECT_EQ(ScheduleCsv(*p), before);
  }
  const CSchedule many = Read(std::string(kHeader) + std::string(30, 'x') + "\n" + std::string(30, 'y'), *p);
  EXPECT_NE(ScheduleErrorText(many, 1).find("... and "), std::string::npos);
}

// Texts a spreadsheet would run as formulas get the text mark "'" in the
// CSV, and the import takes it off again: names and notes come back exactly,
// those that begin with the mark themselves too.
TEST(ScheduleCells, FormulaLikeTextsAreMarkedAndComeBackUnchanged)
{
  const struct
  {
    const char* text;
    const char* cell;
  } cells[] = {
      {"=HYPERLINK(\"http://x\",\"y\")", "'=HYPERLINK(\"http://x\",\"y\")"},
      {"+1", "'+1"},
      {"-3", "'-3"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\tTab", "'\tTab"},
      {"\rCR", "'\rCR"},
      {"'=own mark", "''=own mark"},
      {"''-two marks", "'''-two marks"},
      {"'plain quote", "'plain quote"},
      {"'", "'"},
      {"Room = 1", "Room = 1"},
      {"", ""},
  };
  for (const auto& c : cells)
  {
    EXPECT_EQ(SpreadsheetText(c.text), c.cell) << c.text;
    EXPECT_EQ(PlainCellText(c.cell), c.text) << c.cell;
  }

  auto p = std::make_unique<CProject>();
  for (const char* name : {"=HYPERLINK(\"http://x\",\"y\")", "+1", "-2 basement", "@here",
                           "'=quoted", "''+x", "'plain'"})
  {
    p->mAreaTable.AddNew(name, 1);
    CArea& a = *p->mAreaTable.Find(name);
    a.SetLength(3);
    a.SetWidth(4);
    a.SetHeight(2.5);
    a.SetNotes(std::string(name) == "+1"      ? "=1+2"
               : std::string(name) == "@here" ? "\tindented\r\nnext"
                                              : name);
  }
  p->RecalculateProject();
  ExpectRoundTrip(*p);
  std::vector<CCsvRecord> rows;
  ASSERT_TRUE(ReadCsv(ScheduleCsv(*p), rows));
  for (std::size_t r = 1; r < rows.size(); ++r)
    for (const std::string& cell : rows[r].mFields)
      EXPECT_TRUE(cell.empty() || std::string("=+@\t\r").find(cell[0]) == std::string::npos ||
                  cell == "-" /* never written */)
          << cell;
}

// Bytes of the file stand in the import's messages so that a terminal or a
// dialog shows them and never acts on them.
TEST(ScheduleImport, MessagesShowTheFilesBytesEscaped)
{
  CProject p;
  const std::string csv = std::string("name,hazard_class,length,width,height,\x1b[31mred\n") +
                          "A,\"CLASS\r\nZ\x7f\",1,1,1\n" + std::string("B,CLASS\0Q,1,1,1\n", 17) +
                          "C,CLASS \xe9t\xe9,1,x\x1b]0;title\x07,1\n";
  const CSchedule s = Read(csv, p);
  const std::string text = ScheduleErrorText(s, 0, "rooms\x1b[2J.csv");
  EXPECT_EQ(text, "rooms\\x1b[2J.csv:1: unknown column \"\\x1b[31mred\"\n");
  // The rows are read once the header is right.
  const std::string rows =
      ScheduleErrorText(Read(csv.substr(csv.find('\n')).insert(0, kHeader), p), 0, "f");
  for (const char* shown : {"\"CLASS\\r\\nZ\\x7f\"", "\"CLASS\\x00Q\"",
                            "\"CLASS \xc3\xa9t\xc3\xa9\"", "\"x\\x1b]0;title\\x07\""})
    EXPECT_NE(rows.find(shown), std::string::npos) << shown << "\n" << rows;
  for (char raw : {'\x1b', '\0', '\r', '\x7f', '\x07'})
  {
    EXPECT_EQ(text.find(raw), std::string::npos) << int(raw);
    EXPECT_EQ(rows.find(raw), std::string::npos) << int(raw);
  }
}

// The JSON goes out in pieces as it is made, laid out exactly as the JSON
// library lays out a whole document, and never holds a number that is not
// finite.
TEST(ProjectJsonExport, StreamsTheLibrarysLayoutInBoundedPiecesWithNullForNonFiniteNumbers)
{
  CProject example;
  example.mPath = std::string(VANTOR_SOURCE_DIR) + "/examples/Example.ad";
  ASSERT_TRUE(LoadProject(example));
  auto broken = AwkwardProject();
  CArea& cafe = *broken->mAreaTable.Find("Caf\xE9, \"east\"");
  cafe.mLength = std::numeric_limits<double>::infinity();
  cafe.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, std::nan(""), 1e308, 1);
  broken->RecalculateProject();
  const std::unique_ptr<CProject> projects[] = {std::make_unique<CProject>(), AwkwardProject(),
                                                GenerateProject("Generated", 60, 6, 4),
                                                std::move(broken)};
  for (const auto& p : projects)
  {
    const std::string text = ProjectJson(*p);
    EXPECT_EQ(nlohmann::ordered_json::parse(text).dump(2) + "\n", text);
  }
  const std::string brokenText = ProjectJson(*projects[3]);
  for (const char* word : {": inf", ": -inf", ": nan", ": -nan", ": Infinity", ": NaN"})
    EXPECT_EQ(brokenText.find(word), std::string::npos) << word;
  const auto json = nlohmann::json::parse(brokenText);
  EXPECT_TRUE(json["volumes"][0]["length_m"].is_null());
  EXPECT_TRUE(json["volumes"][0]["openings"][4]["width_m"].is_null());
  EXPECT_EQ(nlohmann::ordered_json::parse(ProjectJson(example)).dump(2) + "\n",
            ProjectJson(example));

  // 2,000 volumes are megabytes of JSON; no piece is more than a volume's
  // worth above the writer's 64 KiB.
  const auto large = GenerateProject("Large", 2000, 6, 5);
  std::string joined;
  std::size_t largest = 0;
  ASSERT_TRUE(WriteProjectJson(*large,
                               [&](std::string_view piece)
                               {
                                 largest = std::max(largest, piece.size());
                                 joined += piece;
                                 return true;
                               }));
  EXPECT_GT(joined.size(), 4'000'000u);
  EXPECT_LT(largest, 70'000u);
  EXPECT_EQ(joined, ProjectJson(*large));
  // A piece that cannot be written ends the export.
  std::size_t calls = 0;
  EXPECT_FALSE(WriteProjectJson(*large,
                                [&](std::string_view)
                                {
                                  ++calls;
                                  return false;
                                }));
  EXPECT_EQ(calls, 1u);
}
