#pragma once
// Unit systems, conversion for display, and the number and text routines that
// every page, dialog and report uses. All values inside the model are SI.

#include <cstdint>
#include <string>
#include <string_view>

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

// Why a typed length was refused; mPart is the piece of the text concerned.
enum class MeasureProblem
{
  None,
  Empty,         // nothing but blanks
  NotANumber,    // no number where the text starts
  Negative,      // a minus sign
  NotUnderstood, // an unknown unit, a second number or anything else after the number
  TooLarge,      // beyond what a length can be shown as
  NoUnitSystem   // no unit typed and the default unit system is unknown
};
struct CMeasureRefusal
{
  MeasureProblem mProblem = MeasureProblem::None;
  std::string mPart;
};

// Reads a typed length: a number followed by an optional unit, with blanks
// allowed around and between them. Units (any letter case): m, metre(s),
// meter(s), cm, mm, ft, foot, feet, ', in, inch(es), "; feet may be followed
// by inches ("8' 6\"", "8 ft 6 in", "8ft6in"). Without a unit the number is
// in `defaultUnits`. The number's decimal separator is "." or, in addition,
// `decimalPoint` (the user's, e.g. ','); there is no digit grouping. Anything
// else (a minus sign, a second number, an unknown word) is refused: false,
// metres = 0 and, when asked for, the reason in `refusal`.
bool ParseMeasure(std::string_view text, UnitSystem defaultUnits, double& metres,
                  char decimalPoint = '.', CMeasureRefusal* refusal = nullptr);

// The short message for a refused length: what was not understood, and which
// units are accepted. Lines are separated by CR LF.
std::string MeasureRefusalText(const CMeasureRefusal& refusal);

// Keeps the leading run of characters allowed in a file name, collapses runs
// of spaces, cuts to 255 characters and trims trailing white space.
std::string CleanFileName(std::string_view text);

// Drops separators (anything not visible) at both ends and turns every inner
// run of separators into one space.
std::string CollapseSpaces(std::string_view text);

// The text followed by spaces up to `width` characters.
std::string PadRight(std::string_view text, std::size_t width);
