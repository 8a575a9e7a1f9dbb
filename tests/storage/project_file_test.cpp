#include "storage/project_file.h"

#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/byte_writer.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"
#include "tests/model/project_builders.h"
#include "tests/storage/byte_builder.h"

#include "storage/catalogue.h"
#include "storage/lock_file.h"
#include "storage/safe_file.h"
#include "tests/common/child_processes.h"
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>

namespace fs = std::filesystem;

namespace
{
// A project holding a value in every stored field.
void FillProject(CProject& p)
{
  p.mProject_Date = "03/14/25";
  p.mProject_Reference = "P-100";
  p.mProject_Designer = "Ren\xE9 Dupr\xE9";
  p.mDistributor = {"Acme Ltd", "1 High St", "Unit 2", "Leeds", "Yorks", "UK", "LS1 1AA"};
  p.mDistributor_Reference = "D-7";
  p.mCustomer = {"Caf\xE9 Nord", "Rue 5", "", "Lille", "", "France", "59000"};
  p.mCustomer_Reference = "C-9";
  p.mUnits = 1;
  p.mNotes = "Project notes\r\nsecond line";
  p.mIncludeNotes = true;

  ASSERT_TRUE(p.mAreaTable.AddNew("Server room", 4));
  CArea& a = *p.mAreaTable.Find("Server room");
  a.mLength = 10.5_m;
  a.mWidth = 6.25_m;
  a.mHeight = 3.1_m;
  a.mVentTable.Add(VENT_WALL, SHAPE_CIRCULAR, 0.3_m, 0.3_m, 0.75);
  a.mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, 0.2_m, 0.1_m, 1.0);
  a.mVentTable.Add(VENT_FLOOR, SHAPE_RECTANGULAR, 0.4_m, 0.5_m, 0.0);
  a.mDevice = {1, 2, 3, 4, 5, 6, 7, 8};
  a.mNotes = "volume notes";
  a.mIncludeNotes = true;

  ASSERT_TRUE(p.mAreaTable.AddNew("Archive", 0));
  CArea& b = *p.mAreaTable.Find("Archive");
  b.mHazard = -1; // stored as FF FF FF FF
  b.mLength = 1e-300;
  b.mWidth = 12345.678901234567;
  b.mHeight = 0;
  p.RecalculateProject();
}

void ExpectSameStoredFields(const CProject& a, const CProject& b)
{
  EXPECT_EQ(a.mProject_Date, b.mProject_Date);
  EXPECT_EQ(a.mProject_Reference, b.mProject_Reference);
  EXPECT_EQ(a.mProject_Designer, b.mProject_Designer);
  EXPECT_EQ(a.mDistributor, b.mDistributor);
  EXPECT_EQ(a.mDistributor_Reference, b.mDistributor_Reference);
  EXPECT_EQ(a.mCustomer, b.mCustomer);
  EXPECT_EQ(a.mCustomer_Reference, b.mCustomer_Reference);
  EXPECT_EQ(a.mUnits, b.mUnits);
  EXPECT_EQ(a.mNotes, b.mNotes);
  EXPECT_EQ(a.mIncludeNotes, b.mIncludeNotes);
  ASSERT_EQ(a.mAreaTable.Count(), b.mAreaTable.Count());
  for (std::size_t i = 0; i < a.mAreaTable.Count(); ++i)
  {
    const CArea& x = *a.mAreaTable.Get(i);
    const CArea& y = *b.mAreaTable.Get(i);
    EXPECT_EQ(x.mName, y.mName);
    EXPECT_EQ(x.mHazard, y.mHazard);
    EXPECT_EQ(x.mLength, y.mLength);
    EXPECT_EQ(x.mWidth, y.mWidth);
    EXPECT_EQ(x.mHeight, y.mHeight);
    EXPECT_EQ(x.mDevice, y.mDevice);
    EXPECT_EQ(x.mNotes, y.mNotes);
    EXPECT_EQ(x.mIncludeNotes, y.mIncludeNotes);
    ASSERT_EQ(x.mVentTable.Count(), y.mVentTable.Count());
    for (std::size_t j = 0; j < x.mVentTable.Count(); ++j)
    {
      const CVent& v = *x.mVentTable.Get(j);
      const CVent& w = *y.mVentTable.Get(j);
      EXPECT_EQ(v.mType, w.mType);
      EXPECT_EQ(v.mShape, w.mShape);
      EXPECT_EQ(v.mWidth, w.mWidth);
      EXPECT_EQ(v.mHeight, w.mHeight);
      EXPECT_EQ(v.mUpper, w.mUpper);
    }
  }
}

// One file of an older version, written from the layout: two volumes in file
// order "Lab" (three openings, notes) and "Store" (no openings).
std::string OldFile(std::uint32_t version)
{
  CTestBytes f;
  f.U32(version).Str("1/2/99").Str("R-1").Str("Dee");
  f.Address("Dist Co", "Street 1", "", "Town", "ST", "Land", "12345").Str("DR");
  f.Address("Cust").Str("CR");
  f.U32(1); // imperial
  f.U32(2);
  // Lab
  f.Str("Lab").U32(3).F64(5).F64(4).F64(3);
  f.U32(3);
  auto vent = [&](std::uint32_t type, std::uint32_t shape, double w, double h, double up) {
    f.U32(type);
    if (version >= 2)
      f.U32(shape);
    f.F64(w).F64(h).F64(up);
  };
  vent(0, 1, 0.5, 0.4, 0.25);
  vent(1, 0, 0.2, 0.2, 1);
  vent(2, 0, 0.1, 0.3, 0);
  for (std::uint32_t c = 1; c <= 6; ++c)
    f.U32(c * 10); // the models 100 g to 2500 g
  if (version >= 1)
    f.Str("lab notes");
  if (version >= 3)
    f.Bool(true);
  // Store
  f.Str("Store").U32(0).F64(2).F64(2).F64(2).U32(0);
  for (int c = 0; c < 6; ++c)
    f.U32(0);
  if (version >= 1)
    f.Str("");
  if (version >= 3)
    f.Bool(false);
  if (version >= 1)
    f.Str("proj notes");
  if (version >= 3)
    f.Raw("\x07"); // any non-zero byte is true
  return f.Bytes();
}

std::string Encode(const CProject& p)
{
  std::string bytes, error;
  EXPECT_TRUE(EncodeProjectFile(p, bytes, &error)) << error;
  return bytes;
}

using ProjectFileOnDisk = TempFolderTest;
} // namespace

TEST(ProjectFile, WritesTheExactLayoutOfAnEmptyProjectAndAVolumeWithoutOpenings)
{
  CProject p;
  p.mDistributor = {};
  std::string expected = CTestBytes()
                           .U32(4)
                           .Str("")
                           .Str("")
                           .Str("")
                           .Address("")
                           .Str("")
                           .Address("")
                           .Str("")
                           .U32(0)
                           .U32(0) // no volumes: four zero bytes
                           .Str("")
                           .Bool(false)
                           .Bytes();
  EXPECT_EQ(Encode(p), expected);

  ASSERT_TRUE(p.mAreaTable.AddNew("V", 2));
  p.mAreaTable.Get(0)->mDevice[0] = 9;
  p.mAreaTable.Get(0)->mDevice[7] = 0x01020304;
  CTestBytes volume;
  volume.Str("V").U32(2).F64(0).F64(0).F64(0).U32(0); // no openings: four zero bytes
  volume.U32(9).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0x01020304);
  volume.Str("").Bool(false);
  std::string head = CTestBytes().U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("").U32(0).U32(1).Bytes();
  EXPECT_EQ(Encode(p), head + volume.Bytes() + CTestBytes().Str("").Bool(false).Bytes());
}

TEST(ProjectFile, StoresCharactersAsSignExtendedUnitsAndReadsTheLowByte)
{
  CProject p;
  p.mProject_Reference = "\xE9";
  std::string bytes = Encode(p);
  // version, empty date, then the reference.
  EXPECT_EQ(bytes.substr(6, 4), std::string("\x01\x00\xE9\xFF", 4));

  // A reader takes the low byte of any unit: 00 E9 and E9 FF both read 0xE9.
  std::string alt = bytes;
  alt[9] = '\x00';
  CProject q;
  ASSERT_TRUE(ReadProjectFile(alt, q));
  EXPECT_EQ(q.mProject_Reference, "\xE9");
  CProject r;
  ASSERT_TRUE(ReadProjectFile(bytes, r));
  EXPECT_EQ(r.mProject_Reference, "\xE9");
}

TEST(ProjectFile, RoundTripGivesBackEveryStoredField)
{
  CProject p;
  FillProject(p);
  std::string bytes = Encode(p);
  CProject q;
  std::string error;
  ASSERT_TRUE(ReadProjectFile(bytes, q, &error)) << error;
  EXPECT_EQ(q.mVersion, 4u);
  ExpectSameStoredFields(p, q);
  EXPECT_EQ(q.mAreaTable.Find("Archive")->mHazard, -1);
  // Read volumes are calculated again.
  EXPECT_NEAR(q.mAreaTable.Find("Server room")->mVolume, 10.5 * 6.25 * 3.1, 1e-9);
  EXPECT_FALSE(q.mAreaTable.Differs(p.mAreaTable));
  // And the same image again.
  EXPECT_EQ(Encode(q), bytes);
}

TEST(ProjectFile, ReadsTheHazardWordAsTheBitPatternOfTheSignedField)
{
  std::string bytes = CTestBytes().U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("").U32(0).U32(1)
                        .Str("X").U32(0x80000000u).F64(1).F64(1).F64(1).U32(0)
                        .U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).Str("").Bool(false)
                        .Str("").Bool(false).Bytes();
  CProject p;
  ASSERT_TRUE(ReadProjectFile(bytes, p));
  EXPECT_EQ(p.mAreaTable.Get(0)->mHazard, std::numeric_limits<std::int32_t>::min());
  EXPECT_TRUE(p.mAreaTable.Get(0)->mFlags & AF_INVALID_HAZARD);
  EXPECT_EQ(Encode(p), bytes);
}

TEST(ProjectFile, ReadsEveryOlderVersionWithTheDefaultsOfWhatItLacks)
{
  for (std::uint32_t version = 0; version <= 3; ++version)
  {
    SCOPED_TRACE("version " + std::to_string(version));
    CProject p;
    std::string error;
    ASSERT_TRUE(ReadProjectFile(OldFile(version), p, &error)) << error;
    EXPECT_EQ(p.mVersion, version);
    EXPECT_EQ(p.mProject_Date, "1/2/99");
    EXPECT_EQ(p.mProject_Designer, "Dee");
    EXPECT_EQ(p.mDistributor.mZip, "12345");
    EXPECT_EQ(p.mCustomer.mName, "Cust");
    EXPECT_EQ(p.mCustomer_Reference, "CR");
    EXPECT_EQ(p.mUnits, 1u);
    ASSERT_EQ(p.mAreaTable.Count(), 2u);
    const CArea& lab = *p.mAreaTable.Get(0);
    EXPECT_EQ(lab.mName, "Lab");
    EXPECT_EQ(lab.mHazard, 3);
    EXPECT_EQ(lab.mHeight, 3.0);
    ASSERT_EQ(lab.mVentTable.Count(), 3u);
    EXPECT_EQ(lab.mVentTable.Get(1)->mType, VENT_CEILING);
    EXPECT_EQ(lab.mVentTable.Get(0)->mUpper, 0.25);
    // Six counts: the 30 g and 60 g models are 0.
    CDeviceCounts counts{0, 0, 10, 20, 30, 40, 50, 60};
    EXPECT_EQ(lab.mDevice, counts);
    EXPECT_EQ(lab.mVentTable.Get(0)->mShape, version >= 2 ? SHAPE_CIRCULAR : SHAPE_RECTANGULAR);
    EXPECT_EQ(lab.mNotes, version >= 1 ? "lab notes" : "");
    EXPECT_EQ(p.mNotes, version >= 1 ? "proj notes" : "");
    EXPECT_EQ(lab.mIncludeNotes, version >= 3);
    EXPECT_EQ(p.mIncludeNotes, version >= 3);
    EXPECT_TRUE(lab.mFlags & AF_LR_VALID); // calculated after reading
  }
}

TEST(ProjectFile, RefusesANewerVersionNamingIt)
{
  std::string bytes = OldFile(3);
  bytes[0] = 5;
  CProject p;
  std::string error;
  EXPECT_FALSE(ReadProjectFile(bytes, p, &error));
  EXPECT_NE(error.find("version 5"), std::string::npos) << error;
  EXPECT_EQ(p.mProject_Date, ""); // nothing after the version is read
  bytes[0] = '\xFF';
  bytes[3] = '\xFF';
  EXPECT_FALSE(ReadProjectFile(bytes, p, &error));
  EXPECT_NE(error.find("version 4278190335"), std::string::npos) << error;
}

TEST(ProjectFile, RefusesEveryTruncationAndTrailingBytes)
{
  CProject full;
  FillProject(full);
  for (const std::string& bytes : {Encode(full), OldFile(0), OldFile(2)})
  {
    for (std::size_t n = 0; n < bytes.size(); ++n)
    {
      CProject p;
      std::string error;
      ASSERT_FALSE(ReadProjectFile(std::string_view(bytes).substr(0, n), p, &error)) << n;
      EXPECT_NE(error.find("damaged file: ends early at byte " + std::to_string(n) + " ("), std::string::npos)
        << n << ": " << error;
    }
    CProject p;
    std::string error;
    EXPECT_FALSE(ReadProjectFile(bytes + '\0', p, &error));
    EXPECT_NE(error.find("1 unexpected bytes"), std::string::npos) << error;
  }
}

TEST(ProjectFile, SaysWhichFieldOfWhichVolumeWasBeingRead)
{
  CTestBytes f;
  f.U32(4).Str("").Str("").Str("").Address("Dist").Str("").Address("").Str("").U32(0).U32(2);
  f.Str("First").U32(0).F64(1).F64(1).F64(1).U32(0);
  for (int c = 0; c < 8; ++c)
    f.U32(0);
  f.Str(std::string(200, 'n')).Bool(false); // long notes, so the volume count fits
  const std::size_t second = f.Bytes().size();
  f.Str(std::string(100, 'N'));
  std::string bytes = f.Bytes();
  CProject p;
  std::string error;
  EXPECT_FALSE(ReadProjectFile(bytes, p, &error));
  EXPECT_NE(error.find("ends early at byte " + std::to_string(bytes.size()) +
                       " (reading volume 2 hazard class)"),
            std::string::npos)
    << error;
  EXPECT_FALSE(ReadProjectFile(std::string_view(bytes).substr(0, second + 50), p, &error));
  EXPECT_NE(error.find("(reading volume 2 name of 100 characters)"), std::string::npos) << error;
  EXPECT_FALSE(ReadProjectFile(std::string_view(bytes).substr(0, 15), p, &error));
  EXPECT_NE(error.find("ends early at byte 15 (reading distributor name of 4 characters)"), std::string::npos) << error;
}

TEST(ProjectFile, RefusesCountsBeyondTheFileAtOnce)
{
  CTestBytes head;
  head.U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("").U32(0);
  auto start = std::chrono::steady_clock::now();
  {
    std::string bytes = CTestBytes(head).U32(0xFFFFFFFFu).Raw(std::string(100, '\0')).Bytes();
    CProject p;
    std::string error;
    EXPECT_FALSE(ReadProjectFile(bytes, p, &error));
    EXPECT_NE(error.find("volume count 4294967295"), std::string::npos) << error;
    EXPECT_NE(error.find("cannot fit in the 100 bytes that remain"), std::string::npos) << error;
  }
  {
    // One volume whose opening count is huge.
    std::string bytes = CTestBytes(head).U32(1).Str("A").U32(0).F64(1).F64(1).F64(1)
                          .U32(0x40000000u).Raw(std::string(64, '\0')).Bytes();
    CProject p;
    std::string error;
    EXPECT_FALSE(ReadProjectFile(bytes, p, &error));
    EXPECT_NE(error.find("volume 1 opening count 1073741824"), std::string::npos) << error;
  }
  {
    // A string that announces 65,535 characters in a short file.
    std::string bytes = CTestBytes().U32(4).Raw("\xFF\xFF").Raw(std::string(10, 'a')).Bytes();
    CProject p;
    std::string error;
    EXPECT_FALSE(ReadProjectFile(bytes, p, &error));
    EXPECT_NE(error.find("ends early at byte 16 (reading project date of 65535 characters)"), std::string::npos)
      << error;
  }
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 500);
}

TEST(ProjectFile, RefusesMeasuresThatAreNotFiniteNumbers)
{
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  CTestBytes head;
  head.U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("").U32(0).U32(1);
  for (double value : bad)
  {
    for (int field = 0; field < 5; ++field) // length, width, height, opening width, upper share
    {
      CTestBytes f(head);
      f.Str("A").U32(0).F64(field == 0 ? value : 1).F64(field == 1 ? value : 1).F64(field == 2 ? value : 1);
      f.U32(1).U32(0).U32(0).F64(field == 3 ? value : 1).F64(1).F64(field == 4 ? value : 0.5);
      for (int c = 0; c < 8; ++c)
        f.U32(0);
      f.Str("").Bool(false).Str("").Bool(false);
      CProject p;
      std::string error;
      EXPECT_FALSE(ReadProjectFile(f.Bytes(), p, &error)) << field;
      EXPECT_NE(error.find("is not a finite number"), std::string::npos) << error;
    }
  }
}

TEST(ProjectFile, AnOpeningIsKindShapeWidthHeightAndShareBothWays)
{
  CProject p;
  p.SetName("Site");
  ASSERT_TRUE(p.mAreaTable.AddNew("Hall", 0));
  p.mAreaTable.Get(0)->mVentTable.Add(VENT_FLOOR, SHAPE_CIRCULAR, 0.75, 0.5, 0);
  std::string bytes;
  ASSERT_TRUE(EncodeProjectFile(p, bytes));
  const std::string record = CTestBytes().U32(VENT_FLOOR).U32(SHAPE_CIRCULAR).F64(0.75).F64(0.5).F64(0).Bytes();
  EXPECT_NE(bytes.find(record), std::string::npos);

  std::string changed = bytes;
  changed.replace(bytes.find(record), record.size(),
                  CTestBytes().U32(VENT_WALL).U32(SHAPE_RECTANGULAR).F64(2).F64(1.5).F64(0.25).Bytes());
  CProject q;
  ASSERT_TRUE(ReadProjectFile(changed, q));
  const CVent& vent = *q.mAreaTable.Get(0)->mVentTable.Get(0);
  EXPECT_EQ(vent.mType, VENT_WALL);
  EXPECT_EQ(vent.mShape, SHAPE_RECTANGULAR);
  EXPECT_EQ(vent.mWidth, 2);
  EXPECT_EQ(vent.mHeight, 1.5);
  EXPECT_EQ(vent.mUpper, 0.25);
}

TEST(ProjectFile, NamesTheOpeningWhoseMeasureIsNotAFiniteNumber)
{
  // Sound openings before the damaged one are read in one go; the message
  // still names the opening and the byte.
  CTestBytes f;
  f.U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("").U32(0).U32(1);
  f.Str("A").U32(0).F64(4).F64(3).F64(2.5).U32(3);
  f.U32(0).U32(0).F64(1).F64(1).F64(0.5);
  f.U32(0).U32(0).F64(1).F64(1).F64(0.5);
  const std::size_t at = f.Bytes().size() + 8;
  f.U32(0).U32(0).F64(1).F64(1).F64(std::numeric_limits<double>::infinity());
  for (int c = 0; c < 8; ++c)
    f.U32(0);
  f.Str("").Bool(false).Str("").Bool(false);
  CProject p;
  std::string error;
  EXPECT_FALSE(ReadProjectFile(f.Bytes(), p, &error));
  EXPECT_NE(error.find("volume 1 opening 3 upper share at byte " + std::to_string(at + 16) +
                      " is not a finite number"),
            std::string::npos)
    << error;
}

TEST(ProjectFile, PutsVolumesOfAFileInNameOrderAndRefusesARepeatedName)
{
  auto file = [](std::initializer_list<const char*> names) {
    CTestBytes f;
    f.U32(4).Str("").Str("").Str("").Address("").Str("").Address("").Str("").U32(0);
    f.U32(static_cast<std::uint32_t>(names.size()));
    for (const char* name : names)
    {
      f.Str(name).U32(0).F64(name[0] == 'a' ? 2 : 1).F64(1).F64(1).U32(0);
      for (int c = 0; c < 8; ++c)
        f.U32(0);
      f.Str("").Bool(false);
    }
    f.Str("").Bool(false);
    return f.Bytes();
  };
  CProject p;
  ASSERT_TRUE(ReadProjectFile(file({"b", "A", "a"}), p));
  ASSERT_EQ(p.mAreaTable.Count(), 3u);
  EXPECT_EQ(p.mAreaTable.Get(0)->mName, "A");
  EXPECT_EQ(p.mAreaTable.Get(1)->mName, "a");
  EXPECT_EQ(p.mAreaTable.Get(2)->mName, "b");
  EXPECT_EQ(p.mAreaTable.Find("a")->mLength, 2.0);

  CProject q;
  std::string error;
  EXPECT_FALSE(ReadProjectFile(file({"b", "A", "a", "A"}), q, &error));
  EXPECT_NE(error.find("volume 4 has the name of an earlier volume (\"A\")"), std::string::npos) << error;
  // The name is shown, never sent to the terminal or dialog as it stands.
  EXPECT_FALSE(ReadProjectFile(file({"b\x1b[2J\xe9", "b\x1b[2J\xe9"}), q, &error));
  EXPECT_NE(error.find("(\"b\\x1b[2J\xe9\")"), std::string::npos) << error;
}

TEST(ProjectFile, RefusesToSaveATextTooLongForTheFormat)
{
  CProject p;
  p.mNotes = std::string(65535, 'n');
  std::string bytes, error;
  EXPECT_TRUE(EncodeProjectFile(p, bytes, &error));
  ASSERT_TRUE(p.mAreaTable.AddNew("Room", 0));
  p.mAreaTable.Get(0)->mNotes = std::string(65536, 'x');
  EXPECT_FALSE(EncodeProjectFile(p, bytes, &error));
  EXPECT_NE(error.find("volume 1 notes has 65536 characters"), std::string::npos) << error;
}

TEST_F(ProjectFileOnDisk, RefusesToSaveAFileTooLargeToBeReadAgain)
{
  CProject p;
  p.SetName("Huge");
  p.mPath = Path("Huge.ad");
  ASSERT_TRUE(SaveProject(p));
  const std::string old = ReadBytes(p.mPath);
  // Volumes with the longest notes (two bytes a character), just enough to
  // pass the read limit.
  const std::size_t volumes = kMaxReadFileBytes / (2 * kMaxStoredChars) + 1;
  for (std::size_t i = 0; i < volumes; ++i)
  {
    const std::string name = "Room " + std::to_string(i);
    ASSERT_TRUE(p.mAreaTable.AddNew(name, 0));
    p.mAreaTable.Find(name)->mNotes = std::string(kMaxStoredChars, 'n');
  }
  std::string bytes, error;
  EXPECT_FALSE(EncodeProjectFile(p, bytes, &error));
  EXPECT_NE(error.find("too large to be read again"), std::string::npos) << error;
  EXPECT_NE(error.find("the limit is 64 MiB"), std::string::npos) << error;
  EXPECT_FALSE(SaveProject(p, &error));
  EXPECT_EQ(error.rfind(p.mPath + ": cannot be saved", 0), 0u) << error;
  EXPECT_EQ(ReadBytes(p.mPath), old);
  EXPECT_EQ(FolderNames(mDir), std::vector<std::string>{"Huge.ad"});

  // With notes half as long, it is a file the program reads.
  for (std::size_t i = 0; i < volumes; ++i)
    p.mAreaTable.Get(i)->mNotes.resize(kMaxStoredChars / 2);
  ASSERT_TRUE(SaveProject(p, &error)) << error;
  CProject back;
  back.mPath = p.mPath;
  ASSERT_TRUE(LoadProject(back, &error)) << error;
  EXPECT_EQ(back.mAreaTable.Count(), volumes);
}

namespace
{
// Slows every rename a little, so that the saves of several copies overlap.
class CSlowRename : public CSafeFileCalls
{
public:
  int Rename(const char* from, const char* to) override
  {
    ::usleep(2000);
    return CSafeFileCalls::Rename(from, to);
  }
};
} // namespace

TEST_F(ProjectFileOnDisk, CopiesSavingAtOnceLoseNoSaveTheyReported)
{
  CProject start;
  start.SetName("Plant");
  start.mPath = Path("Plant.ad");
  ASSERT_TRUE(SaveProject(start));
  // Each copy reads the file, adds a volume and saves, again and again: a
  // save either lands with all that landed before it, or is refused.
  int failed = 0;
  const std::vector<std::string> saved = RunChildren(
      4,
      [&](int child, int report)
      {
        CSlowRename slow;
        SetSafeFileCalls(&slow);
        for (int i = 0; i < 25; ++i)
        {
          CProject p;
          p.mPath = start.mPath;
          CProjectFileState file;
          std::string error;
          if (!LoadProject(p, file, &error))
            return 1;
          const std::string name = "Copy " + std::to_string(child) + " room " + std::to_string(i);
          if (!p.mAreaTable.AddNew(name, 0))
            return 2;
          if (SaveProject(p, file, &error))
            ReportLine(report, name);
          else if (error.find("changed by another program") == std::string::npos &&
                   error.find("another copy of the program is saving it") == std::string::npos)
            return 3;
        }
        return 0;
      },
      failed);
  EXPECT_EQ(failed, 0);
  CProject end;
  end.mPath = start.mPath;
  ASSERT_TRUE(LoadProject(end));
  EXPECT_FALSE(saved.empty());
  EXPECT_EQ(end.mAreaTable.Count(), saved.size());
  for (const std::string& name : saved)
    EXPECT_NE(end.mAreaTable.Find(name), nullptr) << name << " was saved, then lost";
  EXPECT_EQ(FolderNames(mDir), std::vector<std::string>{"Plant.ad"});
}

TEST_F(ProjectFileOnDisk, SaveLoadAndTheChangeTest)
{
  CProject p;
  p.SetName("Plant");
  p.mPath = Path("Plant.ad");
  EXPECT_TRUE(p.IsModified()); // never saved
  FillProject(p);
  std::string error;
  ASSERT_TRUE(SaveProject(p, &error)) << error;
  EXPECT_FALSE(p.IsModified());
  EXPECT_EQ(p.mVersion, 4u);
  EXPECT_EQ(ReadBytes(p.mPath), Encode(p));

  ASSERT_TRUE(p.SetUnits(0));
  EXPECT_TRUE(p.IsModified());
  ASSERT_TRUE(p.SetUnits(1));
  EXPECT_FALSE(p.IsModified());

  CProject q;
  q.SetName("Plant");
  q.mPath = p.mPath;
  ASSERT_TRUE(LoadProject(q, &error)) << error;
  EXPECT_FALSE(q.IsModified());
  EXPECT_EQ(q.mName, "Plant");
  EXPECT_EQ(q.mPath, p.mPath);
  EXPECT_EQ(q.mProject_Date, "03/14/25"); // the stored date replaces today's
  ExpectSameStoredFields(p, q);
  // The volumes read belong to the project that loaded them, not to the
  // scratch project they were read into.
  for (std::size_t i = 0; i < q.mAreaTable.Count(); ++i)
    EXPECT_EQ(q.mAreaTable.Get(i)->Owner(), &q);
}

TEST_F(ProjectFileOnDisk, AnOlderFileCountsAsChangedUntilItIsWritten)
{
  WriteBytes(Path("Old.ad"), OldFile(3));
  CProject p;
  p.SetName("Old");
  p.mPath = Path("Old.ad");
  ASSERT_TRUE(LoadProject(p));
  EXPECT_EQ(p.mVersion, 3u);
  EXPECT_TRUE(p.IsModified());
  ASSERT_TRUE(SaveProject(p));
  EXPECT_FALSE(p.IsModified());
  std::string bytes = ReadBytes(p.mPath);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x04\0\0\0", 4));
}

TEST_F(ProjectFileOnDisk, AFailedLoadLeavesTheProjectAsItWas)
{
  CProject p;
  FillProject(p);
  p.mName = "Keep";
  p.mPath = Path("Keep.ad");
  ASSERT_TRUE(SaveProject(p));
  p.mNotes = "edited after saving";
  std::string before = Encode(p);

  std::string error;
  WriteBytes(p.mPath, OldFile(4).substr(0, 150));
  p.mNotes = "edited after saving";
  EXPECT_FALSE(LoadProject(p, &error));
  EXPECT_NE(error.find("Keep.ad: damaged file: ends early"), std::string::npos) << error;
  EXPECT_EQ(Encode(p), before);
  EXPECT_EQ(p.mName, "Keep");

  fs::remove(p.mPath);
  EXPECT_FALSE(LoadProject(p, &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  EXPECT_EQ(Encode(p), before);
}

TEST_F(ProjectFileOnDisk, AFailedSaveKeepsTheOldFileAndReportsWhy)
{
  CProject p;
  FillProject(p);
  p.mPath = Path("Site.ad");
  ASSERT_TRUE(SaveProject(p));
  const std::string old = ReadBytes(p.mPath);

  // A text the format cannot hold: refused before anything is written.
  p.mCustomer_Reference = std::string(70000, 'r');
  std::string error;
  EXPECT_FALSE(SaveProject(p, &error));
  EXPECT_NE(error.find("customer reference has 70000 characters"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(p.mPath), old);
  EXPECT_TRUE(p.IsModified());

  // A folder that does not exist, and a file where the folder should be.
  p.mCustomer_Reference = "C-10";
  p.mPath = Path("no-such-folder/Site.ad");
  EXPECT_FALSE(SaveProject(p, &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  p.mPath = Path("Site.ad/Inner.ad");
  EXPECT_FALSE(SaveProject(p, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadBytes(Path("Site.ad")), old);
  EXPECT_TRUE(p.IsModified());
  EXPECT_EQ(FolderNames(mDir).size(), 1u);
}

TEST_F(ProjectFileOnDisk, AFileJustReadIsUnchangedWhateverOrderAndSharesItHolds)
{
  // Volumes out of name order, and a ceiling opening stored with a share
  // its calculation replaces by 1: neither is a change the user made.
  CTestBytes f;
  f.U32(4).Str("01/02/25").Str("R").Str("").Address("").Str("").Address("").Str("").U32(0);
  f.U32(2);
  for (const char* name : {"b", "a"})
  {
    f.Str(name).U32(0).F64(4).F64(3).F64(2.5).U32(1);
    f.U32(VENT_CEILING).U32(SHAPE_RECTANGULAR).F64(0.5).F64(0.5).F64(0.4);
    for (int c = 0; c < 8; ++c)
      f.U32(0);
    f.Str("").Bool(false);
  }
  f.Str("").Bool(false);
  const std::string unordered = f.Bytes();
  WriteBytes(Path("Mixed.ad"), unordered);

  CProject p;
  p.SetName("Mixed");
  p.mPath = Path("Mixed.ad");
  std::string error;
  ASSERT_TRUE(LoadProject(p, &error)) << error;
  EXPECT_FALSE(p.IsModified());
  CVent& vent = *p.mAreaTable.Find("b")->mVentTable.Get(0);
  EXPECT_EQ(vent.mUpper, 1.0);
  vent.mWidth = 0.6;
  EXPECT_TRUE(p.IsModified());
  vent.mWidth = 0.5;
  EXPECT_FALSE(p.IsModified());

  // Saved, the file lists them in order; read again, it is still unchanged
  // and every kind of edit counts.
  ASSERT_TRUE(SaveProject(p, &error)) << error;
  CProject q;
  q.SetName("Mixed");
  q.mPath = p.mPath;
  ASSERT_TRUE(LoadProject(q, &error)) << error;
  EXPECT_FALSE(q.IsModified());
  CArea& a = *q.mAreaTable.Find("a");
  a.mNotes = "x";
  EXPECT_TRUE(q.IsModified());
  a.mNotes.clear();
  a.mVentTable.Get(0)->mUpper = 0.4;
  EXPECT_TRUE(q.IsModified());
  a.mVentTable.Get(0)->mUpper = 1;
  q.mAreaTable.RemoveByName("b");
  EXPECT_TRUE(q.IsModified());
}

TEST_F(ProjectFileOnDisk, TwoCopiesOfTheProgramOnOneFile)
{
  // This copy has the project open: its file stays marked through saves.
  CProject mine;
  mine.SetName("Plant");
  mine.mPath = Path("Plant.ad");
  CProjectFileState mineFile;
  mineFile.mMark = std::make_unique<CFileMark>();
  ASSERT_TRUE(SaveProject(mine, mineFile));
  EXPECT_TRUE(MarkedElsewhere(mine.mPath));
  CFileMark other;
  EXPECT_EQ(other.Mark(mine.mPath), CLockFile::CState::HeldElsewhere);
  std::string error;
  EXPECT_FALSE(RenameProjectFile(mDir.string(), "Plant", "Moved", &error));
  EXPECT_NE(error.find("open in another copy"), std::string::npos) << error;
  EXPECT_FALSE(DeleteProjectFile(mDir.string(), "Plant", &error));
  EXPECT_TRUE(fs::exists(mine.mPath));

  // Another copy writes the file: the next save here asks first.
  CProject theirs;
  theirs.SetName("Plant");
  theirs.mPath = mine.mPath;
  theirs.mProject_Reference = "theirs";
  ASSERT_TRUE(SaveProject(theirs));
  mine.mProject_Reference = "mine";
  int asked = 0;
  for (bool replace : {false, true})
  {
    mineFile.mChangedFileQuestion = [&](const CProject& p)
    {
      ++asked;
      EXPECT_EQ(&p, &mine);
      return replace;
    };
    EXPECT_EQ(SaveProject(mine, mineFile, &error), replace);
    CProject read;
    read.mPath = mine.mPath;
    ASSERT_TRUE(LoadProject(read));
    EXPECT_EQ(read.mProject_Reference, replace ? "mine" : "theirs");
  }
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(SaveProject(mine, mineFile)); // unchanged since: no question
  EXPECT_EQ(asked, 2);
  mineFile.mChangedFileQuestion = nullptr;
  EXPECT_TRUE(MarkedElsewhere(mine.mPath));

  // Opened read-only: never saved over the file.
  CProject readOnly;
  readOnly.mPath = mine.mPath;
  CProjectFileState readOnlyFile;
  ASSERT_TRUE(LoadProject(readOnly, readOnlyFile));
  readOnlyFile.mReadOnly = true;
  readOnly.mProject_Reference = "lost";
  EXPECT_FALSE(SaveProject(readOnly, readOnlyFile, &error));
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;

  // A crash or a close lets go of the mark.
  mineFile.mMark.reset();
  EXPECT_FALSE(MarkedElsewhere(mine.mPath));
  EXPECT_EQ(other.Mark(mine.mPath), CLockFile::CState::Held);
}

TEST(Project, IsModifiedThroughSaveEditAndUndoingTheEdit)
{
  const CTempFolder temp;
  const fs::path& dir = temp.Path();
  CProject p;
  p.SetName("Job");
  p.mPath = (dir / "Job.ad").string();
  EXPECT_TRUE(p.IsModified()); // no snapshot yet
  p.mAreaTable.AddNew("Room", 0);
  CArea& room = *p.mAreaTable.Get(0);
  room.mLength = 5.0_m;
  room.mWidth = 4.0_m;
  room.mHeight = 3.0_m;
  room.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.2_m, 0.2_m, 0.5);
  ASSERT_TRUE(SaveProject(p));
  EXPECT_FALSE(p.IsModified());

  // Each group of fields counts, and undoing the edit makes it unchanged again.
  auto flip = [&](auto& field, auto other) {
    auto kept = field;
    field = other;
    EXPECT_TRUE(p.IsModified());
    field = kept;
    EXPECT_FALSE(p.IsModified());
  };
  flip(p.mName, std::string("Other"));
  flip(p.mPath, std::string("Other.ad"));
  flip(p.mProject_Date, std::string("x"));
  flip(p.mProject_Reference, std::string("x"));
  flip(p.mProject_Designer, std::string("x"));
  flip(p.mDistributor.mZip, std::string("x"));
  flip(p.mDistributor_Reference, std::string("x"));
  flip(p.mCustomer.mCity, std::string("x"));
  flip(p.mCustomer_Reference, std::string("x"));
  flip(p.mUnits, 1u);
  flip(p.mNotes, std::string("x"));
  flip(p.mIncludeNotes, true);
  flip(p.mVersion, 3u);
  flip(p.mAreaTable.Get(0)->mHeight, 2.5);
  flip(p.mAreaTable.Get(0)->mVentTable.Get(0)->mWidth, 0.3);
  flip(p.mAreaTable.Get(0)->mVentTable.Get(0)->mHeight, 0.3);
  flip(p.mAreaTable.Get(0)->mVentTable.Get(0)->mUpper, 0.25);
  flip(p.mAreaTable.Get(0)->mVentTable.Get(0)->mShape, SHAPE_CIRCULAR);
  flip(p.mAreaTable.Get(0)->mVentTable.Get(0)->mType, VENT_FLOOR);

  // The snapshot is a deep copy, not a view of the live table.
  p.mAreaTable.AddNew("Second", 1);
  EXPECT_TRUE(p.IsModified());
  p.mAreaTable.RemoveByName("Second");
  EXPECT_FALSE(p.IsModified());

  // A version 3 file is changed before any edit.
  const std::string v3 = [] {
    std::string b("\x03\0\0\0", 4);
    b.append(2 * 3 + 14 + 2 + 14 + 2, '\0'); // empty texts and addresses
    b.append(std::string("\0\0\0\0\0\0\0\0\0\0", 10)); // units, no volumes, empty notes
    b.push_back('\0');                                 // include flag
    return b;
  }();
  WriteBytes(dir / "Old.ad", v3);
  CProject old;
  old.SetName("Old");
  old.mPath = (dir / "Old.ad").string();
  std::string error;
  ASSERT_TRUE(LoadProject(old, &error)) << error;
  EXPECT_EQ(old.mVersion, 3u);
  EXPECT_TRUE(old.IsModified());
}
