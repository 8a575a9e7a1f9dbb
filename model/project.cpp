#include "model/project.h"

#include "model/text_lines.h"
#include "model/today_date.h"
#include "text/text_cleaners.h"
#include "text/units.h"

CProject::CProject() : mAreaTable(this)
{
}

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

