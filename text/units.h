#pragma once
// Unit systems and conversion for display. All values inside the model are SI.

#include <cstdint>

using UnitSystem = std::uint32_t;
constexpr UnitSystem UNITS_METRIC = 0;   // "METER"
constexpr UnitSystem UNITS_IMPERIAL = 1; // "FOOT"
constexpr UnitSystem UnitSystemCount = 2;

constexpr double kMetresPerFoot = 0.3048;

// "METER" or "FOOT"; empty for any other value.
const char* UnitName(UnitSystem units);

// A metric value of the given power (1 length, 2 area, 3 volume) in the unit
// system: divided by 0.3048 once per power for imperial.
double ToDisplayUnits(double metric, UnitSystem units, int power);

// The windows take the number and text routines from here as well.
#include "text/measure_parse.h"
#include "text/number_format.h"
#include "text/text_cleaners.h"
