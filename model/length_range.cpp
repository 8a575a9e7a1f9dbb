#include "model/length_range.h"

#include "text/printf.h"

namespace
{
UnitSystem Known(UnitSystem units)
{
  return units < UnitSystemCount ? units : UNITS_METRIC;
}
const char* UnitSymbol(UnitSystem units)
{
  return Known(units) == UNITS_METRIC ? "m" : "ft";
}
} // namespace

std::string LengthRangeText(UnitSystem units)
{
  units = Known(units);
  return FormatC("from %g %s to %g %s", ToDisplayUnits(kSmallestLength, units, 1),
                 UnitSymbol(units), ToDisplayUnits(kLargestLength, units, 1), UnitSymbol(units));
}

std::string LengthRefusalText(const char* what, double metres, UnitSystem units)
{
  units = Known(units);
  if (!(metres > 0))
    return FormatC("The %s must be above 0.", what);
  return FormatC("The %s %g %s is outside the lengths the calculation takes, %s.", what,
                 ToDisplayUnits(metres, units, 1), UnitSymbol(units),
                 LengthRangeText(units).c_str());
}
