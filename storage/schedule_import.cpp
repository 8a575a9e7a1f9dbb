#include "storage/schedule_import.h"

#include "model/hazard_class.h"
#include "model/project.h"
#include "storage/csv.h"
#include "storage/schedule_export.h"
#include "storage/schedule_format.h"
#include "text/charset.h"
#include "text/shown_text.h"
#include "text/text_cleaners.h"
#include "text/units.h"

#include <algorithm>
#include <unordered_map>

namespace
{
// The longest text the project file can hold.
constexpr std::size_t kMaxText = 65535;

enum class CColumn
{
  Name,
  Hazard,
  Length,
  Width,
  Height,
  Openings,
  Device,
  Notes,
  IncludeNotes,
  Ignored,
  Unnamed, // a column without a name: left empty, as spreadsheets write them
};

struct CColumnUse
{
  CColumn mKind = CColumn::Ignored;
  UnitSystem mUnits = UNITS_METRIC;
  int mModel = 0;
};

// Lower case; every run of other characters than letters and digits one "_",
// none at the ends.
std::string HeaderKey(std::string_view text)
{
  std::string key;
  bool gap = false;
  for (char c : text)
  {
    c = LowerAscii(c);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
    {
      if (gap && !key.empty())
        key += '_';
      gap = false;
      key += c;
    }
    else
      gap = true;
  }
  return key;
}

// "length", "length_m", "length_ft" and the like: the unit of the column.
bool UnitColumn(const std::string& key, std::string_view base, UnitSystem projectUnits,
                UnitSystem& units)
{
  if (key == base)
  {
    units = projectUnits;
    return true;
  }
  if (key.size() <= base.size() + 1 || key.compare(0, base.size(), base) != 0 ||
      key[base.size()] != '_')
    return false;
  const std::string unit = key.substr(base.size() + 1);
  if (unit == "m" || unit == "metre" || unit == "metres" || unit == "meter" || unit == "meters")
    units = UNITS_METRIC;
  else if (unit == "ft" || unit == "foot" || unit == "feet")
    units = UNITS_IMPERIAL;
  else
    return false;
  return true;
}

bool DeviceColumn(std::string key, int& model)
{
  if (key.rfind("devices_", 0) == 0)
    key.erase(0, 8);
  key.erase(std::remove(key.begin(), key.end(), '_'), key.end());
  for (int m = 0; m < DeviceModelCount; ++m)
  {
    std::string name = DeviceName(m);
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    if (key == name)
    {
      model = m;
      return true;
    }
  }
  return false;
}

bool ReadColumn(const std::string& key, UnitSystem projectUnits, CColumnUse& use)
{
  if (key == "name" || key == "volume_name" || key == "room" || key == "room_name")
    use.mKind = CColumn::Name;
  else if (key == "hazard_class" || key == "hazard" || key == "class")
    use.mKind = CColumn::Hazard;
  else if (UnitColumn(key, "length", projectUnits, use.mUnits))
    use.mKind = CColumn::Length;
  else if (UnitColumn(key, "width", projectUnits, use.mUnits))
    use.mKind = CColumn::Width;
  else if (UnitColumn(key, "height", projectUnits, use.mUnits))
    use.mKind = CColumn::Height;
  else if (UnitColumn(key, "openings", projectUnits, use.mUnits))
    use.mKind = CColumn::Openings;
  else if (DeviceColumn(key, use.mModel))
    use.mKind = CColumn::Device;
  else if (key == "notes")
    use.mKind = CColumn::Notes;
  else if (key == "include_notes")
    use.mKind = CColumn::IncludeNotes;
  else
  {
    // The figures the export writes beside the inputs.
    const std::vector<std::string>& exported = ScheduleColumns();
    if (std::find(exported.begin(), exported.end(), key) == exported.end())
      return false;
    use.mKind = CColumn::Ignored;
  }
  return true;
}

// The hazard class whose list name the text is, in any case and with any
// spaces around and between its words.
int FindHazard(std::string_view text)
{
  const std::string wanted = CollapseSpaces(text);
  for (int h = 0; h < HazardClassCount; ++h)
  {
    if (EqualIgnoringAsciiCase(HazardName(h), wanted))
      return h;
  }
  return -1;
}

// A text of the file in the program's character set; false when it holds a
// character the program cannot store (or is not UTF-8).
bool ModelText(std::string_view utf8, std::string& text)
{
  bool lost = false;
  text = Utf8ToCp1252(utf8, &lost);
  return !lost;
}

const char* ColumnName(CColumn kind)
{
  switch (kind)
  {
  case CColumn::Name:
    return "name";
  case CColumn::Hazard:
    return "hazard_class";
  case CColumn::Length:
    return "length";
  case CColumn::Width:
    return "width";
  default:
    return "height";
  }
}

// Adds an error of the schedule at the line.
void Fail(std::vector<CScheduleError>& errors, std::size_t line, std::string reason)
{
  errors.push_back({line, std::move(reason)});
}

// Reads and checks the header row: what each column holds. Its errors go to
// `errors`, in the order of the columns, then the missing columns.
std::vector<CColumnUse> ReadHeader(const CCsvRecord& header, UnitSystem units,
                                   std::vector<CScheduleError>& errors)
{
  auto fail = [&errors, &header](std::string reason)
  { Fail(errors, header.mLine, std::move(reason)); };
  std::vector<CColumnUse> columns(header.mFields.size());
  std::vector<bool> seen(static_cast<std::size_t>(CColumn::Ignored), false);
  std::vector<bool> seenModel(DeviceModelCount, false);
  for (std::size_t c = 0; c < header.mFields.size(); ++c)
  {
    const std::string key = HeaderKey(header.mFields[c]);
    if (key.empty())
    {
      columns[c].mKind = CColumn::Unnamed;
      continue;
    }
    if (!ReadColumn(key, units, columns[c]))
    {
      fail("unknown column \"" + ShownText(header.mFields[c]) + "\"");
      continue;
    }
    const CColumn kind = columns[c].mKind;
    if (kind == CColumn::Ignored || kind == CColumn::Unnamed)
      continue;
    const bool twice = kind == CColumn::Device
                           ? seenModel[static_cast<std::size_t>(columns[c].mModel)]
                           : seen[static_cast<std::size_t>(kind)];
    if (twice)
      fail("the column \"" + ShownText(header.mFields[c]) + "\" is given twice");
    if (kind == CColumn::Device)
      seenModel[static_cast<std::size_t>(columns[c].mModel)] = true;
    else
      seen[static_cast<std::size_t>(kind)] = true;
  }
  for (CColumn kind :
       {CColumn::Name, CColumn::Hazard, CColumn::Length, CColumn::Width, CColumn::Height})
    if (!seen[static_cast<std::size_t>(kind)])
      fail(std::string("the column \"") + ColumnName(kind) + "\" is missing");
  return columns;
}

// Reads and checks one row after the header; its errors go to `errors`, in
// the order of the cells, then a name given on an earlier line (the lines
// of the names read so far are in `lineOfName`).
CScheduleRow ReadRow(const CCsvRecord& record, const std::vector<CColumnUse>& columns,
                     const CProject& project, bool allNew,
                     std::unordered_map<std::string, std::size_t>& lineOfName,
                     std::vector<CScheduleError>& errors)
{
  auto fail = [&errors](std::size_t line, std::string reason)
  { Fail(errors, line, std::move(reason)); };
  const std::size_t line = record.mLine;
  CScheduleRow row;
  row.mLine = line;
  for (std::size_t c = columns.size(); c < record.mFields.size(); ++c)
    if (!TrimSpaces(record.mFields[c]).empty())
    {
      fail(line, "more cells than the header has columns");
      break;
    }
  bool hasName = false;
  for (std::size_t c = 0; c < columns.size(); ++c)
  {
    const std::string_view cell =
        c < record.mFields.size() ? std::string_view(record.mFields[c]) : std::string_view();
    const CColumnUse& use = columns[c];
    std::string reason;
    switch (use.mKind)
    {
    case CColumn::Name:
    {
      std::string text;
      if (!ModelText(PlainCellText(cell), text))
      {
        fail(line, "the name holds a character the program cannot store");
        break;
      }
      row.mName = CollapseSpaces(text);
      if (row.mName.empty())
        fail(line, "no name given");
      else if (row.mName.size() > kMaxText)
        fail(line, "the name is longer than 65535 characters");
      else
        hasName = true;
      break;
    }
    case CColumn::Hazard:
      if (TrimSpaces(cell).empty())
        fail(line, "no hazard class given");
      else if ((row.mHazard = FindHazard(cell)) < 0)
        fail(line, "unknown hazard class \"" + ShownText(TrimSpaces(cell)) + "\"");
      break;
    case CColumn::Length:
    case CColumn::Width:
    case CColumn::Height:
    {
      double& value = use.mKind == CColumn::Length  ? row.mLength
                      : use.mKind == CColumn::Width ? row.mWidth
                                                    : row.mHeight;
      if (!ReadScheduleLength(cell, use.mUnits, value, reason))
        fail(line, std::string(ColumnName(use.mKind)) + ": " + reason);
      break;
    }
    case CColumn::Openings:
      if (TrimSpaces(cell).empty())
        break;
      row.mHasOpenings = true;
      if (!ReadOpeningsCell(cell, use.mUnits, row.mOpenings, reason))
        fail(line, "openings: " + reason);
      break;
    case CColumn::Device:
    {
      if (TrimSpaces(cell).empty())
        break;
      const std::size_t m = static_cast<std::size_t>(use.mModel);
      row.mHasCount[m] = true;
      if (!ReadScheduleCount(cell, row.mDevice[m], reason))
        fail(line, DeviceName(use.mModel) + ": " + reason);
      break;
    }
    case CColumn::Notes:
      if (cell.empty())
        break;
      row.mHasNotes = true;
      if (!ModelText(PlainCellText(cell), row.mNotes))
        fail(line, "the notes hold a character the program cannot store");
      else if (row.mNotes.size() > kMaxText)
        fail(line, "the notes are longer than 65535 characters");
      break;
    case CColumn::IncludeNotes:
    {
      const std::string_view flag = TrimSpaces(cell);
      if (flag.empty())
        break;
      row.mHasIncludeNotes = true;
      const std::string key = HeaderKey(flag);
      if (key == "yes" || key == "true" || key == "1")
        row.mIncludeNotes = true;
      else if (!(key == "no" || key == "false" || key == "0"))
        fail(line, "include_notes: \"" + ShownText(flag) + "\" is not yes or no");
      break;
    }
    case CColumn::Ignored:
      break;
    case CColumn::Unnamed:
      if (!TrimSpaces(cell).empty())
        fail(line, "column " + std::to_string(c + 1) + " has no name in the header");
      break;
    }
  }
  if (hasName && !allNew)
  {
    auto [it, inserted] = lineOfName.emplace(row.mName, line);
    if (!inserted)
      fail(line, "the name \"" + ShownText(Cp1252ToUtf8(row.mName)) + "\" is already on line " +
                     std::to_string(it->second));
    row.mUpdates = project.mAreaTable.Find(row.mName) != nullptr;
  }
  return row;
}

// Whether the record names at least two columns a schedule knows: a row of
// volume figures names one at most (a volume called "Room", notes "notes").
bool LooksLikeHeader(const CCsvRecord& record, UnitSystem units)
{
  int known = 0;
  for (const std::string& field : record.mFields)
  {
    CColumnUse use;
    const std::string key = HeaderKey(field);
    if (!key.empty() && ReadColumn(key, units, use) && ++known >= 2)
      return true;
  }
  return false;
}
} // namespace

std::size_t CSchedule::Added() const
{
  return static_cast<std::size_t>(
    std::count_if(mRows.begin(), mRows.end(), [](const CScheduleRow& r) { return !r.mUpdates; }));
}

std::size_t CSchedule::WrongLines() const
{
  // The errors come in the order of the file.
  std::size_t lines = 0;
  for (std::size_t i = 0; i < mErrors.size(); ++i)
    lines += i == 0 || mErrors[i].mLine != mErrors[i - 1].mLine ? 1 : 0;
  return lines;
}

std::size_t CSchedule::Updated() const { return mRows.size() - Added(); }

CSchedule ReadSchedule(std::string_view csv, const CProject& project,
                       const CScheduleReading& reading)
{
  CSchedule schedule;
  std::vector<CCsvRecord> records;
  std::string error;
  std::size_t errorLine = 0;
  if (!ReadCsv(csv, records, &error, &errorLine, reading.mSeparator))
  {
    Fail(schedule.mErrors, errorLine, error);
    return schedule;
  }
  if (records.empty())
  {
    Fail(schedule.mErrors, 1, "the file has no header row");
    return schedule;
  }
  const UnitSystem units = project.mUnits < UnitSystemCount ? project.mUnits : UNITS_METRIC;
  // Rows without a header stand in the export's columns.
  const bool headed = !reading.mHeaderOptional || LooksLikeHeader(records.front(), units);
  const std::vector<CColumnUse> columns = ReadHeader(
      headed ? records.front() : CCsvRecord{0, ScheduleColumns()}, units, schedule.mErrors);
  if (!schedule.Ok())
    return schedule;
  const std::size_t first = headed ? 1 : 0;
  if (records.size() == first)
  {
    Fail(schedule.mErrors, records.front().mLine, "the schedule lists no volumes");
    return schedule;
  }

  std::unordered_map<std::string, std::size_t> lineOfName;
  schedule.mRows.reserve(records.size() - first);
  for (std::size_t r = first; r < records.size(); ++r)
  {
    const std::size_t errorsBefore = schedule.mErrors.size();
    CScheduleRow row =
        ReadRow(records[r], columns, project, reading.mAllNew, lineOfName, schedule.mErrors);
    if (schedule.mErrors.size() == errorsBefore)
      schedule.mRows.push_back(std::move(row));
  }
  if (!schedule.Ok())
    schedule.mRows.clear();
  return schedule;
}

std::string ScheduleErrorText(const CSchedule& schedule, std::size_t maxLines,
                              std::string_view file)
{
  std::string text;
  const std::string place = file.empty() ? "line " : ShownText(file) + ":";
  const std::size_t n = schedule.mErrors.size();
  const std::size_t shown = maxLines > 0 && n > maxLines ? maxLines : n;
  for (std::size_t i = 0; i < shown; ++i)
    text += place + std::to_string(schedule.mErrors[i].mLine) + ": " + schedule.mErrors[i].mReason +
            "\n";
  if (shown < n)
    text += "... and " + std::to_string(n - shown) + " more\n";
  return text;
}

bool ApplySchedule(const CSchedule& schedule, CProject& project)
{
  if (!schedule.Ok())
    return false;
  CAreaTable& table = project.mAreaTable;
  for (const CScheduleRow& row : schedule.mRows)
  {
    CArea* area = table.Find(row.mName);
    if (!area)
    {
      table.AddNew(row.mName, row.mHazard);
      area = table.Find(row.mName);
    }
    if (!area)
      continue; // cannot happen: the name was checked
    ApplyScheduleRow(row, *area);
  }
  project.RecalculateProject();
  return true;
}

void ApplyScheduleRow(const CScheduleRow& row, CArea& area)
{
  area.SetHazard(row.mHazard);
  area.SetLength(row.mLength);
  area.SetWidth(row.mWidth);
  area.SetHeight(row.mHeight);
  if (row.mHasOpenings)
  {
    area.mVentTable.Clear();
    area.mVentTable.Reserve(row.mOpenings.size());
    for (const CVentValues& v : row.mOpenings)
      area.mVentTable.Add(v.mType, v.mShape, v.mWidth, v.mHeight, v.mUpper);
  }
  for (int m = 0; m < DeviceModelCount; ++m)
    if (row.mHasCount[static_cast<std::size_t>(m)])
      area.SetDeviceCount(m, row.mDevice[static_cast<std::size_t>(m)]);
  if (row.mHasNotes)
    area.SetNotes(row.mNotes);
  if (row.mHasIncludeNotes)
    area.SetIncludeNotes(row.mIncludeNotes);
}
