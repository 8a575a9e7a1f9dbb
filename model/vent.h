#pragma once
// Openings in the boundary of a volume and the table that holds them.

#include "model/length_range.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

class CArea;

// `yes` when the condition holds, otherwise `no`, bit for bit and without a
// branch: the openings of a volume are sorted by kind but come in no order
// of shape, and a choice the processor cannot foresee costs it more than
// working out both areas.
inline double Choose(bool condition, double yes, double no)
{
  const std::uint64_t mask = std::uint64_t{0} - static_cast<std::uint64_t>(condition);
  return std::bit_cast<double>((std::bit_cast<std::uint64_t>(yes) & mask) |
                               (std::bit_cast<std::uint64_t>(no) & ~mask));
}

constexpr std::int32_t VENT_WALL = 0;
constexpr std::int32_t VENT_CEILING = 1;
constexpr std::int32_t VENT_FLOOR = 2;
constexpr std::int32_t SHAPE_RECTANGULAR = 0;
constexpr std::int32_t SHAPE_CIRCULAR = 1;

// "WALL", "CEILING", "FLOOR"; empty for any other value.
const char* VentTypeName(std::int32_t type);
// "RECTANGULAR", "CIRCULAR"; empty for any other value.
const char* VentShapeName(std::int32_t shape);

// The values an opening editor works on.
struct CVentValues
{
  std::int32_t mType = VENT_WALL;
  std::int32_t mShape = SHAPE_RECTANGULAR;
  double mWidth = 0;
  double mHeight = 0;
  double mUpper = 1.0;
};

// Why an opening's values cannot be taken, in the unit system's unit; empty
// when they can. Its lengths (the width or diameter, and the height of a
// rectangular opening) must be 0 or usable lengths, a wall opening's upper
// share from 0 to 1.
std::string VentRefusalText(const CVentValues& values, UnitSystem units);

// The constructors and the calculation are inline: reading a large project
// makes hundreds of thousands of openings in one go.
class CVent
{
public:
  explicit CVent(CArea* owner) : mSerial(NextSerial()), mOwner(owner) { CalculateVent(); }
  CVent(CArea* owner, std::int32_t type, std::int32_t shape, double width, double height,
        double upper)
    : mSerial(NextSerial()), mOwner(owner), mType(type), mShape(shape), mWidth(width),
      mHeight(height), mUpper(upper)
  {
    CalculateVent();
  }
  CVent(CArea* owner, const CVent& source)
    : mSerial(source.mSerial), mOwner(owner), mType(source.mType), mShape(source.mShape),
      mWidth(source.mWidth), mHeight(source.mHeight), mUpper(source.mUpper)
  {
    CalculateVent();
  }
  // Not copied by accident (a copy keeps the serial only through the
  // constructor above); moved when its table rearranges its openings.
  CVent(const CVent&) = delete;
  CVent& operator=(const CVent&) = delete;
  CVent(CVent&&) noexcept = default;
  CVent& operator=(CVent&&) noexcept = default;

  void CalculateVent()
  {
    // pi is the arc cosine of -1 to the last bit.
    const double r = mWidth * 0.5;
    mSize = Choose(mShape != 0, std::numbers::pi * (r * r), mWidth * mHeight);
    mUpper = UpperShare(mType, mUpper);
    mLower = 1 - mUpper;
    mSizeUpper = mSize * mUpper;
    mSizeLower = mSize * mLower;
  }
  // The upper share an opening of the kind holds once calculated: 1 for a
  // ceiling opening, 0 for a floor opening, as given for a wall opening.
  static double UpperShare(std::int32_t type, double upper)
  {
    return type == VENT_CEILING ? 1 : type == VENT_FLOOR ? 0 : upper;
  }
  // Whether an area of the opening has a meaning: its lengths are in range
  // and the area is a finite number.
  bool AreaValid(double area) const { return LengthsInRange() && std::isfinite(area); }
  // An area of the opening as shown, with FormatMeasure; "INVALID" without a meaning.
  std::string SizeText(double area, UnitSystem units) const;
  bool Differs(const CVent& other) const;
  // The lengths that give the area in range: the width, and the height of
  // a rectangular opening (a circular one's height is not used).
  bool LengthsInRange() const
  {
    return IsLengthInRange(mWidth) & (mShape != SHAPE_RECTANGULAR || IsLengthInRange(mHeight));
  }
  // Takes the five inputs over; the figures follow at the next calculation.
  void SetValues(const CVentValues& values);
  CVentValues Values() const { return {mType, mShape, mWidth, mHeight, mUpper}; }
  CArea* Owner() const { return mOwner; }

  // Process-wide sequence of constructed openings (copies keep their source's).
  static std::int32_t NextSerial() { return sSerial++; }

  std::int32_t mSerial;
  CArea* mOwner;
  std::int32_t mType = VENT_WALL;
  std::int32_t mShape = SHAPE_RECTANGULAR;
  double mWidth = 0;
  double mHeight = 0;
  double mUpper = 1.0;
  double mSize = 0;
  double mLower = 0;
  double mSizeUpper = 0;
  double mSizeLower = 0;

  // An opening read from a file: the inputs only. Its figures are made by
  // the calculation of its volume, which follows once the volume is read.
  // Only the table can make the key.
  class CStored
  {
    friend class CVentTable;
    CStored() = default;
  };
  CVent(CArea* owner, std::int32_t type, std::int32_t shape, double width, double height,
        double upper, CStored)
    : mSerial(NextSerial()), mOwner(owner), mType(type), mShape(shape), mWidth(width),
      mHeight(height), mUpper(upper)
  {
  }

private:
  static inline std::int32_t sSerial = 0;
};

struct CVentSums
{
  double mWallUpper = 0;
  double mWallLower = 0;
  double mCeiling = 0;
  double mFloor = 0;
  bool mInRange = true; // every opening's lengths in range (CalculateAll only)
};

// A volume's openings, held side by side in one block: a large project
// holds hundreds of thousands of them, and reading, calculating and
// comparing them is then a walk through contiguous memory. A pointer from
// Get stays valid only until the table next changes (Add, AddCopy, Remove,
// Sort, Assign, Clear).
class CVentTable
{
public:
  explicit CVentTable(CArea* owner) : mOwner(owner) {}
  CVentTable(const CVentTable&) = delete;
  CVentTable& operator=(const CVentTable&) = delete;

  std::size_t Count() const { return mVents.size(); }
  CVent* Get(std::size_t index) { return index < mVents.size() ? &mVents[index] : nullptr; }
  const CVent* Get(std::size_t index) const
  {
    return index < mVents.size() ? &mVents[index] : nullptr;
  }
  CVent* Add(std::int32_t type, std::int32_t shape, double width, double height, double upper)
  {
    return &mVents.emplace_back(mOwner, type, shape, width, height, upper);
  }
  // For the file reader: appends an opening with the inputs it read. Its
  // figures are made by CalculateAll, which the volume's calculation runs
  // before anything reads them.
  void AddStored(std::int32_t type, std::int32_t shape, double width, double height, double upper)
  {
    mVents.emplace_back(mOwner, type, shape, width, height, upper, CVent::CStored{});
  }
  CVent* AddCopy(const CVent& vent);
  bool Remove(std::size_t index);
  // False (nothing changed) for an index out of range.
  bool SetValues(std::size_t index, const CVentValues& values);
  // Calculates every opening; gives their sums, as Sums() would then, and
  // whether the lengths of every opening are in range.
  CVentSums CalculateAll();
  CVentSums Sums() const;
  // Walls, then ceiling, then floor openings; larger area first; older first.
  void Sort();
  bool Differs(const CVentTable& other) const;
  void Assign(const CVentTable& other);
  void Clear() { mVents.clear(); }
  void Reserve(std::size_t n) { mVents.reserve(n); }
  CArea* Owner() const { return mOwner; }

private:
  CArea* mOwner;
  std::vector<CVent> mVents;
};
