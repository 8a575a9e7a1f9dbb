#include "model/vent.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
std::vector<std::pair<int, double>> Order(const CVentTable& t)
{
  std::vector<std::pair<int, double>> out;
  for (size_t i = 0; i < t.Count(); ++i)
    out.emplace_back(t.Get(i)->mType, t.Get(i)->mSize);
  return out;
}
} // namespace

TEST(CVent, GeometryAndForcedUpperShare)
{
  CVent circle(nullptr, VENT_WALL, SHAPE_CIRCULAR, 0.2, 55, 1);
  EXPECT_NEAR(circle.mSize, 0.0314159265, 1e-9);
  EXPECT_EQ(circle.mSize, std::acos(-1.0) * (0.1 * 0.1)); // to the last bit
  CVent oddShape(nullptr, VENT_WALL, 7, 0.2, 55, 1); // any non-zero shape is circular
  EXPECT_DOUBLE_EQ(oddShape.mSize, circle.mSize);

  CVent wall(nullptr, VENT_WALL, SHAPE_RECTANGULAR, 2, 1, 0.25);
  EXPECT_DOUBLE_EQ(wall.mSizeUpper, 0.5);
  EXPECT_DOUBLE_EQ(wall.mSizeLower, 1.5);
  EXPECT_DOUBLE_EQ(wall.mLower, 0.75);

  CVent ceiling(nullptr, VENT_CEILING, SHAPE_RECTANGULAR, 1, 1, 0.3);
  EXPECT_EQ(ceiling.mUpper, 1.0);
  CVent floor(nullptr, VENT_FLOOR, SHAPE_RECTANGULAR, 1, 1, 0.3);
  EXPECT_EQ(floor.mUpper, 0.0);
  // The forced share stays when the kind is later changed to a wall.
  ceiling.mType = VENT_WALL;
  floor.mType = VENT_WALL;
  ceiling.CalculateVent();
  floor.CalculateVent();
  EXPECT_EQ(ceiling.mUpper, 1.0);
  EXPECT_EQ(floor.mUpper, 0.0);
}

TEST(CVent, NewOpeningDefaultsAndSerials)
{
  CVent a(nullptr);
  CVent b(nullptr);
  EXPECT_EQ(a.mType, VENT_WALL);
  EXPECT_EQ(a.mShape, SHAPE_RECTANGULAR);
  EXPECT_EQ(a.mUpper, 1.0);
  EXPECT_EQ(b.mSerial, a.mSerial + 1);
  CVent copy(nullptr, a);
  EXPECT_EQ(copy.mSerial, a.mSerial);
  EXPECT_FALSE(copy.Differs(a));
}

TEST(CVent, SetValuesTakesTheFiveInputs)
{
  CVent v(nullptr, VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 0.5);
  CVentValues values = v.Values();
  EXPECT_EQ(v.mWidth, 1);
  values.mWidth = 9;
  v.SetValues(values);
  EXPECT_EQ(v.mWidth, 9);
  EXPECT_EQ(v.mUpper, 0.5);
}

TEST(CVentTable, SumsByKind)
{
  CVentTable t(nullptr);
  CVentSums empty = t.Sums();
  EXPECT_EQ(empty.mWallUpper + empty.mWallLower + empty.mCeiling + empty.mFloor, 0);
  t.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 1, 0.25);
  t.Add(VENT_CEILING, SHAPE_RECTANGULAR, 1, 3, 0);
  t.Add(VENT_FLOOR, SHAPE_RECTANGULAR, 1, 4, 1);
  t.Add(5, SHAPE_RECTANGULAR, 10, 10, 1); // unknown kind counts nowhere
  CVentSums s = t.Sums();
  EXPECT_DOUBLE_EQ(s.mWallUpper, 0.5);
  EXPECT_DOUBLE_EQ(s.mWallLower, 1.5);
  EXPECT_DOUBLE_EQ(s.mCeiling, 3);
  EXPECT_DOUBLE_EQ(s.mFloor, 4);
}

TEST(CVentTable, SortByKindThenLargerAreaThenAge)
{
  CVentTable t(nullptr);
  t.Add(VENT_FLOOR, SHAPE_RECTANGULAR, 1, 1, 0);
  t.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.5, 1, 1);
  t.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 1, 1);
  t.Add(VENT_CEILING, SHAPE_RECTANGULAR, 1, 1, 1);
  t.Sort();
  using P = std::vector<std::pair<int, double>>;
  EXPECT_EQ(Order(t), P({{VENT_WALL, 2}, {VENT_WALL, 0.5}, {VENT_CEILING, 1}, {VENT_FLOOR, 1}}));

  CVentTable same(nullptr);
  const std::int32_t first = same.Add(VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 0.5)->mSerial;
  same.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.5, 2, 0.7);
  same.AddCopy(*same.Get(0)); // a copy of the table's own opening, as the Duplicate button makes
  same.Sort();
  EXPECT_EQ(same.Get(0)->mSerial, first);
  EXPECT_EQ(same.Get(1)->mSerial, first);
  EXPECT_EQ(same.Get(2)->mUpper, 0.7);
}

TEST(CVentTable, RemoveGetEditOutOfRange)
{
  CVentTable t(nullptr);
  EXPECT_EQ(t.Get(0), nullptr);
  EXPECT_FALSE(t.Remove(0));
  EXPECT_FALSE(t.SetValues(0, CVentValues{}));
  t.Add(VENT_WALL, 0, 1, 1, 1);
  t.Add(VENT_WALL, 0, 2, 1, 1);
  t.Add(VENT_WALL, 0, 3, 1, 1);
  EXPECT_TRUE(t.Remove(1));
  EXPECT_EQ(t.Count(), 2u);
  EXPECT_EQ(t.Get(1)->mWidth, 3);
}

TEST(CVentTable, DiffersAndAssign)
{
  CVentTable a(nullptr), b(nullptr);
  EXPECT_FALSE(a.Differs(b));
  a.Add(VENT_WALL, 0, 1, 1, 0.5);
  EXPECT_TRUE(a.Differs(b));
  b.Assign(a);
  EXPECT_FALSE(a.Differs(b));
  EXPECT_EQ(b.Get(0)->mSerial, a.Get(0)->mSerial);
  b.Get(0)->mUpper = 0.6;
  EXPECT_TRUE(a.Differs(b));
  EXPECT_EQ(a.Get(0)->mUpper, 0.5);
}
