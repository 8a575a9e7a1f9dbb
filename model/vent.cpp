#include "model/vent.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <vector>

namespace
{
std::int32_t gVentSerial = 0;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false; // the sanitizer sees every opening's lifetime
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

// Fixed-size places for openings, taken from blocks that are never given
// back: a freed place goes on a list and is the next one handed out. Each
// thread has its own list and block; the blocks of all threads stay listed
// in one place for the whole run, so a place freed by another thread than
// the one that made it stays valid memory.
class CVentPool
{
public:
  void* Take()
  {
    if (mFree)
    {
      CPlace* place = mFree;
      mFree = place->mNext;
      return place;
    }
    if (mNext == mEnd)
      NewBlock();
    void* place = mNext;
    mNext += kPlaceSize;
    return place;
  }
  void Give(void* p)
  {
    auto* place = static_cast<CPlace*>(p);
    place->mNext = mFree;
    mFree = place;
  }

  static constexpr std::size_t kPlaceSize =
    (sizeof(CVent) + alignof(CVent) - 1) / alignof(CVent) * alignof(CVent);

private:
  struct CPlace
  {
    CPlace* mNext;
  };
  static_assert(kPlaceSize >= sizeof(CPlace));
  static constexpr std::size_t kPlacesPerBlock = 1024;

  void NewBlock()
  {
    char* block = static_cast<char*>(::operator new(kPlaceSize * kPlacesPerBlock));
    {
      static std::mutex mutex;
      static std::vector<char*>* blocks = new std::vector<char*>;
      std::lock_guard<std::mutex> lock(mutex);
      blocks->push_back(block);
    }
    mNext = block;
    mEnd = block + kPlaceSize * kPlacesPerBlock;
  }

  CPlace* mFree = nullptr;
  char* mNext = nullptr;
  char* mEnd = nullptr;
};

CVentPool& Pool()
{
  thread_local CVentPool pool;
  return pool;
}
} // namespace

void* CVent::operator new(std::size_t size)
{
  if (!kPooled || size != sizeof(CVent))
    return ::operator new(size);
  return Pool().Take();
}

void CVent::operator delete(void* p, std::size_t size) noexcept
{
  if (!p)
    return;
  if (!kPooled || size != sizeof(CVent))
    ::operator delete(p);
  else
    Pool().Give(p);
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
  mUpper = UpperShare(mType, mUpper);
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
    vent->CalculateVent();
    AddToSums(sums, *vent);
  }
  return sums;
}

CVentSums CVentTable::Sums() const
{
  CVentSums sums;
  for (const auto& vent : mVents)
    AddToSums(sums, *vent);
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
