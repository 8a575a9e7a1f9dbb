#pragma once
// Reading a length the user typed, in any unit the program accepts, and
// saying why one was refused.

#include "text/units.h"

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
