#include "text/units.h"

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
