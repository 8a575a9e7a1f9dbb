#include "model/project.h"

#include "model/text_lines.h"
#include "text/units.h"

#include <algorithm>
#include <ctime>

namespace
{
CAddress gDefaultDistributor;

bool NameLess(const std::string& a, std::string_view b)
{
  // std::string compares char_traits<char>, which orders as unsigned bytes.
  return std::string_view(a) < b;
}
} // namespace

const CAddress& DefaultDistributor() { return gDefaultDistributor; }
void SetDefaultDistributor(const CAddress& address) { gDefaultDistributor = address; }

std::string VolumeTitle(const CArea& area)
{
  std::string title = "Volume";
  if (!area.mName.empty())
    title += " \"" + area.mName + "\"";
  title += ":";
  return title;
}

std::string TodayDate()
{
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr)
    return {};
  char buffer[128];
  std::size_t n = std::strftime(buffer, sizeof buffer, "%x", &local);
  return std::string(buffer, n);
}

std::uint32_t CArea::Units() const { return mOwner ? mOwner->mUnits : 0; }

// ---- CAreaTable

CArea* CAreaTable::Find(std::string_view name, std::size_t* position) const
{
  std::size_t lo = 0;
  std::size_t hi = mAreas.size();
  while (lo < hi)
  {
    std::size_t mid = lo + (hi - lo) / 2;
    const std::string& key = mAreas[mid]->mName;
    if (NameLess(key, name))
      lo = mid + 1;
    else if (std::string_view(key) == name)
    {
      if (position)
        *position = mid;
      return mAreas[mid].get();
    }
    else
      hi = mid;
  }
  if (position)
    *position = lo;
  return nullptr;
}

bool CAreaTable::AddNew(std::string_view name, int hazard)
{
  std::string clean = CollapseSpaces(name);
  if (clean.empty())
    return false;
  std::size_t position = 0;
  if (Find(clean, &position))
    return false;
  mAreas.insert(mAreas.begin() + static_cast<std::ptrdiff_t>(position),
                std::make_unique<CArea>(mOwner, std::move(clean), hazard));
  return true;
}

bool CAreaTable::Insert(std::unique_ptr<CArea> area)
{
  if (!area)
    return false;
  // A saved file lists its volumes in name order: each goes at the end
  // without a search, so reading a file takes time in step with its size.
  if (mAreas.empty() || NameLess(mAreas.back()->mName, area->mName))
  {
    area->mOwner = mOwner;
    mAreas.push_back(std::move(area));
    return true;
  }
  std::size_t position = 0;
  if (Find(area->mName, &position))
    return false;
  area->mOwner = mOwner;
  mAreas.insert(mAreas.begin() + static_cast<std::ptrdiff_t>(position), std::move(area));
  return true;
}

void CAreaTable::RemoveByName(std::string_view name)
{
  std::size_t position = 0;
  if (Find(name, &position))
    mAreas.erase(mAreas.begin() + static_cast<std::ptrdiff_t>(position));
}

bool CAreaTable::Differs(const CAreaTable& other) const
{
  if (mAreas.size() != other.mAreas.size())
    return true;
  for (std::size_t i = 0; i < mAreas.size(); ++i)
    if (mAreas[i]->Differs(*other.mAreas[i]))
      return true;
  return false;
}

void CAreaTable::Assign(const CAreaTable& other)
{
  if (&other == this)
    return;
  mAreas.clear();
  mAreas.reserve(other.mAreas.size());
  for (const auto& area : other.mAreas)
    mAreas.push_back(std::make_unique<CArea>(mOwner, *area));
}

void CAreaTable::TakeFrom(CAreaTable& other)
{
  if (&other == this)
    return;
  mAreas = std::move(other.mAreas);
  other.mAreas.clear();
  for (const auto& area : mAreas)
    area->mOwner = mOwner;
}

// ---- CProject

CProject::CProject() : mAreaTable(this), mDistributor(DefaultDistributor()) {}

CProject::~CProject() = default;

void CProject::SetName(std::string_view name)
{
  mName = std::string(name);
  mPath = mName + ".ad";
  mProject_Date = TodayDate();
}

void CProject::SetProjectReference(std::string_view text) { mProject_Reference = CollapseSpaces(text); }

void CProject::SetDistributorReference(std::string_view text)
{
  mDistributor_Reference = CollapseSpaces(text);
}

void CProject::SetCustomerReference(std::string_view text)
{
  mCustomer_Reference = CollapseSpaces(text);
}

bool CProject::SetUnits(std::uint32_t units)
{
  if (units >= UnitSystemCount)
    return false;
  mUnits = units;
  return true;
}

bool CProject::IsModified() const
{
  if (!mSaved || mVersion != kCurrentFileVersion)
    return true;
  return mSaved->Differs(*this);
}

std::uint32_t CProject::CombinedWarnings() const
{
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    bits |= mAreaTable.Get(i)->mWarnings;
  return bits;
}

std::vector<std::string> CProject::VolumesBelowULDensity() const
{
  std::vector<std::string> names;
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    if (const CArea* area = mAreaTable.Get(i); area->mWarnings & AW_BELOW_UL_DENSITY)
      names.push_back(area->mName);
  return names;
}

void CProject::CopyFrom(const CProject& other)
{
  if (&other == this)
    return;
  mNotes = other.mNotes;
  mIncludeNotes = other.mIncludeNotes;
  mAreaTable.Assign(other.mAreaTable);
  mName = other.mName;
  mPath = other.mPath;
  mProject_Date = other.mProject_Date;
  mProject_Reference = other.mProject_Reference;
  mProject_Designer = other.mProject_Designer;
  mDistributor = other.mDistributor;
  mDistributor_Reference = other.mDistributor_Reference;
  mCustomer = other.mCustomer;
  mCustomer_Reference = other.mCustomer_Reference;
  mUnits = other.mUnits;
  mVersion = other.mVersion;
}

void CProject::TakeFrom(CProject& other)
{
  if (&other == this)
    return;
  mNotes = std::move(other.mNotes);
  mIncludeNotes = other.mIncludeNotes;
  mAreaTable.TakeFrom(other.mAreaTable);
  mName = std::move(other.mName);
  mPath = std::move(other.mPath);
  mProject_Date = std::move(other.mProject_Date);
  mProject_Reference = std::move(other.mProject_Reference);
  mProject_Designer = std::move(other.mProject_Designer);
  mDistributor = std::move(other.mDistributor);
  mDistributor_Reference = std::move(other.mDistributor_Reference);
  mCustomer = std::move(other.mCustomer);
  mCustomer_Reference = std::move(other.mCustomer_Reference);
  mUnits = other.mUnits;
  mVersion = other.mVersion;
}

void CProject::TakeSnapshot() { mSaved = std::make_unique<CProjectSnapshot>(*this); }

// ---- CProjectSnapshot

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

void CProject::RecalculateProject()
{
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    mAreaTable.Get(i)->CalculateArea();
  if (mRecalculated)
    mRecalculated();
}

void CProject::ErrorSummary(CTextLines& lines) const
{
  lines.Clear();
  CTextLines labels;
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
  {
    const CArea& area = *mAreaTable.Get(i);
    if (i > 0)
      lines.Add("");
    lines.Add(VolumeTitle(area));
    lines.Add("");
    if (AreaErrorLines(area, labels))
    {
      for (const std::string& label : labels)
        lines.Add("\t" + label);
    }
    else
    {
      lines.Add("\tNO ERRORS");
    }
  }
}

double CProject::TotalVolume() const
{
  double total = 0;
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    total += mAreaTable.Get(i)->mVolume;
  return total;
}

CDeviceCounts CProject::TotalDevices() const
{
  CDeviceCounts total{};
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    for (int m = 0; m < DeviceModelCount; ++m)
      total[m] += mAreaTable.Get(i)->mDevice[m];
  return total;
}

