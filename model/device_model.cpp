#include "model/device_model.h"

#include "model/area.h"
#include "model/hazard_class.h"
#include "text/printf.h"
#include "text/number_format.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <limits>

namespace
{
constexpr CDeviceModel kModels[DeviceModelCount] = {
  {30, 1.22}, {60, 2.0}, {100, 2.5}, {250, 2.75}, {500, 3.5}, {1000, 4.9}, {1500, 4.9}, {2500, 4.9},
};

bool IsValidModel(int index) { return static_cast<unsigned>(index) < DeviceModelCount; }

constexpr double kLargestCount = 4294967295.0;

// The least whole number from 0 to `highest` that passes a test which fails
// up to some number and passes from there on, searched from an estimate
// near it: steps that double from the estimate bracket it, halving the
// bracket finds it. Beyond 2^53, where adding one gives the same double, a
// step is at least one unit in the last place, so the search ends after a
// few dozen tests whatever the numbers. False, with `highest`, when not even
// `highest` passes.
template <class Test>
bool LeastPassing(double estimate, double highest, const Test& passes, double& least)
{
  const double start = std::min(estimate, highest);
  const double firstStep = std::max(1.0, std::nextafter(start, HUGE_VAL) - start);
  double fails = -1; // the greatest number known to fail; -1 for none
  double passing = start;
  if (passes(start))
  {
    for (double step = firstStep;; step *= 2)
    {
      const double lower = passing - step;
      if (lower < 0)
        break;
      if (!passes(lower))
      {
        fails = lower;
        break;
      }
      passing = lower;
    }
  }
  else
  {
    fails = start;
    for (double step = firstStep;; step *= 2)
    {
      if (fails >= highest)
      {
        least = highest;
        return false;
      }
      const double upper = std::min(fails + step, highest);
      if (passes(upper))
      {
        passing = upper;
        break;
      }
      fails = upper;
    }
  }
  while (true)
  {
    const double middle = std::floor(fails + (passing - fails) / 2);
    if (!(middle > fails && middle < passing))
      break;
    if (passes(middle))
      passing = middle;
    else
      fails = middle;
  }
  least = passing;
  return true;
}

// The integer part, plus one when any fraction remains.
std::uint32_t CeilCount(double value)
{
  double integer = 0;
  double fraction = std::modf(value, &integer);
  if (fraction > 0)
    integer += 1;
  if (!(integer >= 0))
    return 0;
  if (integer > 4294967295.0)
    return 4294967295u;
  return static_cast<std::uint32_t>(integer);
}

std::string ULText(const char* minimum, const char* action)
{
  return std::string("The Application Density does not meet the UL minimum requirement ") + minimum +
         "\r\nPlease add more unit(s) and recalculate.\r\nWould you like to cancel " + action +
         " so you may add more units?";
}

const char* MinimumText(double standardConcentration)
{
  return standardConcentration == 97 ? "of 97g/m^3." : "of 67g/m^3.";
}
} // namespace

std::string DeviceName(int index)
{
  return IsValidModel(index) ? FormatC("%1.0lf g", kModels[index].mMass) : "";
}

bool DeviceMass(int index, double& out)
{
  out = IsValidModel(index) ? kModels[index].mMass : 0;
  return IsValidModel(index);
}

bool DeviceHeight(int index, double& out)
{
  out = IsValidModel(index) ? kModels[index].mHeight : 0;
  return IsValidModel(index);
}

double ActualMass(const CDeviceCounts& counts)
{
  double mass = 0;
  for (int i = 0; i < DeviceModelCount; ++i)
    mass += counts[i] * kModels[i].mMass;
  return mass;
}

CDeviceFigures DeviceFigures(const CArea& area)
{
  CDeviceFigures f;
  f.mBaseValid = (area.mFlags & AF_CSTD_VALID) != 0;
  f.mBaseDensity = area.mConcentrationStandard;
  if (!(area.mFlags & AF_CREQ_VALID))
    return f;
  f.mValid = true;
  f.mRequiredMass = area.mMassRequired;
  f.mSelectedMass = ActualMass(area.mDevice);
  f.mTargetMass = std::max(f.mRequiredMass, ULMinimumMass(area.mVolume, area.mHazard));
  f.mRemainingMass = f.mSelectedMass < f.mTargetMass ? f.mTargetMass - f.mSelectedMass : 0;
  f.mBelowUL = BelowULDensity(f.mSelectedMass, area.mVolume, area.mHazard);
  // A mass covers the target when it is the required mass and passes the
  // UL test itself: the test's own rounding decides, not the target figure.
  auto covers = [&](double mass)
  { return mass >= f.mRequiredMass && !BelowULDensity(mass, area.mVolume, area.mHazard); };
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    const double mass = kModels[i].mMass;
    const std::uint32_t estimate = f.mRemainingMass > 0 ? CeilCount(f.mRemainingMass / mass) : 0;
    double n = 0;
    f.mRequiredReachable[i] = LeastPassing(
        estimate, kLargestCount,
        [&](double count) { return covers(f.mSelectedMass + count * mass); }, n);
    f.mRequiredCounts[i] = static_cast<std::uint32_t>(n);
  }
  f.mRequiredDensity = area.mConcentrationRequired;
  f.mSelectedDensity = f.mSelectedMass / area.mVolume;
  f.mRemainingDensity = f.mRemainingMass / area.mVolume;
  return f;
}

std::string RequiredCountText(const CDeviceFigures& figures, int model)
{
  if (!figures.mValid || !IsValidModel(model))
    return {};
  const auto i = static_cast<std::size_t>(model);
  return (figures.mRequiredReachable[i] ? "" : "> ") + FormatCount(figures.mRequiredCounts[i]);
}

bool BelowULDensity(double actualMass, double volume, int hazard)
{
  double density = actualMass / volume;
  double integer = 0;
  double fraction = std::modf(density, &integer);
  if (fraction >= 0.5)
    integer += 1;
  return integer < ULMinimumDensity(hazard);
}

double ULMinimumMass(double volume, int hazard)
{
  // Half a g/m3 below the minimum rounds up to it; the test itself settles
  // the last gram either way.
  const double grams = std::floor((ULMinimumDensity(hazard) - 0.5) * volume);
  if (!(grams >= 0) || !std::isfinite(grams))
    return 0;
  double least = 0;
  // No finite mass passes only for a volume near the largest double.
  if (!LeastPassing(
          grams, std::numeric_limits<double>::max(),
          [&](double mass) { return !BelowULDensity(mass, volume, hazard); }, least))
    return 0;
  return least;
}

namespace
{
// Devices and models of a selection, compared in that order.
struct CCost
{
  std::uint32_t mDevices = 0;
  std::uint32_t mModels = 0;
  auto operator<=>(const CCost&) const = default;
};
constexpr CCost kUnreachable{0xFFFFFFFFu, 0};
CCost Plus(CCost cost, std::uint32_t devices, std::uint32_t models)
{
  return cost == kUnreachable ? kUnreachable : CCost{cost.mDevices + devices, cost.mModels + models};
}
} // namespace

std::optional<CDeviceCounts> ProposeDevices(double target)
{
  if (!(target > 0))
    return CDeviceCounts{};
  // A best selection holds fewer than 250 devices of the models below the
  // largest (see below), less than 375 kg: above this, the largest model
  // alone would need more devices than a count holds. Below it every
  // figure here is a whole number of grams well within 2^53.
  constexpr double kBeyondCounts = 2500 * (kLargestCount + 1) + 1e6;
  if (!(target <= kBeyondCounts))
    return std::nullopt;
  // Counted wide: the counts that come out are checked against a count's size.
  std::array<std::uint64_t, DeviceModelCount> counts{};
  // Every model's mass is a multiple of 10 g: work in units of 10 g.
  constexpr int kUnit = 10;
  std::uint64_t need = static_cast<std::uint64_t>(std::ceil(target / kUnit));
  while (need > 0 && (need - 1) * kUnit >= target)
    --need;
  while (need * kUnit < target)
    ++need;
  int weight[DeviceModelCount];
  for (int i = 0; i < DeviceModelCount; ++i)
    weight[i] = static_cast<int>(kModels[i].mMass) / kUnit;
  const int largest = weight[DeviceModelCount - 1];
  // A best selection holds fewer than `largest` devices of the other models:
  // among that many, some sum to a multiple of the largest mass and could be
  // swapped for fewer of the largest. Far above that, the largest model is
  // taken outright and only the rest is searched.
  const std::uint64_t searched = static_cast<std::uint64_t>(largest) * (weight[6] + 1);
  if (need > searched)
  {
    counts[DeviceModelCount - 1] = (need - searched) / largest;
    need -= counts[DeviceModelCount - 1] * largest;
  }
  const bool largestTaken = counts[DeviceModelCount - 1] > 0;
  // best[i][s]: the cheapest selection of models 0..i-1 summing to exactly s;
  // using[s]: the cheapest with at least one device of model i.
  const std::size_t size = static_cast<std::size_t>(need) + largest;
  std::vector<std::vector<CCost>> best(DeviceModelCount + 1, std::vector<CCost>(size, kUnreachable));
  std::vector<std::vector<CCost>> using_(DeviceModelCount, std::vector<CCost>(size, kUnreachable));
  best[0][0] = {};
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    const std::uint32_t newModel = (i == DeviceModelCount - 1 && largestTaken) ? 0 : 1;
    for (std::size_t s = 0; s < size; ++s)
    {
      if (s >= static_cast<std::size_t>(weight[i]))
        using_[i][s] = std::min(Plus(best[i][s - weight[i]], 1, newModel),
                                Plus(using_[i][s - weight[i]], 1, 0));
      best[i + 1][s] = std::min(best[i][s], using_[i][s]);
    }
  }
  // The fewest devices, then the least mass; at one mass the search has
  // already chosen the fewest models.
  const std::vector<CCost>& all = best[DeviceModelCount];
  std::size_t chosen = static_cast<std::size_t>(need);
  for (std::size_t s = chosen + 1; s < size; ++s)
    if (all[s].mDevices < all[chosen].mDevices)
      chosen = s;
  std::size_t s = chosen;
  for (int i = DeviceModelCount - 1; i >= 0 && s > 0; --i)
  {
    if (best[i + 1][s] == best[i][s])
      continue;
    // Walk the devices of model i back to where the lighter models take over.
    while (true)
    {
      ++counts[i];
      const CCost here = using_[i][s];
      s -= weight[i];
      if (Plus(best[i][s], 1, (i == DeviceModelCount - 1 && largestTaken) ? 0 : 1) == here)
        break;
    }
  }
  CDeviceCounts proposal{};
  for (int i = 0; i < DeviceModelCount; ++i)
  {
    if (counts[i] > kLargestCount)
      return std::nullopt;
    proposal[i] = static_cast<std::uint32_t>(counts[i]);
  }
  return proposal;
}

std::vector<CDeviceRow> DeviceRows(const CDeviceCounts& counts)
{
  std::vector<CDeviceRow> rows;
  for (int i = 0; i < DeviceModelCount; ++i)
    if (counts[i] != 0)
      rows.push_back({DeviceName(i), FormatCount(counts[i])});
  return rows;
}

std::uint64_t TotalCount(const CDeviceCounts& counts)
{
  std::uint64_t total = 0;
  for (std::uint32_t c : counts)
    total += c;
  return total;
}

std::string ULLeaveDevicePageText(double standardConcentration)
{
  return ULText(MinimumText(standardConcentration), "leaving the device tab");
}

std::string ULCloseVolumeText(double standardConcentration)
{
  return ULText(MinimumText(standardConcentration), "closing this volume");
}

std::string ULCloseProjectText()
{
  return ULText("in one or more volumes.", "closing this project");
}

std::string ULCloseProjectText(const std::vector<std::string>& volumes)
{
  if (volumes.empty())
    return ULCloseProjectText();
  std::string text = "Volumes below the UL minimum application density:\r\n";
  const std::size_t named = std::min(volumes.size(), kULNamedVolumes);
  for (std::size_t i = 0; i < named; ++i)
    text += "    " + volumes[i] + "\r\n";
  if (volumes.size() > named)
    text += "    and " + std::to_string(volumes.size() - named) + " more\r\n";
  return text + "\r\n" + ULCloseProjectText();
}
