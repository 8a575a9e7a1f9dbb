// Damaged images of valid project files: every one is either read whole or
// refused with a reason, never a crash, and what is read survives a round trip.

#include "model/project.h"
#include "report/data_dump.h"
#include "storage/project_file.h"
#include "tests/storage/byte_builder.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
std::string SampleFile()
{
  CProject p;
  p.mProject_Date = "date";
  p.mCustomer = {"Cust", "a", "b", "c", "d", "e", "f"};
  p.mNotes = "notes";
  for (const char* name : {"Alpha", "Beta", "Gamma"})
  {
    p.mAreaTable.AddNew(name, 3);
    CArea& a = *p.mAreaTable.Find(name);
    a.mLength = 4;
    a.mWidth = 3;
    a.mHeight = 2.5;
    a.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.5, 0.5, 0.5);
    a.mVentTable.Add(VENT_CEILING, SHAPE_CIRCULAR, 0.2, 0, 1);
    a.mDevice[3] = 2;
    a.mNotes = "n";
  }
  p.RecalculateProject();
  std::string bytes;
  EXPECT_TRUE(EncodeProjectFile(p, bytes));
  return bytes;
}
} // namespace

TEST(ProjectFileDamage, MutatedFilesAreReadWholeOrRefusedWithAReason)
{
  const std::string original = SampleFile();
  std::mt19937 random(20240611);
  int read = 0;
  int refused = 0;
  for (int round = 0; round < 20000; ++round)
  {
    std::string bytes = original;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e)
    {
      const std::size_t at = random() % bytes.size();
      switch (random() % 4)
      {
      case 0:
        bytes[at] = static_cast<char>(random());
        break;
      case 1:
        bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
        break;
      case 2:
        bytes.erase(at, 1 + random() % 8);
        break;
      default:
        bytes.insert(at, std::string(1 + random() % 8, static_cast<char>(random())));
        break;
      }
      if (bytes.empty())
        bytes = "x";
    }
    CProject p;
    std::string error;
    if (!ReadProjectFile(bytes, p, &error))
    {
      ++refused;
      ASSERT_FALSE(error.empty());
      continue;
    }
    ++read;
    std::string again;
    ASSERT_TRUE(EncodeProjectFile(p, again));
    CProject q;
    ASSERT_TRUE(ReadProjectFile(again, q, &error)) << error;
    ASSERT_EQ(DumpText(q), DumpText(p));
  }
  EXPECT_GT(read, 100);
  EXPECT_GT(refused, 100);
}
