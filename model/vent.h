#pragma once
// Openings in the boundary of a volume and the table that holds them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CArea;

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

// Edits the five inputs of an opening; the dialog implements it.
class CVentEditor
{
public:
  virtual ~CVentEditor() = default;
  // Shows the values under the title; true (values updated) when confirmed.
  virtual bool EditVent(const char* title, CVentValues& values) = 0;
};

class CVent
{
public:
  explicit CVent(CArea* owner);
  CVent(CArea* owner, std::int32_t type, std::int32_t shape, double width, double height,
        double upper);
  CVent(CArea* owner, const CVent& source);
  CVent(const CVent&) = delete;
  CVent& operator=(const CVent&) = delete;

  // A large project holds hundreds of thousands of openings, and each one
  // read from a file is made on its own: they are carved from blocks kept
  // for the run instead of taking one general heap allocation each.
  static void* operator new(std::size_t size);
  static void operator delete(void* p, std::size_t size) noexcept;

  void CalculateVent();
  // The upper share an opening of the kind holds once calculated: 1 for a
  // ceiling opening, 0 for a floor opening, as given for a wall opening.
  static double UpperShare(std::int32_t type, double upper)
  {
    return type == VENT_CEILING ? 1 : type == VENT_FLOOR ? 0 : upper;
  }
  bool Differs(const CVent& other) const;
  // Hands the inputs to the editor titled "Edit Opening"; takes them back when confirmed.
  bool Edit(CVentEditor& editor);
  CVentValues Values() const { return {mType, mShape, mWidth, mHeight, mUpper}; }
  CArea* Owner() const { return mOwner; }

  // Process-wide sequence of constructed openings (copies keep their source's).
  static std::int32_t NextSerial();

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
};

struct CVentSums
{
  double mWallUpper = 0;
  double mWallLower = 0;
  double mCeiling = 0;
  double mFloor = 0;
};

class CVentTable
{
public:
  explicit CVentTable(CArea* owner) : mOwner(owner) {}
  CVentTable(const CVentTable&) = delete;
  CVentTable& operator=(const CVentTable&) = delete;

  std::size_t Count() const { return mVents.size(); }
  CVent* Get(std::size_t index) const
  {
    return index < mVents.size() ? mVents[index].get() : nullptr;
  }
  CVent* Add(std::int32_t type, std::int32_t shape, double width, double height, double upper);
  CVent* AddCopy(const CVent& vent);
  bool Remove(std::size_t index);
  bool Edit(std::size_t index, CVentEditor& editor);
  // Calculates every opening; gives their sums, as Sums() would then.
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
  std::vector<std::unique_ptr<CVent>> mVents;
};
