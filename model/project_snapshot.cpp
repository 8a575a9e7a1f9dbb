#include "model/project_snapshot.h"

#include "model/project.h"

CProjectSnapshot::CVentRecord CProjectSnapshot::Record(const CVent& vent)
{
  // The upper share of a ceiling or floor opening is fixed by its kind, as
  // the opening's calculation sets it.
  return {vent.mType, vent.mShape, vent.mWidth, vent.mHeight,
          CVent::UpperShare(vent.mType, vent.mUpper)};
}

CProjectSnapshot::CProjectSnapshot(const CProject& p, CMatches matches)
  : mName(p.mName), mPath(p.mPath), mUnits(0), mIncludeNotes(false), mMatches(std::move(matches))
{
}

CProjectSnapshot::CProjectSnapshot(const CProject& p)
  : mName(p.mName), mPath(p.mPath), mProject_Date(p.mProject_Date),
    mProject_Reference(p.mProject_Reference), mProject_Designer(p.mProject_Designer),
    mDistributor(p.mDistributor), mDistributor_Reference(p.mDistributor_Reference),
    mCustomer(p.mCustomer), mCustomer_Reference(p.mCustomer_Reference), mUnits(p.mUnits),
    mNotes(p.mNotes), mIncludeNotes(p.mIncludeNotes)
{
  const CAreaTable& table = p.mAreaTable;
  std::size_t vents = 0;
  for (std::size_t i = 0; i < table.Count(); ++i)
    vents += table.Get(i)->mVentTable.Count();
  mAreas.reserve(table.Count());
  mVents.reserve(vents);
  for (std::size_t i = 0; i < table.Count(); ++i)
  {
    const CArea& a = *table.Get(i);
    mAreas.push_back({a.mName, a.mNotes, a.mIncludeNotes, a.mHazard, a.mLength, a.mWidth,
                      a.mHeight, a.mDevice, a.mVentTable.Count()});
    for (std::size_t v = 0; v < a.mVentTable.Count(); ++v)
      mVents.push_back(Record(*a.mVentTable.Get(v)));
  }
}

bool CProjectSnapshot::Same(const CAreaRecord& r, const CArea& a)
{
  return r.mName == a.mName && r.mHazard == a.mHazard && r.mLength == a.mLength &&
         r.mWidth == a.mWidth && r.mHeight == a.mHeight && r.mDevice == a.mDevice &&
         r.mNotes == a.mNotes && r.mIncludeNotes == a.mIncludeNotes &&
         r.mVents == a.mVentTable.Count();
}

bool CProjectSnapshot::Differs(const CProject& p) const
{
  if (mMatches)
    return mName != p.mName || mPath != p.mPath || !mMatches(p);
  if (mName != p.mName || mPath != p.mPath || mProject_Date != p.mProject_Date ||
      mProject_Reference != p.mProject_Reference || mProject_Designer != p.mProject_Designer)
    return true;
  if (mDistributor != p.mDistributor || mDistributor_Reference != p.mDistributor_Reference ||
      mCustomer != p.mCustomer || mCustomer_Reference != p.mCustomer_Reference)
    return true;
  if (mUnits != p.mUnits || mNotes != p.mNotes || mIncludeNotes != p.mIncludeNotes)
    return true;
  const CAreaTable& table = p.mAreaTable;
  if (table.Count() != mAreas.size())
    return true;
  std::size_t next = 0;
  for (std::size_t i = 0; i < table.Count(); ++i)
  {
    const CArea& area = *table.Get(i);
    if (!Same(mAreas[i], area))
      return true;
    for (std::size_t v = 0; v < area.mVentTable.Count(); ++v)
    {
      const CVent& vent = *area.mVentTable.Get(v);
      const CVentRecord& r = mVents[next++];
      // Compared as the opening's own change test compares: its inputs as they stand.
      if (r.mType != vent.mType || r.mShape != vent.mShape || r.mWidth != vent.mWidth ||
          r.mHeight != vent.mHeight || r.mUpper != vent.mUpper)
        return true;
    }
  }
  return false;
}
