#pragma once
// Reading the numbers the user types (lengths in any unit the program
// accepts, device counts, percentages) and saying why one was refused. Every
// number field of the windows reads its text here.

#include "text/units.h"

#include <cstdint>
#include <string>
#include <string_view>

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
  // A comma where the decimal mark is a point ("2,5" in a locale without a
  // decimal comma): the message says so and shows the number with a point.
  bool mCommaForPoint = false;
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

// Why a typed count was refused.
enum class CountProblem
{
  None,
  Empty,         // nothing but blanks
  NotANumber,    // no digits where the text starts
  Negative,      // a minus sign
  NotWhole,      // a decimal mark or digit grouping ("10.9", "1.000", "1,000")
  NotUnderstood, // anything else after the digits ("12abc")
  TooLarge       // beyond 32 bits, which must never wrap around to a small count
};

// Reads a typed count: decimal digits with an optional '+' before them and
// blanks around them, and nothing else. Refused: false, `count` untouched
// and, when asked for, the reason in `problem`.
bool ParseCount(std::string_view text, std::uint32_t& count, CountProblem* problem = nullptr);

// The short message for a refused count `text` (CR LF between its lines).
std::string CountRefusalText(std::string_view text, CountProblem problem);

// Reads a typed percentage from 0 to 100 into a share from 0 to 1: a number
// (decimal mark '.' or `decimalPoint`) with an optional '%' after it and
// blanks around. Refused: false, `share` untouched and, when asked for, the
// message that says why in `refusal` (CR LF between its lines).
bool ParsePercent(std::string_view text, double& share, char decimalPoint = '.',
                  std::string* refusal = nullptr);
