#pragma once
// One protected volume: its inputs, its openings, its device counts and every
// figure the calculation derives from them.

#include "model/device_model.h"
#include "model/vent.h"

#include <cstdint>
#include <string>

class CProject;
class CTextLines;

// Status bits of mFlags.
constexpr std::uint32_t AF_ZERO_VOLUME = 0x0001;
constexpr std::uint32_t AF_NO_OPENINGS = 0x0002;
constexpr std::uint32_t AF_EXCESS_LR = 0x0004;
constexpr std::uint32_t AF_EXCESS_HEIGHT = 0x0008;
constexpr std::uint32_t AF_EXCESS_LP = 0x0010;
constexpr std::uint32_t AF_EXCESS_VOLUME = 0x0020;
constexpr std::uint32_t AF_INVALID_HAZARD = 0x0040;
// A length of the volume or of an opening outside the range the calculation
// takes, or a figure of the openings that is no finite number: only damaged
// data holds one. The volume's sizes, areas and volume are then not
// meaningful, and no ratio or mass is derived from them.
constexpr std::uint32_t AF_SIZE_OUT_OF_RANGE = 0x0080;
constexpr std::uint32_t AF_LR_VALID = 0x0100;
constexpr std::uint32_t AF_LP_VALID = 0x0200;
constexpr std::uint32_t AF_LH_VALID = 0x0400;
constexpr std::uint32_t AF_K1_VALID = 0x0800;
constexpr std::uint32_t AF_K2_VALID = 0x1000;
constexpr std::uint32_t AF_K3_VALID = 0x2000;
constexpr std::uint32_t AF_CSTD_VALID = 0x4000;
constexpr std::uint32_t AF_CREQ_VALID = 0x8000;
// What a required concentration needs (AF_LH_VALID is not required).
constexpr std::uint32_t AF_CREQ_NEEDS = 0x7B00;

// Warning bits of mWarnings.
constexpr std::uint32_t AW_BELOW_UL_DENSITY = 0x1;

// Height factor K1 of the leaky band (0.01 < LR <= 0.02), heights up to 6.0 m.
double HeightFactorLeaky(double height);
// Height factor K1 of the tight band (LR <= 0.01), heights up to 8.0 m.
double HeightFactorTight(double height);

// Fills the list with the error labels of the flags; true when any.
bool ErrorLabels(std::uint32_t flags, CTextLines& list);

class CArea;
// "BELOW UL MINIMUM (S selected, minimum M)": the densities of a volume whose
// devices stay below its class's UL minimum.
std::string ULShortfallLine(const CArea& area);
// The volume's error labels, then its UL shortfall line when it has one;
// true when any.
bool AreaErrorLines(const CArea& area, CTextLines& list);

// A size figure of the volume (its volume or an area of its boundary or
// openings) as shown, with FormatMeasure; "INVALID" when its sizes are out
// of range, which leaves them without meaning (even infinite).
std::string SizeText(const CArea& area, double value, UnitSystem units, int power);

// "Volume" then, for a named volume, a space and the name in double quotes; then ":".
std::string VolumeTitle(const CArea& area);

// A volume's identity within its project: it stays the same through a
// rename and through an undo that brings a removed volume back, and is never
// given to another volume of the project. 0 stands for none. Not stored in
// the file: a project read anew numbers its volumes afresh.
using CVolumeId = std::uint64_t;

class CArea
{
public:
  explicit CArea(CProject* owner);
  CArea(CProject* owner, std::string name, int hazard);
  CArea(CProject* owner, const CArea& source);
  // For the file reader: a volume with no figures yet, which its record
  // fills in; the reader calculates it once the record has been read.
  struct CStored
  {
  };
  CArea(CProject* owner, CStored) : mOwner(owner), mVentTable(this) {}
  CArea(const CArea&) = delete;
  CArea& operator=(const CArea&) = delete;

  void CalculateArea();
  bool Differs(const CArea& other) const;

  // Setters refuse invalid values (false) and leave the field unchanged;
  // the caller then runs RecalculateProject.
  void SetHazard(int hazard);
  bool SetLength(double metres);
  bool SetWidth(double metres);
  bool SetHeight(double metres);
  void SetDeviceCount(int model, std::uint32_t count);
  std::uint32_t DeviceCount(int model) const;
  void SetNotes(std::string notes) { mNotes = std::move(notes); }
  void SetIncludeNotes(bool include) { mIncludeNotes = include; }

  CProject* Owner() const { return mOwner; }
  CVolumeId Id() const { return mId; }
  // The project's unit system, metric when the volume has no project.
  std::uint32_t Units() const;

  CProject* mOwner;
  std::string mNotes;
  bool mIncludeNotes = false;
  CVentTable mVentTable;
  CDeviceCounts mDevice{};
  double mVolume = 0;
  double mSizeVentWallUpper = 0;
  double mSizeVentWallLower = 0;
  double mSizeVentCeiling = 0;
  double mSizeVentFloor = 0;
  double mSizeClosed = 0;
  double mSizeOpen = 0;
  double mSizeVentUpper = 0;
  double mSizeVentLower = 0;
  double mLR = 0;
  double mLP = 0;
  double mLH = 0;
  double mK1 = 0;
  double mK2 = 0;
  double mK3 = 0;
  double mConcentrationStandard = 0;
  double mConcentrationRequired = 0;
  double mMassRequired = 0;
  std::string mName;
  std::int32_t mHazard = -1;
  double mLength = 0;
  double mWidth = 0;
  double mHeight = 0;
  std::uint32_t mFlags = 0;
  std::uint32_t mWarnings = 0;

private:
  friend class CAreaTable; // hands out the identities
  // A copy keeps its source's identity: it is the same volume, kept aside.
  CVolumeId mId = 0;

  // The steps of CalculateArea, in the order it takes them.
  double MeasureVolumeAndOpenings(bool& openingsInRange);
  void ClearStatus();
  void SumOpeningsBySide(double floorArea);
  bool CheckHazard();
  bool CheckVolume(bool openingsInRange);
  void RateLeakage();
  void LimitCableTunnel(bool validHazard);
  void RateUpperOpenings();
  void ApplyLeakageBand();
  void LookUpK2();
  void TakeHazardK3();
  void LookUpStandardConcentration();
  void CalculateRequiredMass(bool finite);
  void CheckULDensity();
};
