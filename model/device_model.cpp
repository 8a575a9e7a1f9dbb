#include "model/device_model.h"

#include "model/area.h"
#include "model/hazard_class.h"
#include "storage/printf.h"
#include "storage/units.h"

#include <cmath>

namespace
{
constexpr CDeviceModel kModels[DeviceModelCount] = {
  {30, 1.22}, {60, 2.0}, {100, 2.5}, {250, 2.75}, {500, 3.5}, {1000, 4.9}, {1500, 4.9}, {2500, 4.9},
};

bool IsValidModel(int index) { return static_cast<unsigned>(index) < DeviceModelCount; }

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

bool ParseCount(std::string_view text, std::uint32_t& count, bool* tooLarge)
{
  if (tooLarge)
    *tooLarge = false;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
    ++i;
  if (i < text.size() && text[i] == '+')
    ++i;
  std::uint64_t value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
  {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > 0xFFFFFFFFull)
    {
      if (tooLarge)
        *tooLarge = true;
      return false;
    }
  }
  if (digits == 0)
    return false;
  count = static_cast<std::uint32_t>(value);
  return true;
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
  f.mRemainingMass = f.mSelectedMass < f.mRequiredMass ? f.mRequiredMass - f.mSelectedMass : 0;
  for (int i = 0; i < DeviceModelCount; ++i)
    f.mRequiredCounts[i] = f.mRemainingMass > 0 ? CeilCount(f.mRemainingMass / kModels[i].mMass) : 0;
  f.mRequiredDensity = area.mConcentrationRequired;
  f.mSelectedDensity = f.mSelectedMass / area.mVolume;
  f.mRemainingDensity = f.mRemainingMass / area.mVolume;
  return f;
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
