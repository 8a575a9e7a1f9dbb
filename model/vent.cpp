#include "model/vent.h"

#include <algorithm>
#include <cmath>

namespace
{
std::int32_t gVentSerial = 0;
}

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

std::int32_t CVent::NextSerial() { return gVentSerial++; }

CVent::CVent(CArea* owner) : mSerial(NextSerial()), mOwner(owner) { CalculateVent(); }

CVent::CVent(CArea* owner, std::int32_t type, std::int32_t shape, double width, double height,
             double upper)
  : mSerial(NextSerial()), mOwner(owner), mType(type), mShape(shape), mWidth(width),
    mHeight(height), mUpper(upper)
{
  CalculateVent();
}

CVent::CVent(CArea* owner, const CVent& source)
  : mSerial(source.mSerial), mOwner(owner), mType(source.mType), mShape(source.mShape),
    mWidth(source.mWidth), mHeight(source.mHeight), mUpper(source.mUpper)
{
  CalculateVent();
}

void CVent::CalculateVent()
{
  if (mShape != 0)
  {
    const double pi = std::acos(-1.0);
    const double r = mWidth * 0.5;
    mSize = pi * (r * r);
  }
  else
  {
    mSize = mWidth * mHeight;
  }
  if (mType == VENT_CEILING)
    mUpper = 1;
  else if (mType == VENT_FLOOR)
    mUpper = 0;
  mLower = 1 - mUpper;
  mSizeUpper = mSize * mUpper;
  mSizeLower = mSize * mLower;
}

bool CVent::Differs(const CVent& other) const
{
  return mType != other.mType || mShape != other.mShape || mWidth != other.mWidth ||
         mHeight != other.mHeight || mUpper != other.mUpper;
}

bool CVent::Edit(CVentEditor& editor)
{
  CVentValues values = Values();
  if (!editor.EditVent("Edit Opening", values))
    return false;
  mType = values.mType;
  mShape = values.mShape;
  mWidth = values.mWidth;
  mHeight = values.mHeight;
  mUpper = values.mUpper;
  return true;
}

CVent* CVentTable::Get(std::size_t index) const
{
  return index < mVents.size() ? mVents[index].get() : nullptr;
}

CVent* CVentTable::Add(std::int32_t type, std::int32_t shape, double width, double height,
                       double upper)
{
  mVents.push_back(std::make_unique<CVent>(mOwner, type, shape, width, height, upper));
  return mVents.back().get();
}

CVent* CVentTable::AddCopy(const CVent& vent)
{
  mVents.push_back(std::make_unique<CVent>(mOwner, vent));
  return mVents.back().get();
}

bool CVentTable::Remove(std::size_t index)
{
  if (index >= mVents.size())
    return false;
  mVents.erase(mVents.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

bool CVentTable::Edit(std::size_t index, CVentEditor& editor)
{
  CVent* vent = Get(index);
  return vent != nullptr && vent->Edit(editor);
}

void CVentTable::CalculateAll()
{
  for (auto& vent : mVents)
    vent->CalculateVent();
}

CVentSums CVentTable::Sums() const
{
  CVentSums sums;
  for (const auto& vent : mVents)
  {
    switch (vent->mType)
    {
    case VENT_WALL:
      sums.mWallUpper += vent->mSizeUpper;
      sums.mWallLower += vent->mSizeLower;
      break;
    case VENT_CEILING:
      sums.mCeiling += vent->mSize;
      break;
    case VENT_FLOOR:
      sums.mFloor += vent->mSize;
      break;
    default:
      break;
    }
  }
  return sums;
}

void CVentTable::Sort()
{
  // A stable sort keeps equal openings (a duplicate and its source) in place.
  std::stable_sort(mVents.begin(), mVents.end(),
                   [](const std::unique_ptr<CVent>& a, const std::unique_ptr<CVent>& b)
                   {
                     if (a->mType != b->mType)
                       return a->mType < b->mType;
                     if (a->mSize != b->mSize)
                       return a->mSize > b->mSize;
                     return a->mSerial < b->mSerial;
                   });
}

bool CVentTable::Differs(const CVentTable& other) const
{
  if (mVents.size() != other.mVents.size())
    return true;
  for (std::size_t i = 0; i < mVents.size(); ++i)
    if (mVents[i]->Differs(*other.mVents[i]))
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
    mVents.push_back(std::make_unique<CVent>(mOwner, *vent));
}
