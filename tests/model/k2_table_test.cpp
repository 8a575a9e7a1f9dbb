#include "model/k2_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

namespace
{
// The knots as the design method lists them, read from a copy of its table.
std::vector<std::vector<int>> ListedKnots()
{
  std::ifstream in(VANTOR_TEST_DATA_DIR "/k2_knots.txt");
  std::vector<std::vector<int>> rows;
  std::string line;
  while (std::getline(in, line))
  {
    std::istringstream fields(line);
    double key = 0;
    fields >> key;
    std::vector<int> row;
    double v = 0;
    while (fields >> v)
      row.push_back(static_cast<int>(std::lround(v * 1000)));
    rows.push_back(row);
  }
  return rows;
}

double Lookup(double lp, double lh)
{
  double k2 = -1;
  EXPECT_TRUE(LookupK2(lp, lh, k2)) << lp << " " << lh;
  return k2;
}
} // namespace

TEST(K2Table, EveryKnotIsTheListedValue)
{
  auto listed = ListedKnots();
  ASSERT_EQ(listed.size(), static_cast<size_t>(K2RowCount));
  const auto& table = K2Table();
  for (int r = 0; r < K2RowCount; ++r)
  {
    ASSERT_EQ(listed[r].size(), static_cast<size_t>(K2KnotCount));
    for (int k = 0; k < K2KnotCount; ++k)
      EXPECT_EQ(table[r][K2KnotColumn(k)], listed[r][k]) << "row " << r << " knot " << k;
  }
}

TEST(K2Table, EntriesBetweenKnotsFollowTheInterpolationRule)
{
  auto listed = ListedKnots();
  const auto& table = K2Table();
  int exceptions = 0;
  for (int r = 0; r < K2RowCount; ++r)
  {
    for (int k = 0; k + 1 < K2KnotCount; ++k)
    {
      const int c0 = K2KnotColumn(k), c1 = K2KnotColumn(k + 1);
      for (int c = c0 + 1; c < c1; ++c)
      {
        // Linear interpolation in floating point, rounded half up to a thousandth.
        double exact = listed[r][k] + (listed[r][k + 1] - listed[r][k]) * double(c - c0) / (c1 - c0);
        int expected = static_cast<int>(std::floor(exact + 0.5 + 1e-9));
        bool named = (r == 27 && c == 77) || (r == 28 && c == 78) || (r == 39 && c > 30 && c < 40);
        if (named)
        {
          ++exceptions;
          continue;
        }
        EXPECT_EQ(table[r][c], expected) << "row " << r << " column " << c;
      }
    }
  }
  EXPECT_EQ(exceptions, 11);
}

TEST(K2Table, NamedEntriesStandApartFromTheInterpolation)
{
  const auto& table = K2Table();
  EXPECT_EQ(table[27][77], 2029);
  EXPECT_EQ(table[28][78], 2033);
  const int row039[] = {2045, 2045, 2045, 2045, 2044, 2044, 2044, 2044, 2044, 2044, 2043};
  for (int c = 30; c <= 40; ++c)
    EXPECT_EQ(table[39][c], row039[c - 30]) << c;
  // The odd knot of row 0.120: falls to 2.734 at lh 0.80, rises to 2.804 at 0.90.
  EXPECT_EQ(table[48][70], 3721);
  EXPECT_EQ(table[48][80], 2734);
  EXPECT_EQ(table[48][90], 2804);
  EXPECT_EQ(table[48][75], 3228); // 3721 - 987/2 = 3227.5, rounded half up
}

TEST(K2Table, RowIsTheNearestKeyAndHalfwayTakesTheHigherRow)
{
  EXPECT_DOUBLE_EQ(Lookup(0.0006, 0.5), 1.087);
  EXPECT_DOUBLE_EQ(Lookup(0.0004, 0.5), 1.025);
  EXPECT_DOUBLE_EQ(Lookup(0.0005, 0.5), 1.087);
  EXPECT_DOUBLE_EQ(Lookup(0.046, 0.5), 2.638);
  EXPECT_DOUBLE_EQ(Lookup(0.045, 0.5), 2.638);
  EXPECT_DOUBLE_EQ(Lookup(0.044, 0.5), 2.470);
  EXPECT_DOUBLE_EQ(Lookup(0.2, 0.6), 4.326);
  EXPECT_DOUBLE_EQ(Lookup(0.0, 0.0), 1.025);
}

TEST(K2Table, ColumnRoundsHalfUpAndCapsAt100)
{
  // Row 0.010: knots 1.057 at 0.00 and 1.081 at 0.05.
  EXPECT_DOUBLE_EQ(Lookup(0.01, 0.006), K2Table()[10][1] / 1000.0);
  EXPECT_DOUBLE_EQ(Lookup(0.01, 0.004), 1.057);
  EXPECT_DOUBLE_EQ(Lookup(0.01, 0.005), K2Table()[10][1] / 1000.0);
  EXPECT_DOUBLE_EQ(Lookup(0.01, 1.0), 1.217);
  EXPECT_DOUBLE_EQ(Lookup(0.008, 0.53071), 1.465);
}

TEST(K2Table, LookupFailsOutsideTheTable)
{
  double k2 = 7;
  EXPECT_FALSE(LookupK2(0.2000001, 0.5, k2));
  EXPECT_EQ(k2, 0);
  EXPECT_FALSE(LookupK2(-0.0001, 0.5, k2));
  EXPECT_FALSE(LookupK2(0.01, -0.01, k2));
  EXPECT_FALSE(LookupK2(0.01, 1.0001, k2));
  EXPECT_FALSE(LookupK2(NAN, 0.5, k2));
  EXPECT_FALSE(LookupK2(0.01, NAN, k2));
  EXPECT_FALSE(LookupK2(INFINITY, 0.5, k2));
}
