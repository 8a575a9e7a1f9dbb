#include "storage/schedule_format.h"

#include "model/device_model.h"
#include "model/length_range.h"
#include "text/charset.h"
#include "text/printf.h"
#include "text/shown_text.h"

#include <charconv>
#include <cmath>

namespace
{
bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words)
{
  for (std::string_view w : words)
    if (EqualIgnoringAsciiCase(word, w))
      return true;
  return false;
}

// The first word of the text and what follows it.
std::string_view TakeWord(std::string_view& text)
{
  text = TrimSpaces(text);
  std::size_t end = 0;
  while (end < text.size() && !IsSpace1252(text[end]))
    ++end;
  std::string_view word = text.substr(0, end);
  text = TrimSpaces(text.substr(end));
  return word;
}

// A text of the file in a message: quoted, and shown safely.
std::string Quoted(std::string_view text)
{
  std::string quoted(1, '"');
  quoted += ShownText(text);
  quoted += '"';
  return quoted;
}

// A plain number of the whole text, in the C locale.
bool ReadNumber(std::string_view text, double& value)
{
  text = TrimSpaces(text);
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  const char* end = text.data() + text.size();
  auto [stop, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && stop == end && std::isfinite(value);
}

bool ReadShare(std::string_view text, double& share, std::string& reason)
{
  text = TrimSpaces(text);
  const bool percent = !text.empty() && text.back() == '%';
  if (percent)
    text.remove_suffix(1);
  if (!ReadNumber(text, share))
  {
    reason = "the upper share " + Quoted(text) + " is not a number";
    return false;
  }
  if (percent)
    share /= 100;
  if (share < 0 || share > 1)
  {
    reason = "the upper share must lie between 0 and 1 (0% and 100%)";
    return false;
  }
  return true;
}
} // namespace

std::string_view TrimSpaces(std::string_view text)
{
  while (!text.empty() && IsSpace1252(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsSpace1252(text.back()))
    text.remove_suffix(1);
  return text;
}

namespace
{
// A text a spreadsheet would run as a formula, or one that looks so after
// any number of leading "'".
bool LooksLikeFormula(std::string_view text)
{
  const std::size_t first = text.find_first_not_of('\'');
  return first != std::string_view::npos &&
         std::string_view("=+-@\t\r").find(text[first]) != std::string_view::npos;
}
} // namespace

std::string SpreadsheetText(std::string_view text)
{
  return LooksLikeFormula(text) ? "'" + std::string(text) : std::string(text);
}

std::string_view PlainCellText(std::string_view cell)
{
  if (!cell.empty() && cell.front() == '\'' && LooksLikeFormula(cell))
    cell.remove_prefix(1);
  return cell;
}

std::string ScheduleNumber(double value)
{
  if (!std::isfinite(value))
    return {};
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

bool ReadScheduleLength(std::string_view text, UnitSystem defaultUnits, double& metres,
                        std::string& reason, bool zeroAllowed)
{
  text = TrimSpaces(text);
  if (text.empty())
  {
    reason = "no length given";
    return false;
  }
  if (text.find(',') != std::string_view::npos)
  {
    reason = "the length " + Quoted(text) + " has a decimal comma; write a point (2.5)";
    return false;
  }
  if (text.front() == '-')
  {
    reason = "the length " + Quoted(text) + " is negative";
    return false;
  }
  // The decimal point of a schedule is '.', whatever the user's locale.
  CMeasureRefusal refusal;
  if (!ParseMeasure(text, defaultUnits, metres, '.', &refusal))
  {
    switch (refusal.mProblem)
    {
    case MeasureProblem::NotUnderstood:
      reason = "the length " + Quoted(text) + " has " + Quoted(refusal.mPart) +
               ", which is not a unit (m, cm, mm, ft, in)";
      break;
    case MeasureProblem::TooLarge:
      reason = "the length " + Quoted(text) + " is too large";
      break;
    case MeasureProblem::NoUnitSystem:
      reason = "the length " + Quoted(text) + " has no unit and the project's unit system is unknown";
      break;
    default:
      reason = "the length " + Quoted(text) + " is not a number";
      break;
    }
    return false;
  }
  if (!(metres > 0) && !(zeroAllowed && metres == 0))
  {
    reason = "the length " + Quoted(text) + " is not above 0";
    return false;
  }
  if (!IsLengthInRange(metres))
  {
    reason = "the length " + Quoted(text) + " is outside the lengths the calculation takes, " +
             LengthRangeText(UNITS_METRIC);
    return false;
  }
  return true;
}

bool ReadScheduleCount(std::string_view text, std::uint32_t& count, std::string& reason)
{
  text = TrimSpaces(text);
  bool digits = !text.empty();
  for (char c : text)
    digits = digits && c >= '0' && c <= '9';
  if (!digits || !ParseCount(text, count))
  {
    reason = "the device count " + Quoted(text) + " is not a whole number from 0 to 4294967295";
    return false;
  }
  return true;
}

std::string OpeningsCell(const CVentTable& table)
{
  if (table.Count() == 0)
    return "none";
  std::string out;
  for (std::size_t i = 0; i < table.Count(); ++i)
  {
    const CVent& v = *table.Get(i);
    if (i > 0)
      out += "; ";
    out += v.mType == VENT_CEILING ? "ceiling" : v.mType == VENT_FLOOR ? "floor" : "wall";
    if (v.mShape == SHAPE_CIRCULAR)
      out += " round";
    out += ' ';
    out += ScheduleNumber(v.mWidth);
    if (v.mShape != SHAPE_CIRCULAR || v.mHeight != 0)
    {
      out += " x ";
      out += ScheduleNumber(v.mHeight);
    }
    if (v.mType == VENT_WALL)
    {
      out += " upper ";
      out += ScheduleNumber(v.mUpper);
    }
  }
  return out;
}

namespace
{
bool ReadOpening(std::string_view text, UnitSystem units, CVentValues& vent, std::string& reason)
{
  std::string_view rest = text;
  const std::string_view kind = TakeWord(rest);
  if (EqualIgnoringAsciiCase(kind, "wall"))
    vent.mType = VENT_WALL;
  else if (EqualIgnoringAsciiCase(kind, "ceiling"))
    vent.mType = VENT_CEILING;
  else if (EqualIgnoringAsciiCase(kind, "floor"))
    vent.mType = VENT_FLOOR;
  else
  {
    reason = "the kind " + Quoted(kind) + " is not wall, ceiling or floor";
    return false;
  }
  std::string_view after = rest;
  const std::string_view shape = TakeWord(after);
  if (IsOneOf(shape, {"round", "circular"}))
  {
    vent.mShape = SHAPE_CIRCULAR;
    rest = after;
  }
  else if (IsOneOf(shape, {"rect", "rectangular"}))
  {
    rest = after;
  }
  // The size, then perhaps "upper" and the share.
  std::string_view size = rest;
  std::string_view share;
  for (std::size_t i = 0; i + 5 <= rest.size(); ++i)
  {
    if (EqualIgnoringAsciiCase(rest.substr(i, 5), "upper") && (i == 0 || IsSpace1252(rest[i - 1])))
    {
      size = rest.substr(0, i);
      share = rest.substr(i + 5);
      if (share.empty() || TrimSpaces(share).empty())
      {
        reason = "\"upper\" is not followed by a share";
        return false;
      }
      break;
    }
  }
  if (!share.empty())
  {
    if (vent.mType != VENT_WALL)
    {
      reason = "only a wall opening has an upper share";
      return false;
    }
    if (!ReadShare(share, vent.mUpper, reason))
      return false;
  }
  const std::size_t x = size.find_first_of("xX");
  const std::string_view first = size.substr(0, x);
  const std::string_view second = x == std::string_view::npos ? std::string_view() : size.substr(x + 1);
  if (vent.mShape == SHAPE_RECTANGULAR && x == std::string_view::npos)
  {
    reason = "a rectangular opening needs width x height";
    return false;
  }
  std::string why;
  if (!ReadScheduleLength(first, units, vent.mWidth, why, true))
  {
    reason = (vent.mShape == SHAPE_CIRCULAR ? "diameter: " : "width: ") + why;
    return false;
  }
  if (x != std::string_view::npos && !ReadScheduleLength(second, units, vent.mHeight, why, true))
  {
    reason = "height: " + why;
    return false;
  }
  return true;
}
} // namespace

bool ReadOpeningsCell(std::string_view text, UnitSystem defaultUnits,
                      std::vector<CVentValues>& openings, std::string& reason)
{
  openings.clear();
  text = TrimSpaces(text);
  if (text.empty() || EqualIgnoringAsciiCase(text, "none"))
    return true;
  std::size_t place = 1;
  while (true)
  {
    const std::size_t semicolon = text.find(';');
    const std::string_view one = TrimSpaces(text.substr(0, semicolon));
    if (!one.empty())
    {
      CVentValues vent;
      std::string why;
      if (!ReadOpening(one, defaultUnits, vent, why))
      {
        reason = "opening " + std::to_string(place) + " (" + ShownText(one) + "): " + why;
        return false;
      }
      openings.push_back(vent);
      ++place;
    }
    if (semicolon == std::string_view::npos)
      break;
    text.remove_prefix(semicolon + 1);
  }
  return true;
}
