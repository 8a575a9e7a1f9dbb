// Volumes on the clipboard: the program's own bytes and the tab-separated
// rows of a spreadsheet, each read back to the same volumes, and whatever
// else the clipboard may hold refused with the reason.

#include "model/project.h"
#include "storage/csv.h"
#include "storage/project_file.h"
#include "storage/schedule_export.h"
#include "storage/volume_clipboard.h"

#include <gtest/gtest.h>

namespace
{
// A project in feet of three volumes; "Hall" has openings, counts of two
// models, notes with a tab, a quote and a line break, and its notes in the
// report.
std::unique_ptr<CProject> FeetProject()
{
  auto p = std::make_unique<CProject>();
  p->mUnits = UNITS_IMPERIAL;
  for (const char* name : {"Store", "Hall", "Yard"})
    p->mAreaTable.AddNew(name, 1);
  CArea& hall = *p->mAreaTable.Find("Hall");
  hall.SetLength(12.192);
  hall.SetWidth(6.096);
  hall.SetHeight(3.048);
  hall.mVentTable.Add(VENT_WALL, SHAPE_CIRCULAR, 0.4, 0.25, 0.3);
  hall.mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, 0.5, 0.2, 1);
  hall.SetDeviceCount(0, 3);
  hall.SetDeviceCount(5, 2);
  hall.SetNotes("Dry\tstore, \"east\"\r\nsecond line");
  hall.SetIncludeNotes(true);
  CArea& yard = *p->mAreaTable.Find("Yard");
  yard.SetLength(4);
  yard.SetWidth(4);
  yard.SetHeight(4);
  p->RecalculateProject();
  return p;
}

std::vector<CVolumeId> IdsOf(const CProject& p, std::initializer_list<const char*> names)
{
  std::vector<CVolumeId> ids;
  for (const char* name : names)
    ids.push_back(p.mAreaTable.Find(name)->Id());
  return ids;
}

// The volumes read are the source's of those names, in that order.
void ExpectVolumes(const CClipboardVolumes& read, const CProject& source,
                   std::initializer_list<const char*> names)
{
  ASSERT_EQ(read.mVolumes.size(), names.size());
  std::size_t i = 0;
  for (const char* name : names)
  {
    SCOPED_TRACE(name);
    const CArea& volume = *read.mVolumes[i++];
    EXPECT_FALSE(volume.Differs(*source.mAreaTable.Find(name)));
    EXPECT_EQ(volume.mMassRequired, source.mAreaTable.Find(name)->mMassRequired); // calculated
  }
}
} // namespace

TEST(VolumeClipboard, OwnBytesCarryEveryInputAndTheUnitsInTableOrder)
{
  const auto p = FeetProject();
  std::string bytes;
  // Chosen out of order, and an identity the project does not hold.
  ASSERT_TRUE(VolumesClipboardBytes(
      *p, {IdsOf(*p, {"Yard", "Hall"})[0], 9999, p->mAreaTable.Find("Hall")->Id()}, bytes));
  CClipboardVolumes read;
  std::string error;
  ASSERT_TRUE(ReadVolumesClipboardBytes(bytes, read, &error)) << error;
  EXPECT_EQ(read.mUnits, UNITS_IMPERIAL);
  ExpectVolumes(read, *p, {"Hall", "Yard"});
  EXPECT_EQ(read.mVolumes[0]->Owner(), nullptr);
}

TEST(VolumeClipboard, OtherDamagedOrNewerBytesAreRefusedWithTheReason)
{
  const auto p = FeetProject();
  std::string bytes;
  ASSERT_TRUE(VolumesClipboardBytes(*p, IdsOf(*p, {"Hall"}), bytes));
  std::string noVolumes;
  ASSERT_TRUE(VolumesClipboardBytes(*p, {}, noVolumes));
  std::string projectFile;
  ASSERT_TRUE(EncodeProjectFile(*p, projectFile));
  std::string newer = bytes;
  newer[bytes.find('\n') + 1] = 9; // the version word
  std::string units = bytes;
  ASSERT_TRUE(VolumesClipboardBytes(*p, {}, units));
  units[units.size() - 1 - 2 - 4 - 4] = 7; // the unit system, before count, notes and flag
  const std::string cases[][2] = {
      {"", "no volumes copied by this program"},
      {"Hall\t1\t2\t3", "no volumes copied by this program"},
      {projectFile, "no volumes copied by this program"},
      {bytes.substr(0, bytes.size() - 7), "damaged"},
      {bytes + "x", "damaged"},
      {bytes.substr(0, 18), "damaged"},
      {newer, "newer"},
      {noVolumes, "holds no volumes"},
      {units, "unknown unit system 7"},
  };
  for (const auto& [data, reason] : cases)
  {
    SCOPED_TRACE(reason);
    CClipboardVolumes read;
    read.mVolumes.push_back(nullptr);
    std::string error;
    EXPECT_FALSE(ReadVolumesClipboardBytes(data, read, &error));
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_TRUE(read.mVolumes.empty());
  }
}

TEST(VolumeClipboard, TabSeparatedRowsAreTheSchedulesCellsAndReadBack)
{
  const auto p = FeetProject();
  const std::string text = VolumesClipboardText(*p, IdsOf(*p, {"Yard", "Hall"}));
  // The schedule's header and cells, tab-separated, a row a volume.
  std::vector<CCsvRecord> rows;
  ASSERT_TRUE(ReadCsv(text, rows, nullptr, nullptr, '\t'));
  std::vector<CCsvRecord> all;
  ASSERT_TRUE(ReadCsv(ScheduleCsv(*p), all));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].mFields, all[0].mFields);
  EXPECT_EQ(rows[1].mFields, all[1].mFields); // Hall
  EXPECT_EQ(rows[2].mFields, all[3].mFields); // Yard
  EXPECT_NE(text.find("\"Dry\tstore, \"\"east\"\"\r\nsecond line\""), std::string::npos);
  EXPECT_EQ(CsvField("a,b", '\t'), "a,b");

  // Read into a metric project: lengths are SI, the names taken are new volumes.
  CProject metric;
  CClipboardVolumes read;
  std::string error;
  ASSERT_TRUE(ReadVolumesClipboardText(text, metric, read, &error)) << error;
  ExpectVolumes(read, *p, {"Hall", "Yard"});
  ASSERT_TRUE(ReadVolumesClipboardText(text, *p, read, &error)) << error;
  ExpectVolumes(read, *p, {"Hall", "Yard"});
}

TEST(VolumeClipboard, RowsWithoutHeaderOrWithFaultsAreReadAllOrNothing)
{
  CProject feet;
  feet.mUnits = UNITS_IMPERIAL;
  const char* hazard = "CLASS A - SURFACE FIRES";
  struct CCase
  {
    std::string text;
    std::size_t volumes; // 0: refused with the errors
    std::string errors;
  };
  const std::string header = "name\thazard_class\tlength\twidth\theight\n";
  const CCase cases[] = {
      // Without header: the export's columns (metres); a volume called "Room"
      // and notes "notes" do not make a row a header. Names may repeat.
      {std::string("Room\t") + hazard + "\t2\t3\t4\tnone\t\t\t\t\t\t\t\t\t\t\t\t\t\t1\n" +
           "Room\t" + hazard + "\t2\t3\t4\r\n",
       2, ""},
      // With a header: lengths without a unit in the project's units.
      {header + "Hall\t" + hazard + "\t10\t10 m\t10\n", 1, ""},
      {header + "Hall\t" + hazard + "\t10\t10\t10\nYard\tno such class\t1\t1\t1\nShed\t" + hazard +
           "\t0\t1\t1\n",
       0, "line 3: unknown hazard class \"no such class\"\nline 4: length: "},
      {"Hall\t" + std::string(hazard) + "\t1\t1\tx\n", 0, "line 1: height: "},
      {"", 0, "line 1: the file has no header row\n"},
      {"\"open\tcell\n", 0, "line 1: a quoted field is not closed\n"},
  };
  for (const CCase& c : cases)
  {
    SCOPED_TRACE(c.text);
    CClipboardVolumes read;
    std::string error;
    EXPECT_EQ(ReadVolumesClipboardText(c.text, feet, read, &error), c.volumes > 0);
    EXPECT_EQ(read.mVolumes.size(), c.volumes);
    EXPECT_EQ(error.substr(0, c.errors.size()), c.errors);
  }
  CClipboardVolumes read;
  ASSERT_TRUE(
      ReadVolumesClipboardText(header + "Hall\t" + hazard + "\t10\t10 m\t10\n", feet, read));
  EXPECT_DOUBLE_EQ(read.mVolumes[0]->mLength, 3.048);
  EXPECT_DOUBLE_EQ(read.mVolumes[0]->mWidth, 10);
  ASSERT_TRUE(ReadVolumesClipboardText(cases[0].text, feet, read));
  EXPECT_DOUBLE_EQ(read.mVolumes[0]->mLength, 2); // the export's metres
  EXPECT_EQ(read.mVolumes[0]->DeviceCount(0), 1u);
}
