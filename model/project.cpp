#include "model/project.h"

#include "model/text_lines.h"
#include "model/window_notifier.h"
#include "storage/units.h"

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

CArea* CAreaTable::Get(std::size_t index) const
{
  return index < mAreas.size() ? mAreas[index].get() : nullptr;
}

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
  std::size_t position = 0;
  if (!area || Find(area->mName, &position))
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
  const CProject* s = mSaved.get();
  if (!s)
    return true;
  if (mName != s->mName || mPath != s->mPath || mProject_Date != s->mProject_Date ||
      mProject_Reference != s->mProject_Reference || mProject_Designer != s->mProject_Designer)
    return true;
  if (mDistributor != s->mDistributor || mDistributor_Reference != s->mDistributor_Reference ||
      mCustomer != s->mCustomer || mCustomer_Reference != s->mCustomer_Reference)
    return true;
  if (mUnits != s->mUnits || mNotes != s->mNotes)
    return true;
  if (mIncludeNotes != s->mIncludeNotes || mVersion != kCurrentFileVersion)
    return true;
  return mAreaTable.Differs(s->mAreaTable);
}

std::uint32_t CProject::CombinedWarnings() const
{
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    bits |= mAreaTable.Get(i)->mWarnings;
  return bits;
}

std::uint32_t CProject::CombinedFlags() const
{
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    bits |= mAreaTable.Get(i)->mFlags;
  return bits;
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

void CProject::TakeSnapshot()
{
  if (!mSaved)
    mSaved = std::make_unique<CProject>();
  mSaved->CopyFrom(*this);
}

void CProject::RecalculateProject()
{
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    mAreaTable.Get(i)->CalculateArea();
  if (mProjectWindow)
    mProjectWindow->PostRefresh();
  for (std::size_t i = 0; i < mAreaTable.Count(); ++i)
    if (CWindowNotifier* window = mAreaTable.Get(i)->mVolumeWindow)
      window->PostRefresh();
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
    if (ErrorLabels(area.mFlags, labels))
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

// ---- COpenProjects

COpenProjects& OpenProjects()
{
  static COpenProjects projects;
  return projects;
}

std::size_t COpenProjects::LowerBound(std::string_view name) const
{
  std::size_t lo = 0;
  std::size_t hi = mProjects.size();
  while (lo < hi)
  {
    std::size_t mid = lo + (hi - lo) / 2;
    if (NameLess(mProjects[mid]->mName, name))
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

CProject* COpenProjects::Get(std::size_t index) const
{
  return index < mProjects.size() ? mProjects[index].get() : nullptr;
}

CProject* COpenProjects::Find(std::string_view name) const
{
  std::size_t i = LowerBound(name);
  return i < mProjects.size() && mProjects[i]->mName == name ? mProjects[i].get() : nullptr;
}

bool COpenProjects::Insert(std::unique_ptr<CProject> project)
{
  if (!project || Find(project->mName))
    return false;
  std::size_t i = LowerBound(project->mName);
  mProjects.insert(mProjects.begin() + static_cast<std::ptrdiff_t>(i), std::move(project));
  return true;
}

std::unique_ptr<CProject> COpenProjects::Remove(const CProject* project)
{
  auto it = std::find_if(mProjects.begin(), mProjects.end(),
                         [project](const std::unique_ptr<CProject>& p) { return p.get() == project; });
  if (it == mProjects.end())
    return nullptr;
  std::unique_ptr<CProject> taken = std::move(*it);
  mProjects.erase(it);
  return taken;
}

std::vector<std::string> COpenProjects::Names() const
{
  std::vector<std::string> names;
  names.reserve(mProjects.size());
  for (const auto& p : mProjects)
    names.push_back(p->mName);
  return names;
}
