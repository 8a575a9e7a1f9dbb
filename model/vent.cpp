#include "model/vent.h"

#include "text/number_format.h"

#include <algorithm>
#include <vector>

const char* VentTypeName(std::int32_t type)
{
  switch (type)
  {
  case VENT_WALL:
    return "WALL";
  case VENT_CEILING:
    return "CEILING";
  case VENT_FLOOR:
    return "FLOOR";
  default:
    return "";
  }
}

const char* VentShapeName(std::int32_t shape)
{
  switch (shape)
  {
  case SHAPE_RECTANGULAR:
    return "RECTANGULAR";
  case SHAPE_CIRCULAR:
    return "CIRCULAR";
  default:
    return "";
  }
}

std::string VentRefusalText(const CVentValues& values, UnitSystem units)
{
  auto taken = [](double metres) { return metres == 0 || IsUsableLength(metres); };
  const bool circular = values.mShape != SHAPE_RECTANGULAR;
  if (!taken(values.mWidth))
    return LengthRefusalText(circular ? "diameter" : "width", values.mWidth, units);
  if (!circular && !taken(values.mHeight))
    return LengthRefusalText("height", values.mHeight, units);
  const double upper = CVent::UpperShare(values.mType, values.mUpper);
  if (!(upper >= 0 && upper <= 1))
    return "The upper share must be from 0% to 100%.";
  return {};
}

std::string CVent::SizeText(double area, UnitSystem units) const
{
  return AreaValid(area) ? FormatMeasure(area, units, 2) : "INVALID";
}

bool CVent::Differs(const CVent& other) const
{
  return mType != other.mType || mShape != other.mShape || mWidth != other.mWidth ||
         mHeight != other.mHeight || mUpper != other.mUpper;
}

void CVent::SetValues(const CVentValues& values)
{
  mType = values.mType;
  mShape = values.mShape;
  mWidth = values.mWidth;
  mHeight = values.mHeight;
  mUpper = values.mUpper;
}

CVent* CVentTable::AddCopy(const CVent& vent)
{
  // The source may be one of this table's own openings, which growing the
  // table would move: the copy is made first.
  CVent copy(mOwner, vent);
  return &mVents.emplace_back(std::move(copy));
}

bool CVentTable::Remove(std::size_t index)
{
  if (index >= mVents.size())
    return false;
  mVents.erase(mVents.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

bool CVentTable::SetValues(std::size_t index, const CVentValues& values)
{
  CVent* vent = Get(index);
  if (!vent)
    return false;
  vent->SetValues(values);
  return true;
}

namespace
{
void AddToSums(CVentSums& sums, const CVent& vent)
{
  switch (vent.mType)
  {
  case VENT_WALL:
    sums.mWallUpper += vent.mSizeUpper;
    sums.mWallLower += vent.mSizeLower;
    break;
  case VENT_CEILING:
    sums.mCeiling += vent.mSize;
    break;
  case VENT_FLOOR:
    sums.mFloor += vent.mSize;
    break;
  default:
    break;
  }
}
} // namespace

CVentSums CVentTable::CalculateAll()
{
  // One pass: a volume's openings are visited once, not once to calculate
  // and again to sum.
  CVentSums sums;
  for (auto& vent : mVents)
  {
    vent.CalculateVent();
    AddToSums(sums, vent);
    sums.mInRange = sums.mInRange & vent.LengthsInRange();
  }
  return sums;
}

CVentSums CVentTable::Sums() const
{
  CVentSums sums;
  for (const auto& vent : mVents)
    AddToSums(sums, vent);
  return sums;
}

void CVentTable::Sort()
{
  // A stable sort keeps equal openings (a duplicate and its source) in place.
  std::stable_sort(mVents.begin(), mVents.end(),
                   [](const CVent& a, const CVent& b)
                   {
                     if (a.mType != b.mType)
                       return a.mType < b.mType;
                     if (a.mSize != b.mSize)
                       return a.mSize > b.mSize;
                     return a.mSerial < b.mSerial;
                   });
}

bool CVentTable::Differs(const CVentTable& other) const
{
  if (mVents.size() != other.mVents.size())
    return true;
  for (std::size_t i = 0; i < mVents.size(); ++i)
    if (mVents[i].Differs(other.mVents[i]))
      return true;
  return false;
}

void CVentTable::Assign(const CVentTable& other)
{
  if (&other == this)
    return;
  mVents.clear();
  mVents.reserve(other.mVents.size());
  for (const auto& vent : other.mVents)
    mVents.emplace_back(mOwner, vent);
}
