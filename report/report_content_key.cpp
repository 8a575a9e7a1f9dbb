#include "report/report_content_key.h"

#include "model/project.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
// Mixes words into a 64-bit key (the finaliser of a well-known 64-bit
// hash after each word), so that any changed field changes the key.
class CKey
{
public:
  void Add(std::uint64_t word)
  {
    std::uint64_t x = mValue ^ (word + 0x9E3779B97F4A7C15ull + (mValue << 6) + (mValue >> 2));
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    x ^= x >> 33;
    mValue = x;
  }
  void Add(double value)
  {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Add(bits);
  }
  void Add(const std::string& text)
  {
    Add(static_cast<std::uint64_t>(text.size()));
    for (std::size_t i = 0; i < text.size(); i += 8)
    {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + i, std::min<std::size_t>(8, text.size() - i));
      Add(word);
    }
  }
  void Add(const CAddress& a)
  {
    for (const std::string* s : {&a.mName, &a.mAddress1, &a.mAddress2, &a.mCity, &a.mState,
                                 &a.mCountry, &a.mZip})
      Add(*s);
  }
  std::uint64_t Value() const { return mValue; }

private:
  std::uint64_t mValue = 0;
};
} // namespace

std::uint64_t ProjectContentKey(const CProject& p)
{
  CKey key;
  for (const std::string* s : {&p.mName, &p.mPath, &p.mProject_Date, &p.mProject_Reference,
                               &p.mProject_Designer, &p.mDistributor_Reference,
                               &p.mCustomer_Reference, &p.mNotes})
    key.Add(*s);
  key.Add(p.mDistributor);
  key.Add(p.mCustomer);
  key.Add(static_cast<std::uint64_t>(p.mUnits) << 1 | (p.mIncludeNotes ? 1 : 0));
  key.Add(static_cast<std::uint64_t>(p.mAreaTable.Count()));
  return key.Value();
}

std::uint64_t VolumeContentKey(const CArea& a)
{
  CKey key;
  key.Add(a.mName);
  key.Add(a.mNotes);
  key.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.mHazard)) << 32 |
          (a.mIncludeNotes ? 1 : 0));
  key.Add(static_cast<std::uint64_t>(a.mFlags) << 32 | a.mWarnings);
  for (std::uint32_t count : a.mDevice)
    key.Add(static_cast<std::uint64_t>(count));
  for (double v : {a.mLength, a.mWidth, a.mHeight, a.mVolume, a.mSizeVentWallUpper,
                   a.mSizeVentWallLower, a.mSizeVentCeiling, a.mSizeVentFloor, a.mSizeClosed,
                   a.mSizeOpen, a.mSizeVentUpper, a.mSizeVentLower, a.mLR, a.mLP, a.mLH, a.mK1,
                   a.mK2, a.mK3, a.mConcentrationStandard, a.mConcentrationRequired,
                   a.mMassRequired})
    key.Add(v);
  key.Add(static_cast<std::uint64_t>(a.mVentTable.Count()));
  for (std::size_t v = 0; v < a.mVentTable.Count(); ++v)
  {
    const CVent& vent = *a.mVentTable.Get(v);
    key.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(vent.mType)) << 32 |
            static_cast<std::uint32_t>(vent.mShape));
    for (double f : {vent.mWidth, vent.mHeight, vent.mUpper, vent.mSize, vent.mLower,
                     vent.mSizeUpper, vent.mSizeLower})
      key.Add(f);
  }
  return key.Value();
}
