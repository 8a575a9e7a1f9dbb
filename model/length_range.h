#pragma once
// The range of lengths the calculation takes, for every length of a volume
// or of an opening: what the entry, the schedule import and the calculation
// itself hold a length against.

#include "text/units.h"

#include <cmath>
#include <string>

// Within this range every figure a volume gives stays a finite number with
// a wide margin: a volume lies from 1e-150 to 1e150 m3 and an opening's area
// below 1e100 m2 (so that even the openings of the largest file sum far below
// the largest double), masses stay below 1e154 g and densities and the
// ratio of open area to volume below 1e270. Three lengths of 1e200 m, by
// contrast, give an infinite volume.
inline constexpr double kSmallestLength = 1e-50; // m
inline constexpr double kLargestLength = 1e50;   // m

// A stored length: 0 (not given) or of a size within the range. A sign is
// not judged here; the file has always held what the setters allow.
inline bool IsLengthInRange(double metres)
{
  const double size = std::fabs(metres);
  return size == 0 || (size >= kSmallestLength && size <= kLargestLength);
}

// A length as typed or imported: above 0 and within the range.
inline bool IsUsableLength(double metres)
{
  return metres > 0 && IsLengthInRange(metres);
}

// "from 1e-50 m to 1e+50 m", in the unit system's unit.
std::string LengthRangeText(UnitSystem units);

// Why a typed length is refused, naming it (`what`, e.g. "width") and saying
// what it may be, in the unit system's unit: "The width 1e+200 m is outside
// the lengths the calculation takes, from 1e-50 m to 1e+50 m." For a
// length not above 0 it says that it must be.
std::string LengthRefusalText(const char* what, double metres, UnitSystem units);
