#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/length_range.h"
#include "model/text_lines.h"
#include "tests/model/project_builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace
{
// A calculated volume of the given size and class, without openings.
struct Room
{
  CArea area{nullptr, "Room", 0};
  Room(double length, double width, double height, int hazard = 0)
  {
    area.mHazard = hazard;
    area.mLength = length;
    area.mWidth = width;
    area.mHeight = height;
    area.CalculateArea();
  }
  Room& Wall(double width, double height, double upper)
  {
    area.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, width, height, upper);
    area.CalculateArea();
    return *this;
  }
  Room& Ceiling(double width, double height)
  {
    area.mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, width, height, 1);
    area.CalculateArea();
    return *this;
  }
  bool Has(std::uint32_t bit) const { return (area.mFlags & bit) != 0; }
  std::vector<std::string> Labels() const
  {
    CTextLines lines;
    ErrorLabels(area.mFlags, lines);
    return lines.Lines();
  }
};

using Labels = std::vector<std::string>;
} // namespace

TEST(CalculateArea, NewVolumeIsZeroVolumeWithNoRatios)
{
  CArea area(nullptr, "New", 0);
  EXPECT_TRUE(area.mFlags & AF_ZERO_VOLUME);
  EXPECT_FALSE(area.mFlags & (AF_LR_VALID | AF_LP_VALID | AF_CREQ_VALID));
  EXPECT_TRUE(area.mFlags & AF_K3_VALID);
  CTextLines lines;
  EXPECT_TRUE(ErrorLabels(area.mFlags, lines));
  EXPECT_EQ(lines.Lines(), Labels({"ZERO VOLUME"}));

  CArea unclassed(nullptr);
  EXPECT_EQ(unclassed.mHazard, -1);
  ErrorLabels(unclassed.mFlags, lines);
  EXPECT_EQ(lines.Lines(), Labels({"INVALID HAZARD CLASS", "ZERO VOLUME"}));
}

TEST(CalculateArea, ClosedRoomWorkedExample)
{
  Room r(10_m, 10_m, 3_m);
  const CArea& a = r.area;
  EXPECT_DOUBLE_EQ(a.mVolume, 300);
  EXPECT_DOUBLE_EQ(a.mSizeClosed, 320);
  EXPECT_EQ(a.mLR, 0);
  EXPECT_EQ(a.mLP, 0);
  EXPECT_TRUE(r.Has(AF_LR_VALID) && r.Has(AF_LP_VALID));
  EXPECT_TRUE(r.Has(AF_NO_OPENINGS));
  EXPECT_FALSE(r.Has(AF_LH_VALID));
  EXPECT_EQ(a.mLH, 0);
  EXPECT_DOUBLE_EQ(a.mK1, 1.00);
  EXPECT_DOUBLE_EQ(a.mK2, 1.025);
  EXPECT_DOUBLE_EQ(a.mK3, 1.0);
  EXPECT_DOUBLE_EQ(a.mConcentrationStandard, 97);
  ASSERT_TRUE(r.Has(AF_CREQ_VALID));
  EXPECT_NEAR(a.mConcentrationRequired, 99.425, 1e-12);
  EXPECT_NEAR(a.mMassRequired, 99.425 * 300, 1e-9);
  EXPECT_TRUE(r.Labels().empty());
  // No devices: below the UL minimum.
  EXPECT_TRUE(a.mWarnings & AW_BELOW_UL_DENSITY);

  Room taller(10_m, 10_m, 3.55_m);
  EXPECT_DOUBLE_EQ(taller.area.mK1, 1.01);
}

TEST(CalculateArea, RoomWithWallAndCircularCeilingOpeningWorkedExample)
{
  Room r(10_m, 10_m, 4_m);
  r.area.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 2.0_m, 1.5_m, 0.5);
  r.area.mVentTable.Add(VENT_CEILING, SHAPE_CIRCULAR, 0.5_m, 0, 0.3);
  r.area.CalculateArea();
  const CArea& a = r.area;
  EXPECT_NEAR(a.mSizeOpen, 3.19635, 1e-5);
  EXPECT_DOUBLE_EQ(a.mSizeVentWallUpper, 1.5);
  EXPECT_DOUBLE_EQ(a.mSizeVentWallLower, 1.5);
  EXPECT_NEAR(a.mSizeVentCeiling, 0.19635, 1e-5);
  EXPECT_NEAR(a.mSizeVentUpper, 1.69635, 1e-5);
  EXPECT_NEAR(a.mSizeClosed, 356.80365, 1e-5);
  EXPECT_NEAR(a.mLR, 0.0089583, 1e-7);
  EXPECT_NEAR(a.mLP, 0.0079909, 1e-7);
  EXPECT_NEAR(a.mLH, 0.53071, 1e-5);
  EXPECT_DOUBLE_EQ(a.mK1, 1.05);
  EXPECT_DOUBLE_EQ(a.mK2, 1.465);
  EXPECT_DOUBLE_EQ(a.mK3, 1.0);
  ASSERT_TRUE(r.Has(AF_CREQ_VALID));
  EXPECT_NEAR(a.mConcentrationRequired, 149.21025, 1e-9);
  EXPECT_NEAR(a.mMassRequired, 149.21025 * 400, 1e-6);
}

TEST(CalculateArea, LeakageBandBoundaries)
{
  // Closed surface of a 10 x 10 x 3 m room less the opening; choose openings
  // so that LR lands on the band limits.
  auto roomWithLR = [](double lr)
  {
    // open / (320 - open) = lr  =>  open = 320 lr / (1 + lr)
    double open = 320 * lr / (1 + lr);
    auto r = std::make_unique<Room>(10_m, 10_m, 3_m);
    r->Wall(open, 1, 0.5);
    return r;
  };
  auto tight = roomWithLR(0.01);
  EXPECT_LE(tight->area.mLR, 0.01);
  EXPECT_DOUBLE_EQ(tight->area.mK1, HeightFactorTight(3));

  auto leaky = roomWithLR(0.0100001);
  EXPECT_GT(leaky->area.mLR, 0.01);
  EXPECT_TRUE(leaky->Has(AF_K1_VALID));

  auto limit = roomWithLR(0.02);
  EXPECT_FALSE(limit->Has(AF_EXCESS_LR));
  EXPECT_TRUE(limit->Has(AF_CREQ_VALID));

  auto over = roomWithLR(0.0200001);
  EXPECT_TRUE(over->Has(AF_EXCESS_LR));
  EXPECT_FALSE(over->Has(AF_CREQ_VALID));
  EXPECT_EQ(over->Labels(), Labels({"EXCESS LEAKAGE"}));
}

TEST(CalculateArea, HeightLimitsOfTheBands)
{
  // Leaky band: LR 0.015 in a 10 x 10 room of height h.
  auto leaky = [](double h)
  {
    auto r = std::make_unique<Room>(10_m, 10_m, h);
    double closed = 2 * (20 * h + 100);
    r->Wall(closed * 0.015 / 1.015, 1, 0.5);
    return r;
  };
  auto at6 = leaky(6.0);
  EXPECT_DOUBLE_EQ(at6->area.mK1, 1.26);
  EXPECT_TRUE(at6->Has(AF_CREQ_VALID));
  auto over6 = leaky(6.01);
  EXPECT_TRUE(over6->Has(AF_EXCESS_HEIGHT));
  EXPECT_FALSE(over6->Has(AF_CREQ_VALID));
  EXPECT_EQ(over6->Labels(), Labels({"EXCESS HEIGHT"}));

  Room at8(10_m, 10_m, 8.0_m);
  EXPECT_DOUBLE_EQ(at8.area.mK1, 1.26);
  Room over8(10_m, 10_m, 8.0001_m);
  EXPECT_TRUE(over8.Has(AF_EXCESS_HEIGHT));
  EXPECT_FALSE(over8.Has(AF_CREQ_VALID));
}

TEST(CalculateArea, HeightTablesHaveTheirUnevenSteps)
{
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(3.1), 1.00);
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(3.11), 1.01);
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(3.81), 1.09);
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(3.75), 1.07);
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(4.75), 1.17);
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(5.65), 1.23);
  EXPECT_DOUBLE_EQ(HeightFactorLeaky(5.95), 1.26);
  EXPECT_DOUBLE_EQ(HeightFactorTight(3.5), 1.00);
  EXPECT_DOUBLE_EQ(HeightFactorTight(4.75), 1.14);
  EXPECT_DOUBLE_EQ(HeightFactorTight(4.85), 1.16);
  EXPECT_DOUBLE_EQ(HeightFactorTight(4.15), 1.07);
  EXPECT_DOUBLE_EQ(HeightFactorTight(4.25), 1.09);
  EXPECT_DOUBLE_EQ(HeightFactorTight(6.0), 1.19);
  EXPECT_DOUBLE_EQ(HeightFactorTight(6.01), 1.20);
}

TEST(CalculateArea, SmallBoxWithExcessLPStillHasARequiredMass)
{
  Room r(1_m, 1_m, 1_m);
  r.Wall(0.05, 1, 0.5);
  EXPECT_NEAR(r.area.mLR, 0.0084, 1e-4);
  EXPECT_TRUE(r.Has(AF_EXCESS_LP));
  EXPECT_TRUE(r.Has(AF_CREQ_VALID));
  EXPECT_DOUBLE_EQ(r.area.mK2, 2.638); // row 0.05, lh 0.5
  EXPECT_EQ(r.Labels(), Labels({"EXCESS LEAKAGE"}));
}

TEST(CalculateArea, VolumeLimitsOfTheTightBand)
{
  // 30 x 30 x 10 m = 9000 m3 exceeds 8 m height; use 45 x 25 x 8 = 9000 m3.
  auto room = [](double lr)
  {
    auto r = std::make_unique<Room>(45_m, 25_m, 8_m);
    double closed = 2 * (70 * 8 + 45 * 25);
    r->Wall(closed * lr / (1 + lr), 1, 0.5);
    return r;
  };
  auto lr004 = room(0.004);
  EXPECT_FALSE(lr004->Has(AF_EXCESS_VOLUME));
  EXPECT_TRUE(lr004->Labels().empty());
  auto lr006 = room(0.006);
  EXPECT_TRUE(lr006->Has(AF_EXCESS_VOLUME));
  EXPECT_TRUE(lr006->Has(AF_CREQ_VALID));
  EXPECT_EQ(lr006->Labels(), Labels({"EXCESS VOLUME"}));
}

TEST(CalculateArea, CableTunnelLimitsAndFactor)
{
  Room tunnel(50_m, 10_m, 7_m, 8); // 3500 m3, closed
  EXPECT_TRUE(tunnel.Has(AF_EXCESS_VOLUME));
  EXPECT_DOUBLE_EQ(tunnel.area.mK3, 1.5);
  EXPECT_EQ(tunnel.Labels(), Labels({"EXCESS VOLUME"}));

  Room at3000(50_m, 10_m, 6_m, 8);         // 3000 m3
  EXPECT_DOUBLE_EQ(at3000.area.mVolume, 3000);
  EXPECT_FALSE(at3000.Has(AF_EXCESS_VOLUME));
  Room above(50.00001_m, 10_m, 6_m, 8);
  EXPECT_TRUE(above.Has(AF_EXCESS_VOLUME));

  Room angled(10_m, 10_m, 3_m, 9);
  Room cable(10_m, 10_m, 3_m, 7);
  EXPECT_DOUBLE_EQ(angled.area.mK3, 1.7);
  EXPECT_NEAR(angled.area.mConcentrationRequired, 1.7 * cable.area.mConcentrationRequired, 1e-9);

  // LP above 0.01 is excess leakage in a tunnel.
  Room leaky(10_m, 10_m, 3_m, 8);
  leaky.Wall(3.3, 1, 0.5); // lp = 3.3 / 300 = 0.011
  EXPECT_TRUE(leaky.Has(AF_EXCESS_LP));
  EXPECT_EQ(leaky.Labels(), Labels({"EXCESS LEAKAGE"}));
}

TEST(CalculateArea, InvalidHazardGivesNoRequiredConcentration)
{
  for (int hazard : {-1, 10, 1000})
  {
    Room r(10_m, 10_m, 3_m, hazard);
    EXPECT_TRUE(r.Has(AF_INVALID_HAZARD));
    EXPECT_FALSE(r.Has(AF_CSTD_VALID));
    EXPECT_FALSE(r.Has(AF_CREQ_VALID));
    EXPECT_FALSE(r.area.mWarnings & AW_BELOW_UL_DENSITY);
    EXPECT_EQ(r.Labels(), Labels({"INVALID HAZARD CLASS"}));
  }
}

TEST(CalculateArea, OpeningsAsLargeAsTheBoundaryGiveNoRequiredMass)
{
  Room zero(10_m, 10_m, 3_m);
  zero.Wall(320, 1, 0.5); // closed area exactly 0
  EXPECT_TRUE(zero.Has(AF_EXCESS_LR));
  EXPECT_FALSE(zero.Has(AF_CREQ_VALID));
  Room negative(10_m, 10_m, 3_m);
  negative.Wall(400, 1, 0.5);
  EXPECT_TRUE(negative.Has(AF_EXCESS_LP));
  EXPECT_FALSE(negative.Has(AF_CREQ_VALID));
}

TEST(CalculateArea, InputsThatAreNotFiniteNeverGiveARequiredMass)
{
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double bad : {inf, nan, -inf})
  {
    Room length(bad, 10_m, 3_m);
    EXPECT_FALSE(length.Has(AF_CREQ_VALID)) << bad;
    Room height(10_m, 10_m, bad);
    EXPECT_FALSE(height.Has(AF_CREQ_VALID)) << bad;
    Room vent(10_m, 10_m, 3_m);
    vent.Wall(bad, 1, 0.5);
    EXPECT_FALSE(vent.Has(AF_CREQ_VALID)) << bad;
    EXPECT_FALSE(vent.area.mWarnings & AW_BELOW_UL_DENSITY);
  }
  // A valid volume turned invalid keeps no stale validity.
  Room r(10_m, 10_m, 3_m);
  ASSERT_TRUE(r.Has(AF_CREQ_VALID));
  r.area.mLength = nan;
  r.area.CalculateArea();
  EXPECT_FALSE(r.Has(AF_CREQ_VALID));
}

TEST(ErrorLabels, OrderAndPrecedence)
{
  CTextLines lines;
  EXPECT_FALSE(ErrorLabels(0, lines));
  EXPECT_FALSE(ErrorLabels(AF_NO_OPENINGS | AF_CREQ_VALID, lines));
  ErrorLabels(AF_EXCESS_LP | AF_EXCESS_VOLUME, lines);
  EXPECT_EQ(lines.Lines(), Labels({"EXCESS LEAKAGE"}));
  ErrorLabels(AF_INVALID_HAZARD | AF_ZERO_VOLUME | AF_EXCESS_HEIGHT, lines);
  EXPECT_EQ(lines.Lines(), Labels({"INVALID HAZARD CLASS", "ZERO VOLUME"}));
  ErrorLabels(AF_INVALID_HAZARD | AF_EXCESS_HEIGHT | AF_EXCESS_LR | AF_EXCESS_VOLUME, lines);
  EXPECT_EQ(lines.Lines(), Labels({"INVALID HAZARD CLASS", "EXCESS HEIGHT", "EXCESS LEAKAGE"}));
  ErrorLabels(AF_INVALID_HAZARD | AF_SIZE_OUT_OF_RANGE | AF_ZERO_VOLUME, lines);
  EXPECT_EQ(lines.Lines(), Labels({"INVALID HAZARD CLASS", "SIZE OUT OF RANGE", "ZERO VOLUME"}));
}

TEST(CalculateArea, SizesOutOfRangeAreLabelledAndGiveNoFigures)
{
  struct Case
  {
    double length, width, height;
    int shape; // of the wall opening, if it has a width
    double ventWidth, ventHeight, upper;
    bool inRange;
  };
  const Case cases[] = {
      {1e200, 1e200, 1e200, 0, 0, 0, 0, false}, // an infinite volume
      {1e51, 1, 1, 0, 0, 0, 0, false},
      {1e-51, 1, 1, 0, 0, 0, 0, false},
      {0, 1e200, 1, 0, 0, 0, 0, false}, // a zero volume all the same
      {10, 10, 3, SHAPE_RECTANGULAR, 1e60, 1e-60, 0.5, false},
      {10, 10, 3, SHAPE_CIRCULAR, 1e51, 0, 0.5, false},
      {10, 10, 3, SHAPE_RECTANGULAR, 10, 10, 1e307, false}, // areas of no finite size
      {1e50, 1e50, 1e50, SHAPE_RECTANGULAR, 1e50, 1e50, 0.5, true},
      {1e-50, 1e-50, 1e-50, SHAPE_RECTANGULAR, 1e-50, 1e-50, 0.5, true},
      {1e-50, 1e-50, 1e-50, SHAPE_RECTANGULAR, 1e50, 1e50, 0.5, true},
      {10, 10, 3, SHAPE_CIRCULAR, 0.1, 1e200, 0.5, true}, // a circle's height is not used
      {-10, 10, 3, 0, 0, 0, 0, true},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(testing::Message() << c.length << " x " << c.width << " x " << c.height
                                    << ", opening " << c.ventWidth << " x " << c.ventHeight);
    Room r(c.length, c.width, c.height);
    r.area.SetDeviceCount(7, 4000000000u);
    if (c.ventWidth != 0)
      r.area.mVentTable.Add(VENT_WALL, c.shape, c.ventWidth, c.ventHeight, c.upper);
    r.area.CalculateArea();
    EXPECT_EQ(r.Has(AF_SIZE_OUT_OF_RANGE), !c.inRange);
    const Labels labels = r.Labels();
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "SIZE OUT OF RANGE"), c.inRange ? 0 : 1);
    if (!c.inRange)
    {
      EXPECT_FALSE(r.Has(AF_LR_VALID | AF_LP_VALID | AF_LH_VALID | AF_CREQ_VALID));
      continue;
    }
    // Every figure shown, in any unit, is a number.
    const CDeviceFigures f = DeviceFigures(r.area);
    for (double figure :
         {r.area.mVolume, r.area.mSizeOpen, r.area.mSizeClosed, r.area.mSizeVentUpper, r.area.mLP,
          r.area.mLH, r.area.mMassRequired, f.mTargetMass, f.mSelectedDensity, f.mRemainingDensity,
          ULMinimumMass(r.area.mVolume, 0), ToDisplayUnits(r.area.mVolume, UNITS_IMPERIAL, 3)})
      EXPECT_TRUE(std::isfinite(figure)) << figure;
  }
}

TEST(CArea, SettersRefuseValuesThatAreNotAboveZero)
{
  CArea a(nullptr, "A", 0);
  EXPECT_TRUE(a.SetLength(5));
  EXPECT_FALSE(a.SetLength(0));
  EXPECT_FALSE(a.SetLength(-1));
  EXPECT_FALSE(a.SetLength(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(a.SetHeight(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ(a.mLength, 5);
  a.SetHazard(12);
  EXPECT_EQ(a.mHazard, -1);
  a.SetHazard(3);
  EXPECT_EQ(a.mHazard, 3);
  a.SetDeviceCount(8, 5);
  EXPECT_EQ(a.DeviceCount(8), 0u);
  a.SetDeviceCount(7, 5);
  EXPECT_EQ(a.DeviceCount(7), 5u);
}

TEST(CArea, SettersTakeOnlyLengthsInRange)
{
  CArea a(nullptr, "A", 0);
  for (double metres : {kSmallestLength, 1.0, kLargestLength})
  {
    EXPECT_TRUE(a.SetLength(metres));
    EXPECT_TRUE(a.SetWidth(metres));
    EXPECT_TRUE(a.SetHeight(metres));
  }
  for (double metres : {kSmallestLength / 2, kLargestLength * 2, 1e200})
  {
    EXPECT_FALSE(a.SetLength(metres));
    EXPECT_FALSE(a.SetWidth(metres));
    EXPECT_FALSE(a.SetHeight(metres));
  }
  EXPECT_EQ(a.mLength, kLargestLength);
  EXPECT_EQ(
      LengthRefusalText("width", 1e200, UNITS_METRIC),
      "The width 1e+200 m is outside the lengths the calculation takes, from 1e-50 m to 1e+50 m.");
  EXPECT_EQ(LengthRefusalText("height", 0, UNITS_IMPERIAL), "The height must be above 0.");
  EXPECT_EQ(LengthRangeText(UNITS_IMPERIAL), "from 3.28084e-50 ft to 3.28084e+50 ft");
  CVentValues vent;
  EXPECT_EQ(VentRefusalText(vent, UNITS_METRIC), ""); // 0 by 0: not yet measured
  vent.mShape = SHAPE_CIRCULAR;
  vent.mWidth = 1e60;
  EXPECT_EQ(VentRefusalText(vent, UNITS_METRIC), "The diameter 1e+60 m is outside the lengths the "
                                                 "calculation takes, from 1e-50 m to 1e+50 m.");
  vent.mWidth = 1;
  vent.mUpper = 1.5;
  EXPECT_EQ(VentRefusalText(vent, UNITS_METRIC), "The upper share must be from 0% to 100%.");
  vent.mType = VENT_CEILING; // all of it upper, whatever was given
  EXPECT_EQ(VentRefusalText(vent, UNITS_METRIC), "");
}

TEST(CArea, CopyIsDeepAndDiffersComparesInputsOnly)
{
  Room r(10_m, 10_m, 3_m);
  r.Wall(1, 1, 0.5);
  CArea copy(nullptr, r.area);
  EXPECT_FALSE(copy.Differs(r.area));
  EXPECT_EQ(copy.mVentTable.Get(0)->mSerial, r.area.mVentTable.Get(0)->mSerial);
  copy.mVentTable.Get(0)->mWidth = 2;
  EXPECT_TRUE(copy.Differs(r.area));
  EXPECT_EQ(r.area.mVentTable.Get(0)->mWidth, 1);
  copy.mVentTable.Get(0)->mWidth = 1;
  copy.mMassRequired = 1; // computed, not compared
  EXPECT_FALSE(copy.Differs(r.area));
  copy.mIncludeNotes = true;
  EXPECT_TRUE(copy.Differs(r.area));
}
