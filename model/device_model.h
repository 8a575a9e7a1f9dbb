#pragma once
// The eight fixed device models, the mass and density figures of a selection,
// the proposals per model and the UL minimum density test.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// The figures of the Device page; meaningful only while mValid is set. The
// target is the required mass or the least mass that passes the UL test,
// whichever is greater: what is missing is measured against it.
struct CDeviceFigures
{
  bool mValid = false;            // the volume has AF_CREQ_VALID
  double mRequiredMass = 0;
  double mSelectedMass = 0;
  double mTargetMass = 0;
  double mRemainingMass = 0;      // the shortfall against the target, 0 when covered
  CDeviceCounts mRequiredCounts{}; // devices of each single model reaching the target
  // False for a model whose devices, as many as a count holds (4294967295,
  // the count then given), would still not reach the target: that count is
  // no answer and must not be shown as one.
  std::array<bool, DeviceModelCount> mRequiredReachable{};
  bool mBelowUL = false;          // the selection fails the UL test
  double mRequiredDensity = 0;
  double mSelectedDensity = 0;
  double mRemainingDensity = 0;
  bool mBaseValid = false;        // AF_CSTD_VALID
  double mBaseDensity = 0;
};

CDeviceFigures DeviceFigures(const CArea& area);
// The Device page's Required count of a model: the count, "> 4294967295"
// when no count reaches the target, empty while the figures are not valid.
std::string RequiredCountText(const CDeviceFigures& figures, int model);
// Why Propose gives no selection.
inline constexpr const char* kNoProposalText =
    "No selection of devices can be proposed: the target mass needs more than 4294967295 "
    "devices of a model, more than a project can hold.";

// The UL test: density rounded half up, below the minimum of the class.
bool BelowULDensity(double actualMass, double volume, int hazard);
// The least mass in whole grams that passes the UL test (volume > 0); above
// 2^53 g, the least such double (each a whole number). Found in a few dozen
// steps whatever the volume.
double ULMinimumMass(double volume, int hazard);

// A whole selection reaching `target` grams with the fewest devices, then
// the least mass above the target, then the fewest models; no devices for a
// target not above 0. None when that selection needs more devices of a model
// than a count holds (targets from about 1.07e13 g on).
std::optional<CDeviceCounts> ProposeDevices(double target);

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
// The project's question naming the volumes below their minimum first: up to
// ten names, one a line, then "and N more", an empty line and the three lines
// above. Without names it is the text above.
std::string ULCloseProjectText(const std::vector<std::string>& volumes);
inline constexpr std::size_t kULNamedVolumes = 10;
inline constexpr const char* kULWarningCaption = "UL WARNING";
