#pragma once
// Figures as the pages, reports and files show them: significant digits,
// measures with their unit, and the fixed formats of factors, densities,
// masses, shares and counts. They never follow the user's decimal separator.

#include "text/units.h"

#include <cstdint>
#include <string>

// Up to `digits` significant digits (clamped to 1..9), half-up rounding, no
// trailing zeros; values at or above 10^(digits-1) show all integer digits.
std::string FormatSignificant(double value, unsigned digits);

// "12.35 m", "4.5 sq m", "120.5 cu m", "40 ft", "150 sq ft", "1200 cu ft".
std::string FormatMeasure(double metric, UnitSystem units, int power);

std::string FormatFactor(double value);   // "%5.3lf"
std::string FormatDensity(double value);  // "%1.0lf g/cu m"
std::string FormatMass(double grams);     // "%1.0lf g"
std::string FormatPercent(double share);  // "%1.0lf%%" of share x 100
std::string FormatCount(std::uint32_t n); // "%u"
