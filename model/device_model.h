#pragma once
// The eight fixed device models, the mass and density figures of a selection,
// the proposals per model and the UL minimum density test.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CArea;

constexpr int DeviceModelCount = 8;
using CDeviceCounts = std::array<std::uint32_t, DeviceModelCount>;

struct CDeviceModel
{
  double mMass;   // g
  double mHeight; // m
};

// "%1.0lf g" of the mass ("30 g" .. "2500 g"); empty for an invalid index.
std::string DeviceName(int index);
bool DeviceMass(int index, double& out);
bool DeviceHeight(int index, double& out);

// Sum over the models of count x mass, in index order, in grams.
double ActualMass(const CDeviceCounts& counts);

// Reads a typed device count as an unsigned decimal number. Leading white
// space is skipped and anything after the digits is ignored. Refused (false,
// count untouched): no digits, a minus sign, or a value beyond 32 bits, which
// must never wrap around to a small count; `tooLarge`, when given, tells
// that last case apart.
bool ParseCount(std::string_view text, std::uint32_t& count, bool* tooLarge = nullptr);

// The figures of the Device page; meaningful only while mValid is set.
struct CDeviceFigures
{
  bool mValid = false;            // the volume has AF_CREQ_VALID
  double mRequiredMass = 0;
  double mSelectedMass = 0;
  double mRemainingMass = 0;      // the shortfall, 0 when covered
  CDeviceCounts mRequiredCounts{}; // devices of each single model covering the shortfall
  double mRequiredDensity = 0;
  double mSelectedDensity = 0;
  double mRemainingDensity = 0;
  bool mBaseValid = false;        // AF_CSTD_VALID
  double mBaseDensity = 0;
};

CDeviceFigures DeviceFigures(const CArea& area);

// The UL test: density rounded half up, below the minimum of the class.
bool BelowULDensity(double actualMass, double volume, int hazard);

// One row per model with a count, then the total; empty when all are 0.
struct CDeviceRow
{
  std::string mName;
  std::string mCount;
};
std::vector<CDeviceRow> DeviceRows(const CDeviceCounts& counts);
std::uint64_t TotalCount(const CDeviceCounts& counts);

// The three questions, their lines joined by CR LF.
std::string ULLeaveDevicePageText(double standardConcentration);
std::string ULCloseVolumeText(double standardConcentration);
std::string ULCloseProjectText();
inline constexpr const char* kULWarningCaption = "UL WARNING";
