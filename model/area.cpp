#include "model/area.h"

#include "model/hazard_class.h"
#include "model/k2_table.h"
#include "model/length_range.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "text/number_format.h"

#include <cmath>

namespace
{
struct CHeightStep
{
  double mAbove;
  double mK1;
};

// First row whose height is exceeded gives K1; the steps are uneven on purpose.
constexpr CHeightStep kLeaky[] = {
  {5.9, 1.26}, {5.8, 1.25}, {5.7, 1.24}, {5.5, 1.23}, {5.4, 1.22}, {5.2, 1.21}, {5.1, 1.20},
  {4.9, 1.19}, {4.8, 1.18}, {4.6, 1.17}, {4.5, 1.16}, {4.4, 1.15}, {4.3, 1.14}, {4.2, 1.13},
  {4.1, 1.12}, {4.0, 1.11}, {3.9, 1.10}, {3.8, 1.09}, {3.7, 1.07}, {3.6, 1.06}, {3.5, 1.05},
  {3.4, 1.04}, {3.3, 1.03}, {3.2, 1.02}, {3.1, 1.01},
};

constexpr CHeightStep kTight[] = {
  {7.9, 1.26}, {7.6, 1.25}, {7.3, 1.24}, {7.0, 1.23}, {6.7, 1.22}, {6.4, 1.21}, {6.0, 1.20},
  {5.7, 1.19}, {5.4, 1.18}, {5.1, 1.17}, {4.8, 1.16}, {4.7, 1.14}, {4.6, 1.13}, {4.5, 1.12},
  {4.4, 1.11}, {4.3, 1.10}, {4.2, 1.09}, {4.1, 1.07}, {4.0, 1.06}, {3.9, 1.05}, {3.8, 1.04},
  {3.7, 1.03}, {3.6, 1.02}, {3.5, 1.01},
};

template <std::size_t N> double LookupHeight(const CHeightStep (&table)[N], double height)
{
  for (const CHeightStep& step : table)
    if (height > step.mAbove)
      return step.mK1;
  return 1.00;
}
} // namespace

double HeightFactorLeaky(double height) { return LookupHeight(kLeaky, height); }
double HeightFactorTight(double height) { return LookupHeight(kTight, height); }

bool ErrorLabels(std::uint32_t flags, CTextLines& list)
{
  list.Clear();
  if (flags & AF_INVALID_HAZARD)
    list.Add("INVALID HAZARD CLASS");
  if (flags & AF_SIZE_OUT_OF_RANGE)
    list.Add("SIZE OUT OF RANGE");
  if (flags & AF_ZERO_VOLUME)
  {
    list.Add("ZERO VOLUME");
    return true;
  }
  if (flags & AF_EXCESS_HEIGHT)
    list.Add("EXCESS HEIGHT");
  if (flags & (AF_EXCESS_LR | AF_EXCESS_LP))
    list.Add("EXCESS LEAKAGE");
  else if (flags & AF_EXCESS_VOLUME)
    list.Add("EXCESS VOLUME");
  return !list.Empty();
}

std::string ULShortfallLine(const CArea& area)
{
  const double selected = area.mVolume > 0 ? ActualMass(area.mDevice) / area.mVolume : 0;
  return "BELOW UL MINIMUM (" + FormatDensity(selected) + " selected, minimum " +
         FormatDensity(ULMinimumDensity(area.mHazard)) + ")";
}

bool AreaErrorLines(const CArea& area, CTextLines& list)
{
  ErrorLabels(area.mFlags, list);
  if (area.mWarnings & AW_BELOW_UL_DENSITY)
    list.Add(ULShortfallLine(area));
  return !list.Empty();
}

std::string SizeText(const CArea& area, double value, UnitSystem units, int power)
{
  return (area.mFlags & AF_SIZE_OUT_OF_RANGE) ? "INVALID" : FormatMeasure(value, units, power);
}

std::string VolumeTitle(const CArea& area)
{
  std::string title = "Volume";
  if (!area.mName.empty())
    title += " \"" + area.mName + "\"";
  title += ":";
  return title;
}

CArea::CArea(CProject* owner) : mOwner(owner), mVentTable(this) { CalculateArea(); }

CArea::CArea(CProject* owner, std::string name, int hazard)
  : mOwner(owner), mVentTable(this), mName(std::move(name)), mHazard(hazard)
{
  CalculateArea();
}

CArea::CArea(CProject* owner, const CArea& source)
    : mOwner(owner), mNotes(source.mNotes), mIncludeNotes(source.mIncludeNotes), mVentTable(this),
      mDevice(source.mDevice), mName(source.mName), mHazard(source.mHazard),
      mLength(source.mLength), mWidth(source.mWidth), mHeight(source.mHeight), mId(source.mId)
{
  mVentTable.Assign(source.mVentTable);
  CalculateArea();
}

void CArea::CalculateArea()
{
  bool openingsInRange = true;
  const double floorArea = MeasureVolumeAndOpenings(openingsInRange);
  ClearStatus();
  SumOpeningsBySide(floorArea);
  const bool validHazard = CheckHazard();
  const bool finite = CheckVolume(openingsInRange);
  if (mVolume != 0 && finite)
  {
    RateLeakage();
    LimitCableTunnel(validHazard);
    RateUpperOpenings();
    ApplyLeakageBand();
  }
  LookUpK2();
  TakeHazardK3();
  LookUpStandardConcentration();
  CalculateRequiredMass(finite);
  CheckULDensity();
}

// The openings calculated and summed by kind, and the volume; gives the
// floor area, and whether every opening's lengths are in range.
double CArea::MeasureVolumeAndOpenings(bool& openingsInRange)
{
  const CVentSums sums = mVentTable.CalculateAll();
  openingsInRange = sums.mInRange;
  const double floorArea = mLength * mWidth;
  mVolume = floorArea * mHeight;
  mSizeVentWallUpper = sums.mWallUpper;
  mSizeVentWallLower = sums.mWallLower;
  mSizeVentCeiling = sums.mCeiling;
  mSizeVentFloor = sums.mFloor;
  return floorArea;
}

void CArea::ClearStatus()
{
  mFlags = 0;
  mWarnings = 0;
}

// The openings above and below, all of them, and the closed surface.
void CArea::SumOpeningsBySide(double floorArea)
{
  mSizeVentUpper = mSizeVentCeiling + mSizeVentWallUpper;
  mSizeVentLower = mSizeVentFloor + mSizeVentWallLower;
  mSizeOpen = mSizeVentWallUpper + mSizeVentWallLower + mSizeVentCeiling + mSizeVentFloor;
  mSizeClosed = 2 * ((mLength + mWidth) * mHeight + floorArea) - mSizeOpen;
}

bool CArea::CheckHazard()
{
  const bool validHazard = IsValidHazard(mHazard);
  if (!validHazard)
    mFlags |= AF_INVALID_HAZARD;
  return validHazard;
}

// Flags a zero volume; true when every input of the figures is in range
// and every size is finite. Anything else can only come from damaged data
// (the setters, the entry and the import refuse it): it is flagged, and no
// figure is derived from it.
bool CArea::CheckVolume(bool openingsInRange)
{
  const bool finite = openingsInRange && IsLengthInRange(mLength) && IsLengthInRange(mWidth) &&
                      IsLengthInRange(mHeight) && std::isfinite(mVolume) &&
                      std::isfinite(mSizeOpen) && std::isfinite(mSizeClosed);
  if (!finite)
    mFlags |= AF_SIZE_OUT_OF_RANGE;
  if (mVolume == 0)
    mFlags |= AF_ZERO_VOLUME;
  return finite;
}

// The leakage ratios: open to closed surface (LR), open surface to volume (LP).
void CArea::RateLeakage()
{
  mLR = mSizeOpen / mSizeClosed;
  mLP = mSizeOpen / mVolume;
  mFlags |= AF_LR_VALID | AF_LP_VALID;
}

// Cable tunnels have limits of their own on volume and leakage.
void CArea::LimitCableTunnel(bool validHazard)
{
  if (validHazard && IsCableTunnel(mHazard))
  {
    if (mVolume > 3000)
      mFlags |= AF_EXCESS_VOLUME;
    if (mLP > 0.01)
      mFlags |= AF_EXCESS_LP;
  }
}

// The share of the openings that lies above (LH).
void CArea::RateUpperOpenings()
{
  if (mSizeOpen == 0)
  {
    mFlags |= AF_NO_OPENINGS;
    mLH = 0;
  }
  else
  {
    mLH = mSizeVentUpper / mSizeOpen;
    mFlags |= AF_LH_VALID;
  }
}

// The leakage band the LR falls in sets the height factor K1 and the limits
// on height, LP and volume.
void CArea::ApplyLeakageBand()
{
  if (mLR > 0.02)
  {
    mFlags |= AF_EXCESS_LR;
  }
  else if (mLR > 0.01)
  {
    if (mHeight > 6.0)
      mFlags |= AF_EXCESS_HEIGHT;
    else
    {
      mK1 = HeightFactorLeaky(mHeight);
      mFlags |= AF_K1_VALID;
    }
    if (mLP > 0.2)
      mFlags |= AF_EXCESS_LP;
    if (mVolume > 3000)
      mFlags |= AF_EXCESS_VOLUME;
  }
  else
  {
    if (mHeight > 8.0)
      mFlags |= AF_EXCESS_HEIGHT;
    else
    {
      mK1 = HeightFactorTight(mHeight);
      mFlags |= AF_K1_VALID;
    }
    if (mLP > 0.04)
      mFlags |= AF_EXCESS_LP;
    const double limit = mLR > 0.005 ? 5000 : 10000;
    if (mVolume > limit)
      mFlags |= AF_EXCESS_VOLUME;
  }
}

void CArea::LookUpK2()
{
  if (LookupK2(mLP, mLH, mK2))
    mFlags |= AF_K2_VALID;
  else
    mK2 = 0;
}

void CArea::TakeHazardK3()
{
  mK3 = HazardK3(mHazard);
  mFlags |= AF_K3_VALID;
}

void CArea::LookUpStandardConcentration()
{
  if (StandardConcentration(mHazard, mConcentrationStandard))
    mFlags |= AF_CSTD_VALID;
}

// The required concentration and mass, when every factor they need is known.
void CArea::CalculateRequiredMass(bool finite)
{
  if ((mFlags & AF_CREQ_NEEDS) == AF_CREQ_NEEDS && !(mFlags & AF_ZERO_VOLUME) && finite)
  {
    mFlags |= AF_CREQ_VALID;
    mConcentrationRequired = ((mK1 * mConcentrationStandard) * mK2) * mK3;
    mMassRequired = mConcentrationRequired * mVolume;
  }
}

void CArea::CheckULDensity()
{
  if ((mFlags & AF_CREQ_VALID) && BelowULDensity(ActualMass(mDevice), mVolume, mHazard))
    mWarnings |= AW_BELOW_UL_DENSITY;
}

bool CArea::Differs(const CArea& other) const
{
  return mVentTable.Differs(other.mVentTable) || mName != other.mName ||
         mHazard != other.mHazard || mLength != other.mLength || mWidth != other.mWidth ||
         mHeight != other.mHeight || mDevice != other.mDevice || mNotes != other.mNotes ||
         mIncludeNotes != other.mIncludeNotes;
}

void CArea::SetHazard(int hazard) { mHazard = IsValidHazard(hazard) ? hazard : -1; }

bool CArea::SetLength(double metres)
{
  if (!IsUsableLength(metres))
    return false;
  mLength = metres;
  return true;
}

bool CArea::SetWidth(double metres)
{
  if (!IsUsableLength(metres))
    return false;
  mWidth = metres;
  return true;
}

bool CArea::SetHeight(double metres)
{
  if (!IsUsableLength(metres))
    return false;
  mHeight = metres;
  return true;
}

void CArea::SetDeviceCount(int model, std::uint32_t count)
{
  if (static_cast<unsigned>(model) < DeviceModelCount)
    mDevice[static_cast<unsigned>(model)] = count;
}

std::uint32_t CArea::DeviceCount(int model) const
{
  return static_cast<unsigned>(model) < DeviceModelCount ? mDevice[static_cast<unsigned>(model)] : 0;
}

std::uint32_t CArea::Units() const { return mOwner ? mOwner->mUnits : 0; }
