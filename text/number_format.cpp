#include "text/number_format.h"

#include "text/printf.h"

#include <cmath>

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
