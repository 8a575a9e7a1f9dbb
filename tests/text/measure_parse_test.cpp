#include "text/measure_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

TEST(ParseMeasure, LengthsAreReadAsWritten)
{
  using P = MeasureProblem;
  constexpr double ft = 0.3048;
  constexpr double in = 0.0254;
  struct Case
  {
    const char* text;
    UnitSystem units;
    char point; // the user's decimal separator
    double metres; // -1: refused
    P problem;
    const char* part;
  };
  const Case cases[] = {
      {"10 ft", UNITS_METRIC, '.', 10 * ft, P::None, ""},
      {"10", UNITS_IMPERIAL, '.', 10 * ft, P::None, ""},
      {"10", UNITS_METRIC, '.', 10, P::None, ""},
      {"  12M", UNITS_IMPERIAL, '.', 12, P::None, ""},
      {"12m", UNITS_IMPERIAL, '.', 12, P::None, ""},
      {"12 meters", UNITS_IMPERIAL, '.', 12, P::None, ""},
      {"12 Metre ", UNITS_IMPERIAL, '.', 12, P::None, ""},
      {"12 feet", UNITS_METRIC, '.', 12 * ft, P::None, ""},
      {"1 foot", UNITS_METRIC, '.', ft, P::None, ""},
      {"12'", UNITS_METRIC, '.', 12 * ft, P::None, ""},
      {"10 mm", UNITS_IMPERIAL, '.', 0.01, P::None, ""},
      {"250 cm", UNITS_IMPERIAL, '.', 2.5, P::None, ""},
      {"6 in", UNITS_METRIC, '.', 6 * in, P::None, ""},
      {"6 Inches", UNITS_METRIC, '.', 6 * in, P::None, ""},
      {"6\"", UNITS_METRIC, '.', 6 * in, P::None, ""},
      {"8' 6\"", UNITS_METRIC, '.', 8 * ft + 6 * in, P::None, ""},
      {"8 ft 6 in", UNITS_METRIC, '.', 8 * ft + 6 * in, P::None, ""},
      {"8ft6in", UNITS_METRIC, '.', 8 * ft + 6 * in, P::None, ""},
      {"8 feet 6.5 inches", UNITS_METRIC, '.', 8 * ft + 6.5 * in, P::None, ""},
      {".5 m", UNITS_IMPERIAL, '.', 0.5, P::None, ""},
      {"+3", UNITS_METRIC, '.', 3, P::None, ""},
      {"1e3 mm", UNITS_METRIC, '.', 1, P::None, ""},
      {"2,5", UNITS_METRIC, ',', 2.5, P::None, ""},
      {"2.5 m", UNITS_METRIC, ',', 2.5, P::None, ""}, // what the fields show
      {"2,5", UNITS_METRIC, '.', -1, P::NotUnderstood, "2,5"},
      {"-5", UNITS_METRIC, '.', -1, P::Negative, "-"},
      {"8' -6\"", UNITS_METRIC, '.', -1, P::Negative, "-"},
      {"12 xyz", UNITS_METRIC, '.', -1, P::NotUnderstood, "xyz"},
      {"12f", UNITS_METRIC, '.', -1, P::NotUnderstood, "f"},
      {"12 m 3", UNITS_METRIC, '.', -1, P::NotUnderstood, "3"},
      {"12 3", UNITS_METRIC, '.', -1, P::NotUnderstood, "3"},
      {"8 ft 6", UNITS_METRIC, '.', -1, P::NotUnderstood, "6"},
      {"2 m 50 cm", UNITS_METRIC, '.', -1, P::NotUnderstood, "50 cm"},
      {"10-5", UNITS_METRIC, '.', -1, P::Negative, "-"},
      {"abc", UNITS_METRIC, '.', -1, P::NotANumber, "abc"},
      {"", UNITS_METRIC, '.', -1, P::Empty, ""},
      {"  ", UNITS_METRIC, '.', -1, P::Empty, ""},
      {"12", 7, '.', -1, P::NoUnitSystem, ""},
      {"12 m", 7, '.', 12, P::None, ""},
  };
  for (const Case& c : cases)
  {
    double m = 1;
    CMeasureRefusal refusal;
    const bool ok = ParseMeasure(c.text, c.units, m, c.point, &refusal);
    EXPECT_EQ(ok, c.metres >= 0) << c.text;
    EXPECT_DOUBLE_EQ(m, c.metres >= 0 ? c.metres : 0) << c.text;
    EXPECT_EQ(refusal.mProblem, c.problem) << c.text;
    EXPECT_EQ(refusal.mPart, c.part) << c.text;
  }
  // The message names what was not understood and the accepted units.
  CMeasureRefusal refusal;
  double m = 0;
  ParseMeasure("12 xyz", UNITS_METRIC, m, '.', &refusal);
  EXPECT_EQ(MeasureRefusalText(refusal),
            "\"xyz\" was not understood.\r\nType a number and one of the units m, cm, mm, ft ('), "
            "in (\"), for example 2.5 m, 250 cm or 8' 6\".");
  // Where the decimal mark is a point, a comma is named as the cause.
  ParseMeasure(" 2,5 m", UNITS_METRIC, m, '.', &refusal);
  EXPECT_EQ(MeasureRefusalText(refusal).substr(0, MeasureRefusalText(refusal).find('\r')),
            "\"2,5 m\" was not understood: the decimal mark is a point, as in 2.5 m.");
}

TEST(ParseCount, OnlyDigitsAreACount)
{
  using P = CountProblem;
  const struct
  {
    const char* text;
    std::int64_t count; // -1: refused
    P problem;
  } cases[] = {
      {"12", 12, P::None},
      {" +12 ", 12, P::None},
      {"0", 0, P::None},
      {"4294967295", 4294967295, P::None},
      {"", -1, P::Empty},
      {"  ", -1, P::Empty},
      {"abc", -1, P::NotANumber},
      {"12abc", -1, P::NotUnderstood},
      {" 3 devices", -1, P::NotUnderstood},
      {"12 3", -1, P::NotUnderstood},
      {"10.9", -1, P::NotWhole},
      {"1.000", -1, P::NotWhole},
      {"1,000", -1, P::NotWhole},
      {"12.", -1, P::NotUnderstood},
      {"-3", -1, P::Negative},
      {"4294967296", -1, P::TooLarge}, // would wrap around to 0
      {"99999999999999999999999", -1, P::TooLarge},
  };
  for (const auto& c : cases)
  {
    std::uint32_t n = 7;
    P problem = P::None;
    EXPECT_EQ(ParseCount(c.text, n, &problem), c.count >= 0) << c.text;
    EXPECT_EQ(problem, c.problem) << c.text;
    EXPECT_EQ(n, c.count >= 0 ? static_cast<std::uint32_t>(c.count) : 7u) << c.text;
  }
  EXPECT_EQ(CountRefusalText(" 10.9 ", P::NotWhole),
            "\"10.9\" is not a whole number: a count has no decimal mark and no grouping.\r\n"
            "Type the number of devices in digits only, for example 12.");
  EXPECT_EQ(CountRefusalText("-3", P::Negative).substr(0, 27), "A count cannot be negative.");
}

TEST(ParsePercent, AShareFromZeroToAHundredPercent)
{
  const struct
  {
    const char* text;
    char point;
    double share;        // -1: refused
    const char* message; // the first line of the refusal
  } cases[] = {
      {"50", '.', 0.5, ""},
      {" 33.5 % ", '.', 0.335, ""},
      {"40,5", ',', 0.405, ""},
      {"40.5%", ',', 0.405, ""},
      {"0%", '.', 0, ""},
      {"-0", '.', 0, ""},
      {"100", '.', 1, ""},
      {"abc", '.', -1, "\"abc\" is not a number."},
      {"", '.', -1, "No percentage was typed."},
      {"150", '.', -1, "\"150\" is outside the range from 0 to 100%."},
      {"-5%", '.', -1, "\"-5%\" is outside the range from 0 to 100%."},
      {"1e999", '.', -1, "\"1e999\" is outside the range from 0 to 100%."},
      {"40,5", '.', -1, "\"40,5\" was not understood: the decimal mark is a point, as in 40.5."},
      {"50 %%", '.', -1, "\"50 %%\" was not understood."},
  };
  for (const auto& c : cases)
  {
    double share = 7;
    std::string refusal;
    EXPECT_EQ(ParsePercent(c.text, share, c.point, &refusal), c.share >= 0) << c.text;
    EXPECT_DOUBLE_EQ(share, c.share >= 0 ? c.share : 7) << c.text;
    EXPECT_EQ(refusal.substr(0, refusal.find('\r')), c.message) << c.text;
    EXPECT_FALSE(std::signbit(share)) << c.text;
  }
  std::string refusal;
  double share = 0;
  ParsePercent("x", share, ',', &refusal);
  EXPECT_EQ(refusal.substr(refusal.find('\n') + 1),
            "Type a percentage from 0 to 100, for example 50 or 37,5%.");
}

TEST(ParseMeasure, RefusesNumbersThatAreNotFinite)
{
  for (const char* text : {"inf", "-inf", "nan", "NAN(1)", "infinity ft", "1e999", "-1e999 m"})
  {
    double m = 3;
    EXPECT_FALSE(ParseMeasure(text, UNITS_METRIC, m)) << text;
    EXPECT_EQ(m, 0) << text;
  }
  double m = 0;
  EXPECT_TRUE(ParseMeasure("1e300", UNITS_METRIC, m));
}
