#include "text/measure_parse.h"

#include "text/charset.h"
#include "text/printf.h"

#include <cmath>

namespace
{
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void SkipSpace(std::string_view text, std::size_t& i)
{
  while (i < text.size() && IsSpace1252(text[i]))
    ++i;
}

std::string_view Trimmed(std::string_view text)
{
  std::size_t begin = 0;
  SkipSpace(text, begin);
  std::size_t end = text.size();
  while (end > begin && IsSpace1252(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

bool IsDecimalPoint(char c, char decimalPoint) { return c == '.' || c == decimalPoint; }

// Digits with at most one decimal separator and an optional exponent; at
// least one digit.
bool ReadNumber(std::string_view text, std::size_t& i, char decimalPoint, double& value,
                bool& tooLarge)
{
  std::string number;
  std::size_t j = i;
  while (j < text.size() && IsDigit(text[j]))
    number += text[j++];
  if (j < text.size() && IsDecimalPoint(text[j], decimalPoint))
  {
    std::size_t k = j + 1;
    std::string fraction;
    while (k < text.size() && IsDigit(text[k]))
      fraction += text[k++];
    if (!number.empty() || !fraction.empty())
    {
      number += '.' + fraction;
      j = k;
    }
  }
  if (number.empty() || number == ".")
    return false;
  if (number.front() == '.')
    number.insert(number.begin(), '0');
  if (number.back() == '.')
    number += '0';
  // An exponent only when digits follow: "2e" is the number 2 and a word.
  if (j < text.size() && LowerAscii(text[j]) == 'e')
  {
    std::size_t k = j + 1;
    std::string exponent = "e";
    if (k < text.size() && (text[k] == '+' || text[k] == '-'))
      exponent += text[k++];
    if (k < text.size() && IsDigit(text[k]))
    {
      while (k < text.size() && IsDigit(text[k]))
        exponent += text[k++];
      number += exponent;
      j = k;
    }
  }
  // The text is now in the C locale's form: overflow reads as infinity.
  int consumed = 0;
  if (!ScanDouble(number.c_str(), value, consumed))
    return false;
  tooLarge = !std::isfinite(value);
  i = j;
  return true;
}

enum class Unit
{
  None,
  Unknown,
  Metre,
  Centimetre,
  Millimetre,
  Foot,
  Inch
};

// The unit word or mark at i, if any; i moves past it.
Unit ReadUnit(std::string_view text, std::size_t& i)
{
  if (i >= text.size())
    return Unit::None;
  if (text[i] == '\'')
  {
    ++i;
    return Unit::Foot;
  }
  if (text[i] == '"')
  {
    ++i;
    return Unit::Inch;
  }
  std::string word;
  std::size_t j = i;
  while (j < text.size() && IsLetter(text[j]))
    word += LowerAscii(text[j++]);
  if (word.empty())
    return Unit::None;
  static const struct
  {
    const char* mWord;
    Unit mUnit;
  } kWords[] = {
    {"m", Unit::Metre},       {"metre", Unit::Metre},  {"metres", Unit::Metre},
    {"meter", Unit::Metre},   {"meters", Unit::Metre}, {"cm", Unit::Centimetre},
    {"mm", Unit::Millimetre}, {"ft", Unit::Foot},      {"foot", Unit::Foot},
    {"feet", Unit::Foot},     {"in", Unit::Inch},      {"inch", Unit::Inch},
    {"inches", Unit::Inch},
  };
  for (const auto& w : kWords)
    if (word == w.mWord)
    {
      i = j;
      return w.mUnit;
    }
  return Unit::Unknown;
}

// The value in metres of a number in a unit; divisions by exact powers of ten
// keep 250 cm at exactly 2.5 m.
double InMetres(double value, Unit unit)
{
  switch (unit)
  {
  case Unit::Centimetre:
    return value / 100;
  case Unit::Millimetre:
    return value / 1000;
  case Unit::Foot:
    return value * kMetresPerFoot;
  case Unit::Inch:
    return value * 0.0254;
  default:
    return value;
  }
}

// The text with its decimal commas written as points ("2,5 m" -> "2.5 m").
std::string CommaAsPoint(std::string_view text)
{
  std::string out(text);
  for (std::size_t i = 1; i + 1 < out.size(); ++i)
    if (out[i] == ',' && IsDigit(out[i - 1]) && IsDigit(out[i + 1]))
      out[i] = '.';
  return out;
}

bool Refuse(double& metres, CMeasureRefusal* refusal, MeasureProblem problem, std::string_view part)
{
  metres = 0;
  if (refusal)
    *refusal = {problem, std::string(Trimmed(part))};
  return false;
}
} // namespace

bool ParseMeasure(std::string_view text, UnitSystem defaultUnits, double& metres, char decimalPoint,
                  CMeasureRefusal* refusal)
{
  std::size_t i = 0;
  SkipSpace(text, i);
  if (i == text.size())
    return Refuse(metres, refusal, MeasureProblem::Empty, {});
  if (text[i] == '-')
    return Refuse(metres, refusal, MeasureProblem::Negative, "-");
  if (text[i] == '+')
    ++i;
  double value = 0;
  bool tooLarge = false;
  if (!ReadNumber(text, i, decimalPoint, value, tooLarge))
    return Refuse(metres, refusal, MeasureProblem::NotANumber, text);
  SkipSpace(text, i);
  std::size_t unitAt = i;
  Unit unit = ReadUnit(text, i);
  if (unit == Unit::Unknown)
    return Refuse(metres, refusal, MeasureProblem::NotUnderstood, text.substr(unitAt));
  double result = 0;
  if (unit == Unit::None)
  {
    if (defaultUnits == UNITS_IMPERIAL)
      result = value * kMetresPerFoot;
    else if (defaultUnits == UNITS_METRIC)
      result = value;
    else
      return Refuse(metres, refusal, MeasureProblem::NoUnitSystem, {});
  }
  else
    result = InMetres(value, unit);
  SkipSpace(text, i);
  // Feet may be followed by inches, which must then be marked as such.
  if (unit == Unit::Foot && i < text.size() &&
      (IsDigit(text[i]) || (IsDecimalPoint(text[i], decimalPoint) && i + 1 < text.size() &&
                            IsDigit(text[i + 1]))))
  {
    const std::size_t inchesAt = i;
    double inches = 0;
    bool inchesTooLarge = false;
    ReadNumber(text, i, decimalPoint, inches, inchesTooLarge);
    SkipSpace(text, i);
    if (ReadUnit(text, i) != Unit::Inch)
      return Refuse(metres, refusal, MeasureProblem::NotUnderstood, text.substr(inchesAt));
    tooLarge = tooLarge || inchesTooLarge;
    result += InMetres(inches, Unit::Inch);
    SkipSpace(text, i);
  }
  if (i < text.size())
  {
    const std::string_view rest = text.substr(i);
    if (rest.front() == ',' && decimalPoint != ',' && i > 0 && IsDigit(text[i - 1]) &&
        rest.size() > 1 && IsDigit(rest[1]))
    {
      Refuse(metres, refusal, MeasureProblem::NotUnderstood, text);
      if (refusal)
        refusal->mCommaForPoint = true;
      return false;
    }
    return Refuse(metres, refusal,
                  rest.front() == '-' ? MeasureProblem::Negative : MeasureProblem::NotUnderstood,
                  rest.front() == '-' ? std::string_view("-") : rest);
  }
  // A length must also show as a number in feet: near the largest double,
  // metres divided by 0.3048 would be infinite, and such a field could
  // never be read back from what it shows.
  if (tooLarge || !std::isfinite(result) || !std::isfinite(result / kMetresPerFoot))
    return Refuse(metres, refusal, MeasureProblem::TooLarge, text);
  metres = result;
  return true;
}

std::string MeasureRefusalText(const CMeasureRefusal& refusal)
{
  std::string first;
  switch (refusal.mProblem)
  {
  case MeasureProblem::None:
    return {};
  case MeasureProblem::Empty:
    first = "No length was typed.";
    break;
  case MeasureProblem::NotANumber:
    first = "\"" + refusal.mPart + "\" is not a number.";
    break;
  case MeasureProblem::Negative:
    first = "A length cannot be negative.";
    break;
  case MeasureProblem::NotUnderstood:
    first = "\"" + refusal.mPart + "\" was not understood";
    if (refusal.mCommaForPoint)
      first += ": the decimal mark is a point, as in " + CommaAsPoint(refusal.mPart);
    first += ".";
    break;
  case MeasureProblem::TooLarge:
    first = "\"" + refusal.mPart + "\" is too large for a length.";
    break;
  case MeasureProblem::NoUnitSystem:
    first = "The project's unit system is unknown: please type a unit.";
    break;
  }
  return first + "\r\nType a number and one of the units m, cm, mm, ft ('), in (\"), "
                 "for example 2.5 m, 250 cm or 8' 6\".";
}

bool ParseCount(std::string_view text, std::uint32_t& count, CountProblem* problem)
{
  auto refuse = [problem](CountProblem why)
  {
    if (problem)
      *problem = why;
    return false;
  };
  if (problem)
    *problem = CountProblem::None;
  text = Trimmed(text);
  if (text.empty())
    return refuse(CountProblem::Empty);
  std::size_t i = 0;
  if (text[i] == '-')
    return refuse(CountProblem::Negative);
  if (text[i] == '+')
    ++i;
  const std::size_t first = i;
  std::uint64_t value = 0;
  bool tooLarge = false;
  for (; i < text.size() && IsDigit(text[i]); ++i)
  {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    tooLarge = tooLarge || value > 0xFFFFFFFFull;
    if (tooLarge)
      value = 0xFFFFFFFFull + 1; // stays above the limit without wrapping
  }
  if (i == first)
    return refuse(CountProblem::NotANumber);
  if (i < text.size())
  {
    // A decimal mark or a thousands separator followed by digits: a figure,
    // but not a whole count ("10.9", "1.000", "1,000").
    const bool separator = text[i] == '.' || text[i] == ',';
    return refuse(separator && i + 1 < text.size() && IsDigit(text[i + 1])
                      ? CountProblem::NotWhole
                      : CountProblem::NotUnderstood);
  }
  if (tooLarge)
    return refuse(CountProblem::TooLarge);
  count = static_cast<std::uint32_t>(value);
  return true;
}

std::string CountRefusalText(std::string_view text, CountProblem problem)
{
  const std::string quoted = "\"" + std::string(Trimmed(text)) + "\"";
  std::string first;
  switch (problem)
  {
  case CountProblem::None:
    return {};
  case CountProblem::Empty:
    first = "No count was typed.";
    break;
  case CountProblem::NotANumber:
  case CountProblem::NotUnderstood:
    first = quoted + " is not a number.";
    break;
  case CountProblem::Negative:
    first = "A count cannot be negative.";
    break;
  case CountProblem::NotWhole:
    first = quoted + " is not a whole number: a count has no decimal mark and no grouping.";
    break;
  case CountProblem::TooLarge:
    first = quoted + " is too large: a count is at most 4294967295.";
    break;
  }
  return first + "\r\nType the number of devices in digits only, for example 12.";
}

bool ParsePercent(std::string_view text, double& share, char decimalPoint, std::string* refusal)
{
  const std::string_view typed = Trimmed(text);
  const std::string point(1, decimalPoint == ',' ? ',' : '.');
  auto refuse = [&](std::string first)
  {
    if (refusal)
      *refusal = std::move(first) + "\r\nType a percentage from 0 to 100, for example 50 or 37" +
                 point + "5%.";
    return false;
  };
  const std::string quoted = "\"" + std::string(typed) + "\"";
  if (typed.empty())
    return refuse("No percentage was typed.");
  std::size_t i = 0;
  const bool negative = typed[i] == '-';
  if (typed[i] == '-' || typed[i] == '+')
    ++i;
  double value = 0;
  bool tooLarge = false;
  if (!ReadNumber(typed, i, decimalPoint, value, tooLarge))
    return refuse(quoted + " is not a number.");
  SkipSpace(typed, i);
  if (i < typed.size() && typed[i] == '%')
    ++i;
  SkipSpace(typed, i);
  if (i < typed.size())
  {
    if (typed[i] == ',' && decimalPoint != ',' && i > 0 && IsDigit(typed[i - 1]))
      return refuse(quoted + " was not understood: the decimal mark is a point, as in " +
                    CommaAsPoint(typed) + ".");
    return refuse(quoted + " was not understood.");
  }
  if (negative && value != 0)
    value = -value;
  if (tooLarge || !(value >= 0 && value <= 100))
    return refuse(quoted + " is outside the range from 0 to 100%.");
  // Adding 0 turns a typed "-0" into 0, which would otherwise show as "-0%".
  share = value / 100.0 + 0.0;
  return true;
}
