#include "report/data_dump.h"

#include "model/address.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace
{
std::vector<std::string> Lines(const std::string& text)
{
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size())
  {
    std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos)
      break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

const char* const kProjectHead =
  "CProject(Plant)\r\n"
  "\tmPath                  = Plant.ad\r\n"
  "\tmProject_Date          = 01/02/25\r\n"
  "\tmProject_Reference     = PR-1\r\n"
  "\tmProject_Designer      = Ann\r\n"
  "\tmDistributor(Acme Ltd)\r\n"
  "\t\tAddress1 = 1 High St\r\n"
  "\t\tAddress2 = \r\n"
  "\t\tCity     = Leeds\r\n"
  "\t\tState    = \r\n"
  "\t\tCountry  = UK\r\n"
  "\t\tZip      = LS1\r\n"
  "\tmDistributor_Reference = DR\r\n"
  "\tmCustomer()\r\n"
  "\t\tAddress1 = \r\n"
  "\t\tAddress2 = \r\n"
  "\t\tCity     = \r\n"
  "\t\tState    = \r\n"
  "\t\tCountry  = \r\n"
  "\t\tZip      = \r\n"
  "\tmCustomer_Reference    = \r\n";

void FillHead(CProject& p)
{
  p.mName = "Plant";
  p.mPath = "Plant.ad";
  p.mProject_Date = "01/02/25";
  p.mProject_Reference = "PR-1";
  p.mProject_Designer = "Ann";
  p.mDistributor = {"Acme Ltd", "1 High St", "", "Leeds", "", "UK", "LS1"};
  p.mDistributor_Reference = "DR";
  p.mCustomer = {};
}
} // namespace

TEST(DataDump, AnEmptyProjectEndsWithAnEmptyVolumeTable)
{
  CProject p;
  FillHead(p);
  const std::string expected = std::string(kProjectHead) + "\tCAreaTable(0)\r\n";
  EXPECT_EQ(DumpText(p), expected);
  // The depth is back at 0 afterwards: a second dump is identical.
  EXPECT_EQ(DumpText(p), expected);
  std::ostringstream stream;
  WriteDump(p, stream);
  EXPECT_EQ(stream.str(), expected);
}

TEST(DataDump, AZeroVolumeWithoutOpeningsShowsItsInvalidFigures)
{
  CProject p;
  FillHead(p);
  ASSERT_TRUE(p.mAreaTable.AddNew("Empty", 0));
  p.mAreaTable.Get(0)->mDevice[0] = 3;
  p.mAreaTable.Get(0)->mDevice[7] = 4000000000u;
  p.RecalculateProject();
  const std::string expected = std::string(kProjectHead) +
                               "\tCAreaTable(1)\r\n"
                               "\t\tCArea(Empty)\r\n"
                               "\t\t\tmHazard                     = CLASS A - SURFACE FIRES\r\n"
                               "\t\t\tmLength                     = 0\r\n"
                               "\t\t\tmWidth                      = 0\r\n"
                               "\t\t\tmHeight                     = 0\r\n"
                               "\t\t\tmVolume                     = 0\r\n"
                               "\t\t\tmSizeVentWallUpper          = 0\r\n"
                               "\t\t\tmSizeVentWallLower          = 0\r\n"
                               "\t\t\tmSizeVentCeiling            = 0\r\n"
                               "\t\t\tmSizeVentFloor              = 0\r\n"
                               "\t\t\tmSizeClosed                 = 0\r\n"
                               "\t\t\tmSizeOpen                   = 0\r\n"
                               "\t\t\tmSizeVentUpper              = 0\r\n"
                               "\t\t\tmSizeVentLower              = 0\r\n"
                               "\t\t\tmLR                         = INVALID\r\n"
                               "\t\t\tmLP                         = INVALID\r\n"
                               "\t\t\tmLH                         = INVALID\r\n"
                               "\t\t\tmK1                         = INVALID\r\n"
                               "\t\t\tmK2                         = 1.025\r\n" // the leakage table has a figure for LP 0, LH 0
                               "\t\t\tmK3                         = 1\r\n"
                               "\t\t\tmConcentrationStandard      = 97\r\n"
                               "\t\t\tmConcentrationRequired      = 0\r\n"
                               "\t\t\tmMassRequired               = 0\r\n"
                               "\t\t\tDevice[30 g      ]               = 3\r\n"
                               "\t\t\tDevice[60 g      ]               = 0\r\n"
                               "\t\t\tDevice[100 g     ]               = 0\r\n"
                               "\t\t\tDevice[250 g     ]               = 0\r\n"
                               "\t\t\tDevice[500 g     ]               = 0\r\n"
                               "\t\t\tDevice[1000 g    ]               = 0\r\n"
                               "\t\t\tDevice[1500 g    ]               = 0\r\n"
                               "\t\t\tDevice[2500 g    ]               = 4000000000\r\n"
                               "\t\t\tCVentTable(0)\r\n";
  EXPECT_EQ(DumpText(p), expected);
}

TEST(DataDump, OpeningBlocksNumbersAndAnInvalidClass)
{
  CProject p;
  FillHead(p);
  ASSERT_TRUE(p.mAreaTable.AddNew("Hall", 0));
  CArea& a = *p.mAreaTable.Get(0);
  a.mHazard = 12; // not a class: empty name
  a.mLength = 12.5;
  a.mWidth = 1234567;
  a.mHeight = 0.0001;
  a.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 0.5, 0.25);
  a.mVentTable.Add(VENT_FLOOR, SHAPE_CIRCULAR, 1, 0, 0.5);
  p.RecalculateProject();
  std::vector<std::string> lines = Lines(DumpText(p));
  ASSERT_EQ(lines.size(), 21u + 1 + 1 + 30 + 1 + 2 * 9);
  EXPECT_EQ(lines[23], "\t\t\tmHazard                     = ");
  EXPECT_EQ(lines[24], "\t\t\tmLength                     = 12.5");
  EXPECT_EQ(lines[25], "\t\t\tmWidth                      = 1.23457e+06");
  EXPECT_EQ(lines[26], "\t\t\tmHeight                     = 0.0001");
  EXPECT_EQ(lines[53], "\t\t\tCVentTable(2)");
  const std::vector<std::string> wall = {
    "\t\t\t\tCVent(WALL)",          "\t\t\t\t\tmShape     = RECTANGULAR", "\t\t\t\t\tmWidth     = 2",
    "\t\t\t\t\tmHeight    = 0.5",   "\t\t\t\t\tmUpper     = 0.25",        "\t\t\t\t\tmSize      = 1",
    "\t\t\t\t\tmLower     = 0.75",  "\t\t\t\t\tmSizeUpper = 0.25",        "\t\t\t\t\tmSizeLower = 0.75",
  };
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 54, lines.begin() + 63), wall);
  EXPECT_EQ(lines[63], "\t\t\t\tCVent(FLOOR)");
  EXPECT_EQ(lines[64], "\t\t\t\t\tmShape     = CIRCULAR");
  EXPECT_EQ(lines[67], "\t\t\t\t\tmUpper     = 0"); // a floor opening is all lower
  EXPECT_EQ(lines[68], "\t\t\t\t\tmSize      = 0.785398");
}

TEST(DataDump, SizesOutOfRangeAreInvalidNeverInfinite)
{
  CProject p;
  FillHead(p);
  ASSERT_TRUE(p.mAreaTable.AddNew("Huge", 0));
  CArea& a = *p.mAreaTable.Get(0);
  a.mLength = a.mWidth = a.mHeight = 1e200;
  a.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1e200, 1e200, 0.5);
  p.RecalculateProject();
  const std::vector<std::string> lines = Lines(DumpText(p));
  EXPECT_EQ(lines[27], "			mVolume                     = INVALID");
  EXPECT_EQ(lines[32], "			mSizeClosed                 = INVALID");
  EXPECT_EQ(lines[59], "					mSize      = INVALID");
  for (const std::string& line : lines)
    EXPECT_EQ(line.find("inf"), std::string::npos) << line;
}

TEST(DataDump, CutsLongFieldTextsAt254Characters)
{
  CProject p;
  FillHead(p);
  p.mProject_Reference = std::string(300, 'r');
  p.mCustomer.mName = std::string(300, 'c');
  ASSERT_TRUE(p.mAreaTable.AddNew(std::string(260, 'v'), 0));
  std::vector<std::string> lines = Lines(DumpText(p));
  EXPECT_EQ(lines[3], "\t" + ("mProject_Reference     = " + std::string(300, 'r')).substr(0, 254));
  EXPECT_EQ(lines[13], "\t" + ("mCustomer(" + std::string(300, 'c')).substr(0, 254));
  EXPECT_EQ(lines[22], "\t\t" + ("CArea(" + std::string(260, 'v')).substr(0, 254));
  EXPECT_EQ(lines[23].substr(0, 4), "\t\t\tm"); // the next line is whole
}

TEST(DataDump, AnAddressWithoutALabelIsACAddress)
{
  CAddress a{"Caf\xE9", "x", "", "", "", "", "9"};
  EXPECT_EQ(DumpAddressText(a),
            "CAddress(Caf\xE9)\r\n\tAddress1 = x\r\n\tAddress2 = \r\n\tCity     = \r\n"
            "\tState    = \r\n\tCountry  = \r\n\tZip      = 9\r\n");
}

TEST(DataDump, TheFileGoesBesideTheProjectFile)
{
  CProject p;
  FillHead(p);
  p.mPath = "/work/Plant.ad";
  EXPECT_EQ(DumpFilePath(p), "/work/Plant.dmp");
  p.mPath = "Plant.ad";
  EXPECT_EQ(DumpFilePath(p), "Plant.dmp");
}
