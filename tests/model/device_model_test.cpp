#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{
// A closed 10 x 10 x 3 m room: required mass 99.425 x 300 g for class 0.
struct Room
{
  CArea area{nullptr, "Room", 0};
  explicit Room(int hazard = 0)
  {
    area.mHazard = hazard;
    area.mLength = 10;
    area.mWidth = 10;
    area.mHeight = 3;
    area.CalculateArea();
  }
  Room& Devices(std::initializer_list<std::pair<int, std::uint32_t>> counts)
  {
    area.mDevice = {};
    for (auto [model, n] : counts)
      area.SetDeviceCount(model, n);
    area.CalculateArea();
    return *this;
  }
  bool Warned() const { return (area.mWarnings & AW_BELOW_UL_DENSITY) != 0; }
};
} // namespace

TEST(DeviceModel, TableAndInvalidIndices)
{
  const char* names[] = {"30 g", "60 g", "100 g", "250 g", "500 g", "1000 g", "1500 g", "2500 g"};
  const double heights[] = {1.22, 2.0, 2.5, 2.75, 3.5, 4.9, 4.9, 4.9};
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    EXPECT_EQ(DeviceName(i), names[i]);
    double h = 0;
    EXPECT_TRUE(DeviceHeight(i, h));
    EXPECT_EQ(h, heights[i]);
  }
  double m = 5;
  EXPECT_FALSE(DeviceMass(8, m));
  EXPECT_EQ(m, 0);
  EXPECT_FALSE(DeviceMass(-1, m));
  EXPECT_EQ(DeviceName(8), "");
}

TEST(DeviceFigures, ProposalsForTheWholeShortfall)
{
  Room r;
  CDeviceFigures f = DeviceFigures(r.area);
  ASSERT_TRUE(f.mValid);
  EXPECT_NEAR(f.mRemainingMass, 99.425 * 300, 1e-9);
  CDeviceCounts expected = {995, 498, 299, 120, 60, 30, 20, 12};
  EXPECT_EQ(f.mRequiredCounts, expected);
  EXPECT_TRUE(r.Warned());

  r.Devices({{7, 12}});
  f = DeviceFigures(r.area);
  EXPECT_EQ(f.mRemainingMass, 0);
  EXPECT_EQ(f.mRequiredCounts, CDeviceCounts{});
  EXPECT_DOUBLE_EQ(f.mSelectedDensity, 100);
  EXPECT_FALSE(r.Warned());
}

TEST(DeviceFigures, RequiredMassOf1000WithTwo250Devices)
{
  // 8 m3: the UL minimum (772 g) lies below the required mass.
  CArea a(nullptr, "A", 0);
  a.mLength = 2;
  a.mWidth = 2;
  a.mHeight = 2;
  a.CalculateArea();
  a.mMassRequired = 1000; // set directly: only the figures are under test
  a.SetDeviceCount(3, 2);
  CDeviceFigures f = DeviceFigures(a);
  EXPECT_EQ(f.mRemainingMass, 500);
  EXPECT_EQ(f.mRequiredCounts, (CDeviceCounts{17, 9, 5, 2, 1, 1, 1, 1}));
}

TEST(DeviceFigures, TheULMinimumGovernsWhenItNeedsMoreThanTheRequiredMass)
{
  Room r(1); // class 1: a standard concentration below the UL minimum of 67
  CDeviceFigures f = DeviceFigures(r.area);
  ASSERT_TRUE(f.mValid);
  EXPECT_EQ(ULMinimumMass(300, 1), 19950); // 66.5 g/m3 rounds up to 67
  EXPECT_LT(f.mRequiredMass, 19950);
  EXPECT_EQ(f.mTargetMass, 19950);
  EXPECT_EQ(f.mRemainingMass, 19950);
  EXPECT_EQ(f.mRemainingDensity, 66.5);
  EXPECT_TRUE(f.mBelowUL);
  EXPECT_EQ(f.mRequiredCounts, (CDeviceCounts{665, 333, 200, 80, 40, 20, 14, 8}));
  // Each proposal passes the UL test when taken, and one device fewer does not.
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    r.Devices({{i, f.mRequiredCounts[i]}});
    EXPECT_FALSE(r.Warned()) << i;
    EXPECT_TRUE(DeviceFigures(r.area).mRequiredCounts == CDeviceCounts{}) << i;
    r.Devices({{i, f.mRequiredCounts[i] - 1}});
    EXPECT_TRUE(r.Warned()) << i;
    EXPECT_TRUE(DeviceFigures(r.area).mBelowUL) << i;
  }
  // The mixed proposal: 8 x 2500 g is 20000 g, the fewest devices.
  EXPECT_EQ(ProposeDevices(f.mTargetMass), (CDeviceCounts{0, 0, 0, 0, 0, 0, 0, 8}));
}

TEST(ProposeDevices, MatchesAnExhaustiveSearch)
{
  const int mass[DeviceModelCount] = {30, 60, 100, 250, 500, 1000, 1500, 2500};
  // All selections of d devices, lightest model first, searched by rising d.
  auto exhaustive = [&](double target)
  {
    for (int d = 0;; ++d)
    {
      CDeviceCounts best{};
      long bestMass = -1;
      int bestModels = 0;
      std::vector<int> pick(d, 0);
      while (true)
      {
        CDeviceCounts c{};
        long total = 0;
        for (int m : pick)
        {
          ++c[m];
          total += mass[m];
        }
        int models = 0;
        for (auto n : c)
          models += n > 0;
        if (total >= target && (bestMass < 0 || total < bestMass || (total == bestMass && models < bestModels)))
        {
          best = c;
          bestMass = total;
          bestModels = models;
        }
        int k = d - 1;
        while (k >= 0 && pick[k] == DeviceModelCount - 1)
          --k;
        if (k < 0)
          break;
        ++pick[k];
        for (int j = k + 1; j < d; ++j)
          pick[j] = pick[k];
      }
      if (bestMass >= 0)
        return std::pair(best, bestMass);
    }
  };
  std::srand(20);
  for (int trial = 0; trial < 300; ++trial)
  {
    const double target = (std::rand() % 1500000) / 100.0; // up to 15 kg, not whole grams
    const CDeviceCounts got = ProposeDevices(target).value();
    const auto [expected, expectedMass] = exhaustive(target);
    ASSERT_EQ(ActualMass(got), expectedMass) << target;
    ASSERT_EQ(TotalCount(got), TotalCount(expected)) << target;
    int models = 0, expectedModels = 0;
    for (int i = 0; i < DeviceModelCount; ++i)
    {
      models += got[i] > 0;
      expectedModels += expected[i] > 0;
    }
    ASSERT_EQ(models, expectedModels) << target;
  }
  EXPECT_EQ(ProposeDevices(0), CDeviceCounts{});
  // Far above the searched range the largest model carries the bulk.
  const CDeviceCounts big = ProposeDevices(1e7 + 30).value();
  EXPECT_EQ(ActualMass(big), 1e7 + 30);
  EXPECT_EQ(TotalCount(big), 4001u); // 4000 x 2500 g and one of 30 g
}

TEST(DeviceFigures, BlankWithoutAValidRequiredMass)
{
  Room r(-1);
  CDeviceFigures f = DeviceFigures(r.area);
  EXPECT_FALSE(f.mValid);
  EXPECT_FALSE(f.mBaseValid);
  EXPECT_FALSE(r.Warned());
}

TEST(ULDensity, RoundingAtTheMinimum)
{
  EXPECT_FALSE(BelowULDensity(96.5 * 300, 300, 0));
  EXPECT_TRUE(BelowULDensity(96.49 * 300, 300, 0));
  EXPECT_TRUE(Room().Devices({{7, 11}, {4, 1}}).Warned()); // 93.33
  EXPECT_FALSE(Room(1).Devices({{7, 8}, {2, 1}}).Warned()); // 20100 g: 67.0
  EXPECT_FALSE(Room(1).Devices({{7, 8}}).Warned());                 // 20000 g: 66.67 -> 67
  EXPECT_TRUE(Room(1).Devices({{7, 7}, {6, 1}, {4, 1}, {2, 4}}).Warned()); // 19900 g: 66.33
  EXPECT_EQ(ULMinimumDensity(6), 67);
  EXPECT_EQ(ULMinimumDensity(7), 97);
}

TEST(ULDensity, QuestionTexts)
{
  EXPECT_EQ(ULLeaveDevicePageText(97),
            "The Application Density does not meet the UL minimum requirement of 97g/m^3.\r\n"
            "Please add more unit(s) and recalculate.\r\n"
            "Would you like to cancel leaving the device tab so you may add more units?");
  EXPECT_EQ(ULCloseVolumeText(55),
            "The Application Density does not meet the UL minimum requirement of 67g/m^3.\r\n"
            "Please add more unit(s) and recalculate.\r\n"
            "Would you like to cancel closing this volume so you may add more units?");
  EXPECT_EQ(ULCloseProjectText(),
            "The Application Density does not meet the UL minimum requirement in one or more "
            "volumes.\r\nPlease add more unit(s) and recalculate.\r\n"
            "Would you like to cancel closing this project so you may add more units?");
  // The project's question names the volumes, ten at most, before its three lines.
  EXPECT_EQ(ULCloseProjectText(std::vector<std::string>{}), ULCloseProjectText());
  std::vector<std::string> names;
  std::string listed;
  for (int i = 1; i <= 13; ++i)
  {
    names.push_back("Room " + std::to_string(i));
    if (i <= 10)
      listed += "    Room " + std::to_string(i) + "\r\n";
  }
  EXPECT_EQ(ULCloseProjectText(names), "Volumes below the UL minimum application density:\r\n" +
                                          listed + "    and 3 more\r\n\r\n" +
                                          ULCloseProjectText());
  names.resize(10);
  EXPECT_EQ(ULCloseProjectText(names).find(" more\r\n"), std::string::npos);
}

TEST(DeviceRows, OnlyCountedModelsInOrder)
{
  CDeviceCounts counts{};
  EXPECT_TRUE(DeviceRows(counts).empty());
  counts[5] = 2;
  counts[1] = 3;
  auto rows = DeviceRows(counts);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].mName, "60 g");
  EXPECT_EQ(rows[0].mCount, "3");
  EXPECT_EQ(rows[1].mName, "1000 g");
  EXPECT_EQ(TotalCount(counts), 5u);
}

TEST(HazardClass, TableAndInvalidIndices)
{
  for (int bad : {-1, 10})
  {
    EXPECT_FALSE(IsValidHazard(bad));
    EXPECT_EQ(HazardName(bad), "");
    EXPECT_EQ(HazardGroup(bad), "");
    double c = 5;
    EXPECT_FALSE(StandardConcentration(bad, c));
    EXPECT_EQ(c, 0);
  }
  double c = 0;
  EXPECT_TRUE(StandardConcentration(6, c));
  EXPECT_EQ(c, 62);
  EXPECT_EQ(HazardName(8), "CABLE TUNNELS - HORIZONAL");
  EXPECT_EQ(HazardGroup(1), "CLASS B FLAMMABLE LIQUID");
  EXPECT_EQ(HazardName(6), "CLASS C/B ELECTRICAL LIGHT/MEDIUM DUTY, B");
  EXPECT_EQ(HazardK3(-1), 1.0);
  // The UL minimum agrees with the test of the standard concentration against 97.
  for (int i = 0; i < HazardClassCount; ++i)
  {
    StandardConcentration(i, c);
    EXPECT_EQ(ULMinimumDensity(i), c == 97 ? 97 : 67) << i;
  }
}

namespace
{
// The searches the bounded ones replaced, one gram or one device at a time:
// the reference for every volume they end on.
double StepwiseULMinimumMass(double volume, int hazard)
{
  double grams = std::floor((ULMinimumDensity(hazard) - 0.5) * volume);
  if (!(grams >= 0) || !std::isfinite(grams))
    return 0;
  while (BelowULDensity(grams, volume, hazard))
    grams += 1;
  while (grams > 0 && !BelowULDensity(grams - 1, volume, hazard))
    grams -= 1;
  return grams;
}

CDeviceCounts StepwiseRequiredCounts(const CArea& area, const CDeviceFigures& f)
{
  auto covers = [&](double mass)
  { return mass >= f.mRequiredMass && !BelowULDensity(mass, area.mVolume, area.mHazard); };
  CDeviceCounts counts{};
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    double mass = 0;
    DeviceMass(i, mass);
    std::uint32_t n =
        f.mRemainingMass > 0 ? static_cast<std::uint32_t>(std::ceil(f.mRemainingMass / mass)) : 0;
    while (n > 0 && covers(f.mSelectedMass + (n - 1) * mass))
      --n;
    while (n < 4294967295u && !covers(f.mSelectedMass + n * mass))
      ++n;
    counts[i] = n;
  }
  return counts;
}
} // namespace

TEST(DeviceFigures, BoundedSearchesGiveTheStepwiseResults)
{
  // The UL minimum over volumes from 1 litre to 1e12 m3, every class and two invalid ones.
  std::srand(26);
  for (double volume = 1e-3; volume < 1e12; volume *= 1.0 + (std::rand() % 1000) / 10000.0)
    for (int hazard = -1; hazard <= HazardClassCount; ++hazard)
      ASSERT_EQ(ULMinimumMass(volume, hazard), StepwiseULMinimumMass(volume, hazard))
          << volume << " " << hazard;
  // The required counts of rooms of every class, with and without an
  // opening and with selections below, near and above their targets.
  const double lengths[] = {0.3, 1, 2.45, 7.3, 10, 33.3, 101};
  const double heights[] = {0.5, 1.22, 3, 4.9};
  const CDeviceCounts selections[] = {{}, {3, 0, 1, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 0, 0, 5000}};
  for (double length : lengths)
    for (double width : lengths)
      for (double height : heights)
        for (int hazard = 0; hazard < HazardClassCount; ++hazard)
          for (bool opening : {false, true})
            for (const CDeviceCounts& selection : selections)
            {
              CArea a(nullptr, "A", hazard);
              a.mLength = length;
              a.mWidth = width;
              a.mHeight = height;
              if (opening)
                a.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.2 * length, 0.05, 0.7);
              a.mDevice = selection;
              a.CalculateArea();
              const CDeviceFigures f = DeviceFigures(a);
              if (!f.mValid)
                continue;
              ASSERT_EQ(f.mRequiredCounts, StepwiseRequiredCounts(a, f))
                  << length << " x " << width << " x " << height << " class " << hazard;
              for (bool reachable : f.mRequiredReachable)
                ASSERT_TRUE(reachable);
            }
}

TEST(DeviceFigures, HugeVolumesEndAndNoCountWraps)
{
  // Beyond 2^53 g one gram more is the same number: the least passing mass
  // is then the least passing double.
  for (double volume : {9.5e13, 1e16, 3.7e20, 1e48, 1e150})
    for (int hazard : {0, 1})
    {
      const double grams = ULMinimumMass(volume, hazard);
      EXPECT_FALSE(BelowULDensity(grams, volume, hazard)) << volume;
      const double less = grams < 9007199254740992.0 ? grams - 1 : std::nextafter(grams, 0.0);
      EXPECT_TRUE(BelowULDensity(less, volume, hazard)) << volume;
    }
  // A room of 1e16 m by 1 m by 1 m: no count of any model reaches its mass.
  CArea a(nullptr, "Long", 0);
  a.mLength = 1e16;
  a.mWidth = 1;
  a.mHeight = 1;
  a.SetDeviceCount(7, 10);
  a.CalculateArea();
  const CDeviceFigures f = DeviceFigures(a);
  ASSERT_TRUE(f.mValid);
  EXPECT_GT(f.mTargetMass, 9007199254740992.0);
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    EXPECT_FALSE(f.mRequiredReachable[i]) << i;
    EXPECT_EQ(f.mRequiredCounts[i], 4294967295u) << i;
    EXPECT_EQ(RequiredCountText(f, i), "> 4294967295") << i;
  }
  // A count that just reaches the target is a count, not a mark.
  a.mLength = 2500.0 * 4294967000.0 / 99.425; // 99.425 g/m3 required
  a.SetDeviceCount(7, 0);
  a.CalculateArea();
  const CDeviceFigures edge = DeviceFigures(a);
  ASSERT_TRUE(edge.mValid);
  EXPECT_TRUE(edge.mRequiredReachable[7]);
  EXPECT_FALSE(edge.mRequiredReachable[6]);
  EXPECT_EQ(RequiredCountText(edge, 7), std::to_string(edge.mRequiredCounts[7]));
  EXPECT_EQ(RequiredCountText(DeviceFigures(Room(-1).area), 7), "");
}

TEST(ProposeDevices, NoneBeyondWhatACountHolds)
{
  const double most = 2500.0 * 4294967295.0;
  const std::optional<CDeviceCounts> full = ProposeDevices(most);
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(*full, (CDeviceCounts{0, 0, 0, 0, 0, 0, 0, 4294967295u}));
  // One gram more takes a device of another model beside them.
  EXPECT_EQ(ProposeDevices(most + 1), (CDeviceCounts{1, 0, 0, 0, 0, 0, 0, 4294967295u}));
  for (double target : {most + 2500, 1e20, 1e300, std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(ProposeDevices(target).has_value()) << target;
  EXPECT_EQ(ProposeDevices(-5), CDeviceCounts{});
}
