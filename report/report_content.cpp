#include "report/report_content.h"

#include "model/area.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "model/vent.h"
#include "report/report_table.h"
#include "text/charset.h"
#include "text/printf.h"
#include "text/number_format.h"
#include "text/units.h"

#include <cmath>
#include <iterator>

namespace
{
std::string FormatTotal(std::uint64_t n) { return std::to_string(n); }

// "#1", "#2", ...
std::string RowNumber(std::size_t n)
{
  std::string text = "#";
  AppendUnsigned(text, n);
  return text;
}

void AddRow(CReportTable& table, const char* label, const std::string& value)
{
  table.AddCell(0, label);
  table.AddCell(1, value);
}
} // namespace

CDeviceTotals DeviceTotals(const CDeviceCounts& counts)
{
  CDeviceTotals totals{};
  for (int m = 0; m < DeviceModelCount; ++m)
    totals[m] = counts[m];
  return totals;
}

CDeviceTotals ProjectDeviceTotals(const CProject& project)
{
  CDeviceTotals totals{};
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
  {
    const CArea& area = *project.mAreaTable.Get(i);
    for (int m = 0; m < DeviceModelCount; ++m)
      totals[m] += area.mDevice[m];
  }
  return totals;
}

void BuildIdentityTable(const CProject& project, CReportTable& table)
{
  table.Clear();
  const std::pair<const char*, const std::string*> rows[] = {
    {"Project:", &project.mName},
    {"Project Reference:", &project.mProject_Reference},
    {"Designer:", &project.mProject_Designer},
    {"Date:", &project.mProject_Date},
  };
  for (const auto& [label, value] : rows)
    if (!value->empty())
      AddRow(table, label, *value);
}

CVolumesRow VolumesTableRow(const CAreaTable& areas, std::size_t i)
{
  const CArea& area = *areas.Get(i);
  const UnitSystem units = areas.Owner() ? areas.Owner()->mUnits : UNITS_METRIC;
  return {RowNumber(i + 1), HazardGroup(area.mHazard), SizeText(area, area.mVolume, units, 3)};
}

CVolumesRow VolumesTableTotal(const CAreaTable& areas)
{
  const UnitSystem units = areas.Owner() ? areas.Owner()->mUnits : UNITS_METRIC;
  double total = 0;
  bool valid = true;
  for (std::size_t i = 0; i < areas.Count(); ++i)
  {
    total += areas.Get(i)->mVolume;
    valid = valid && !(areas.Get(i)->mFlags & AF_SIZE_OUT_OF_RANGE);
  }
  return {"Total", "", valid ? FormatMeasure(total, units, 3) : std::string("INVALID")};
}

void BuildVolumesTable(const CAreaTable& areas, CReportTable& table)
{
  table.Clear();
  if (areas.Count() == 0)
  {
    table.AddCell(0, "NO VOLUMES");
    return;
  }
  const CVolumesRow heading = VolumesTableHeading();
  for (std::size_t c = 0; c < heading.size(); ++c)
    table.AddCell(c, heading[c]);
  for (std::size_t i = 0; i <= areas.Count(); ++i)
  {
    CVolumesRow row = i < areas.Count() ? VolumesTableRow(areas, i) : VolumesTableTotal(areas);
    for (std::size_t c = 0; c < row.size(); ++c)
      table.AddCell(c, std::move(row[c]));
  }
}

void BuildDevicesTable(const CDeviceTotals& counts, CReportTable& table)
{
  table.Clear();
  std::uint64_t total = 0;
  for (int m = 0; m < DeviceModelCount; ++m)
  {
    if (counts[m] == 0)
      continue;
    double mass = 0;
    DeviceMass(m, mass);
    AddRow(table, FormatMass(mass).c_str(), FormatTotal(counts[m]));
    total += counts[m];
  }
  if (total == 0)
  {
    table.Clear();
    table.AddCell(0, "NO DEVICES");
    return;
  }
  table.InsertCell(0, "Device");
  table.InsertCell(1, "Count");
  AddRow(table, "Total", FormatTotal(total));
}

void BuildSummaryTable(const CArea& area, CReportTable& table)
{
  table.Clear();
  AddRow(table, "Hazard Class:", HazardGroup(area.mHazard));
  if (!(area.mFlags & AF_CREQ_VALID))
    return;
  const double actual = ActualMass(area.mDevice);
  AddRow(table, "Required Density:", FormatDensity(area.mConcentrationRequired));
  AddRow(table, "Required Mass:", FormatMass(area.mMassRequired));
  AddRow(table, "Actual Mass:", FormatMass(actual));
  AddRow(table, "Actual Density:", area.mVolume > 0 ? FormatDensity(actual / area.mVolume) : "");
}

void BuildDimensionsTable(const CArea& area, CReportTable& table)
{
  table.Clear();
  const UnitSystem units = area.Units();
  const std::pair<const char*, std::string> columns[] = {
    {"Length", FormatMeasure(area.mLength, units, 1)},
    {"Width", FormatMeasure(area.mWidth, units, 1)},
    {"Height", FormatMeasure(area.mHeight, units, 1)},
    {"Volume", SizeText(area, area.mVolume, units, 3)},
    {"Openings", SizeText(area, area.mSizeOpen, units, 2)},
  };
  std::size_t c = 0;
  for (const auto& [heading, value] : columns)
  {
    table.AddCell(c, heading);
    table.AddCell(c, value);
    ++c;
  }
}

void BuildFactorsTable(const CArea& area, CReportTable& table)
{
  table.Clear();
  const struct
  {
    std::uint32_t mBit;
    const char* mName;
    double mValue;
  } factors[] = {
    {AF_LR_VALID, "LR", area.mLR}, {AF_LP_VALID, "LP", area.mLP}, {AF_LH_VALID, "LH", area.mLH},
    {AF_K1_VALID, "K1", area.mK1}, {AF_K2_VALID, "K2", area.mK2}, {AF_K3_VALID, "K3", area.mK3},
  };
  std::size_t c = 0;
  for (const auto& f : factors)
  {
    if (!(area.mFlags & f.mBit))
      continue;
    table.AddCell(c, f.mName);
    table.AddCell(c, FormatFactor(f.mValue));
    ++c;
  }
}

void BuildOpeningsTable(const CVentTable& vents, CReportTable& table)
{
  table.Clear();
  if (vents.Count() == 0)
  {
    table.AddCell(0, "NO OPENINGS");
    return;
  }
  const char* headings[] = {"Opening", "Type", "Width", "Height", "Area", "Upper"};
  for (std::size_t c = 0; c < 6; ++c)
    table.AddCell(c, headings[c]);
  const UnitSystem units = vents.Owner() ? vents.Owner()->Units() : UNITS_METRIC;
  for (std::size_t i = 0; i < vents.Count(); ++i)
  {
    const CVent& vent = *vents.Get(i);
    table.AddCell(0, RowNumber(i + 1));
    table.AddCell(1, VentTypeName(vent.mType));
    table.AddCell(2, FormatMeasure(vent.mWidth, units, 1));
    table.AddCell(3, vent.mShape == SHAPE_CIRCULAR ? std::string("CIRCULAR")
                                                    : FormatMeasure(vent.mHeight, units, 1));
    table.AddCell(4, vent.SizeText(vent.mSize, units));
    table.AddCell(5, std::isfinite(vent.mUpper * 100) ? FormatPercent(vent.mUpper)
                                                      : std::string("INVALID"));
  }
}

bool ProjectErrorLines(const CProject& project, CTextLines& lines)
{
  // The labels that some volume carries, each once, in the order of a
  // volume's own lines; OR-ing the flags instead would let one volume's
  // ZERO VOLUME or EXCESS LEAKAGE hide what the others report.
  static const char* const kOrder[] = {"INVALID HAZARD CLASS", "ZERO VOLUME", "EXCESS HEIGHT",
                                       "EXCESS LEAKAGE", "EXCESS VOLUME"};
  bool carried[std::size(kOrder)] = {};
  bool belowUL = false;
  CTextLines labels;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
  {
    const CArea& area = *project.mAreaTable.Get(i);
    ErrorLabels(area.mFlags, labels);
    for (const std::string& label : labels)
      for (std::size_t k = 0; k < std::size(kOrder); ++k)
        carried[k] = carried[k] || label == kOrder[k];
    belowUL = belowUL || (area.mWarnings & AW_BELOW_UL_DENSITY) != 0;
  }
  lines.Clear();
  for (std::size_t k = 0; k < std::size(kOrder); ++k)
    if (carried[k])
      lines.Add(kOrder[k]);
  if (belowUL)
    lines.Add("BELOW UL MINIMUM");
  return !lines.Empty();
}

std::string CleanNotes(std::string_view notes)
{
  std::string kept;
  kept.reserve(notes.size());
  for (char c : notes)
    if (IsSpace1252(c) || IsVisible1252(c))
      kept += c;
  std::size_t first = 0;
  while (first < kept.size() && !IsVisible1252(kept[first]))
    ++first;
  std::size_t last = kept.size();
  while (last > first && !IsVisible1252(kept[last - 1]))
    --last;
  return kept.substr(first, last - first);
}
