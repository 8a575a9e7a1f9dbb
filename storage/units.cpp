#include "storage/units.h"

#include "storage/charset.h"
#include "storage/printf.h"

#include <cmath>

const char* UnitName(UnitSystem units)
{
  switch (units)
  {
  case UNITS_METRIC:
    return "METER";
  case UNITS_IMPERIAL:
    return "FOOT";
  default:
    return "";
  }
}

double ToDisplayUnits(double metric, UnitSystem units, int power)
{
  if (units != UNITS_IMPERIAL)
    return metric;
  // Divided once per power, not by a precomputed factor, so that the figures
  // come out exactly as they always have.
  for (int i = 0; i < power; ++i)
    metric /= kMetresPerFoot;
  return metric;
}

std::string FormatSignificant(double value, unsigned digits)
{
  bool negative = false;
  if (value < 0)
  {
    negative = true;
    value = -value;
  }
  if (digits < 1)
    digits = 1;
  if (digits > 9)
    digits = 9;
  double limit = 1;
  for (unsigned i = 1; i < digits; ++i)
    limit *= 10;
  double scaled = value;
  unsigned shifts = 0;
  if (value != 0)
  {
    while (scaled < limit && shifts < digits)
    {
      scaled *= 10;
      ++shifts;
    }
  }
  double integer = 0;
  double fraction = std::modf(scaled, &integer);
  if (fraction >= 0.5)
    integer += 1;
  std::string text = FormatFixed(integer, 0);
  if (shifts > 0)
  {
    if (text.size() <= shifts)
      text = std::string(shifts - text.size() + 1, '0') + text;
    text = text.substr(0, text.size() - shifts) + '.' + text.substr(text.size() - shifts);
    while (!text.empty() && text.back() == '0')
      text.pop_back();
    while (!text.empty() && text.back() == '.')
      text.pop_back();
  }
  if (text.empty())
    text.push_back('0');
  if (negative)
    text = '-' + text;
  return text;
}

std::string FormatMeasure(double metric, UnitSystem units, int power)
{
  if (units >= UnitSystemCount || power < 1 || power > 3)
    return {};
  std::string text = units == UNITS_METRIC
                       ? FormatSignificant(metric, 4)
                       : FormatSignificant(ToDisplayUnits(metric, units, power), 2);
  if (power == 2)
    text += " sq";
  else if (power == 3)
    text += " cu";
  text += units == UNITS_METRIC ? " m" : " ft";
  return text;
}

// As "%5.3lf", "%1.0lf g/cu m", "%1.0lf g", "%1.0lf%%" and "%u" would give them.
std::string FormatFactor(double value)
{
  std::string text = FormatFixed(value, 3);
  if (text.size() < 5)
    text.insert(0, 5 - text.size(), ' ');
  return text;
}
std::string FormatDensity(double value) { return FormatFixed(value, 0) + " g/cu m"; }
std::string FormatMass(double grams) { return FormatFixed(grams, 0) + " g"; }
std::string FormatPercent(double share) { return FormatFixed(share * 100, 0) + "%"; }
std::string FormatCount(std::uint32_t n) { return std::to_string(n); }

bool ParseMeasure(std::string_view text, UnitSystem defaultUnits, double& metres)
{
  std::string copy(text);
  double value = 0;
  int consumed = 0;
  // A length that is not a finite number ("inf", "nan", 1e999) is refused:
  // no volume or opening may be given an infinite or undefined size.
  if (!ScanDouble(copy.c_str(), value, consumed) || !std::isfinite(value))
  {
    metres = 0;
    return false;
  }
  value = std::fabs(value);
  size_t i = static_cast<size_t>(consumed);
  while (i < copy.size() && IsSpace1252(copy[i]))
    ++i;
  UnitSystem units = defaultUnits;
  if (i < copy.size())
  {
    char c = copy[i];
    if (c == 'm' || c == 'M')
      units = UNITS_METRIC;
    else if (c == 'f' || c == 'F')
      units = UNITS_IMPERIAL;
  }
  if (units == UNITS_IMPERIAL)
  {
    value *= kMetresPerFoot;
  }
  else if (units != UNITS_METRIC)
  {
    metres = 0;
    return false;
  }
  // A length must also show as a number in feet: near the largest double,
  // metres divided by 0.3048 would be infinite, and such a field could
  // never be read back from what it shows.
  if (!std::isfinite(value / kMetresPerFoot))
  {
    metres = 0;
    return false;
  }
  metres = value;
  return true;
}

namespace
{
bool IsForbiddenInFileName(char c)
{
  switch (c)
  {
  case '"':
  case '*':
  case '/':
  case ':':
  case '<':
  case '>':
  case '?':
  case '\\':
  case '|':
    return true;
  default:
    return false;
  }
}

void TrimTrailingSpace(std::string& text)
{
  while (!text.empty() && IsSpace1252(text.back()))
    text.pop_back();
}
} // namespace

std::string CleanFileName(std::string_view text)
{
  std::string out;
  bool pendingSpace = false;
  for (char c : text)
  {
    bool accepted = c == ' ' || (IsVisible1252(c) && !IsForbiddenInFileName(c));
    if (!accepted)
      break;
    if (c == ' ')
    {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace)
      out += ' ';
    pendingSpace = false;
    out += c;
  }
  if (out.size() > 255)
    out.resize(255);
  TrimTrailingSpace(out);
  return out;
}

std::string CollapseSpaces(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  bool pendingSeparator = false;
  for (char c : text)
  {
    if (!IsVisible1252(c))
    {
      pendingSeparator = !out.empty();
      continue;
    }
    if (pendingSeparator)
      out += ' ';
    pendingSeparator = false;
    out += c;
  }
  return out;
}

std::string PadRight(std::string_view text, std::size_t width)
{
  std::string out(text);
  if (out.size() < width)
    out.append(width - out.size(), ' ');
  return out;
}
