#include "model/area_table.h"

#include "model/area.h"
#include "text/text_cleaners.h"

#include <algorithm>

namespace
{
bool NameLess(const std::string& a, std::string_view b)
{
  // std::string compares char_traits<char>, which orders as unsigned bytes.
  return std::string_view(a) < b;
}
} // namespace

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

CArea* CAreaTable::FindId(CVolumeId id) const
{
  if (id == 0)
    return nullptr;
  for (const auto& area : mAreas)
    if (area->mId == id)
      return area.get();
  return nullptr;
}

void CAreaTable::Identify(CArea& area)
{
  if (area.mId == 0)
    area.mId = ++mLastId;
  else
    mLastId = std::max(mLastId, area.mId);
}

bool CAreaTable::AddNew(std::string_view name, int hazard)
{
  std::string clean = CollapseSpaces(name);
  if (clean.empty())
    return false;
  std::size_t position = 0;
  if (Find(clean, &position))
    return false;
  auto area = std::make_unique<CArea>(mOwner, std::move(clean), hazard);
  Identify(*area);
  mAreas.insert(mAreas.begin() + static_cast<std::ptrdiff_t>(position), std::move(area));
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
    Identify(*area);
    area->mOwner = mOwner;
    mAreas.push_back(std::move(area));
    return true;
  }
  std::size_t position = 0;
  if (Find(area->mName, &position))
    return false;
  Identify(*area);
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

std::unique_ptr<CArea> CAreaTable::Take(CVolumeId id)
{
  for (auto it = mAreas.begin(); it != mAreas.end(); ++it)
    if ((*it)->mId == id)
    {
      std::unique_ptr<CArea> area = std::move(*it);
      mAreas.erase(it);
      return area;
    }
  return nullptr;
}

bool CAreaTable::Rename(CVolumeId id, std::string_view name)
{
  std::string clean = CollapseSpaces(name);
  const CArea* volume = FindId(id);
  if (clean.empty() || !volume)
    return false;
  if (clean == volume->mName)
    return true;
  if (Find(clean))
    return false;
  std::unique_ptr<CArea> area = Take(id);
  area->mName = std::move(clean);
  return Insert(std::move(area));
}

void CAreaTable::Rename(const std::vector<std::pair<CVolumeId, std::string>>& names)
{
  std::vector<std::unique_ptr<CArea>> taken;
  for (const auto& [id, name] : names)
    if (std::unique_ptr<CArea> area = Take(id))
    {
      area->mName = name;
      taken.push_back(std::move(area));
    }
  for (std::unique_ptr<CArea>& area : taken)
    Insert(std::move(area));
}

bool CAreaTable::AddCopy(const CArea& source, std::string_view name)
{
  std::string clean = CollapseSpaces(name);
  if (clean.empty() || Find(clean))
    return false;
  auto copy = std::make_unique<CArea>(mOwner, source);
  copy->mId = 0; // a volume of its own
  copy->mName = std::move(clean);
  return Insert(std::move(copy));
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
  mLastId = other.mLastId;
}

void CAreaTable::TakeFrom(CAreaTable& other)
{
  if (&other == this)
    return;
  mAreas = std::move(other.mAreas);
  other.mAreas.clear();
  // New volumes to this table: identities of its own, none it gave before.
  for (const auto& area : mAreas)
  {
    area->mOwner = mOwner;
    area->mId = ++mLastId;
  }
}
