#include "text/charset.h"
#include "text/printf.h"
#include "text/units.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <limits>
#include <string>

TEST(FormatSignificant, Table)
{
  struct Case
  {
    double value;
    unsigned digits;
    const char* text;
  };
  const Case cases[] = {
    {2.5, 4, "2.5"},   {123.456, 4, "123.5"}, {567.89, 2, "568"}, {0.001234, 4, "0.0012"},
    {9.9996, 4, "10"}, {-0.5, 4, "-0.5"},     {0, 4, "0"},        {3.25, 2, "3.3"},
    {10.5, 2, "11"},   {0.25, 2, "0.25"},     {1234.5, 4, "1235"}, {5, 0, "5"},
    {0.123456789012, 12, "0.123456789"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatSignificant(c.value, c.digits), c.text) << c.value << " " << c.digits;
}

TEST(FormatMeasure, MetricAndImperial)
{
  EXPECT_EQ(FormatMeasure(0, UNITS_METRIC, 1), "0 m");
  EXPECT_EQ(FormatMeasure(0, UNITS_IMPERIAL, 3), "0 cu ft");
  EXPECT_EQ(FormatMeasure(3.048, UNITS_IMPERIAL, 1), "10 ft");
  EXPECT_EQ(FormatMeasure(1, UNITS_IMPERIAL, 1), "3.3 ft");
  EXPECT_EQ(FormatMeasure(1234.5, UNITS_METRIC, 1), "1235 m");
  EXPECT_EQ(FormatMeasure(12.345, UNITS_METRIC, 1), "12.35 m");
  EXPECT_EQ(FormatMeasure(4.5, UNITS_METRIC, 2), "4.5 sq m");
  EXPECT_EQ(FormatMeasure(120.5, UNITS_METRIC, 3), "120.5 cu m");
  EXPECT_EQ(FormatMeasure(0.3048 * 0.3048 * 150, UNITS_IMPERIAL, 2), "150 sq ft");
  EXPECT_EQ(FormatMeasure(1, UNITS_METRIC, 4), "");
  EXPECT_EQ(FormatMeasure(1, 2, 1), "");
}

TEST(FixedFormats, DensityMassPercentFactorCount)
{
  EXPECT_EQ(FormatFactor(1.5), "1.500");
  EXPECT_EQ(FormatFactor(0.0089583), "0.009");
  EXPECT_EQ(FormatDensity(99.425), "99 g/cu m");
  EXPECT_EQ(FormatMass(29827.5), "29828 g");
  EXPECT_EQ(FormatPercent(0.333), "33%");
  EXPECT_EQ(FormatPercent(1), "100%");
  EXPECT_EQ(FormatCount(4294967295u), "4294967295");
}

TEST(FixedFormats, FastFormattersGivePrintfsText)
{
  // Ties round to even as printf rounds them; signs, zeros, huge and
  // non-finite values come out as printf writes them.
  const double values[] = {0.5,  1.5,     2.5,   -2.5,   0.125, 1e-7, -0.0, 0.0,     12345.6785,
                           1e15, 9.1e15,  1e22,  -1e300, 1e-300, 2.0 / 3, 99.425,
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (double v : values)
  {
    for (int precision = 0; precision <= 3; ++precision)
      EXPECT_EQ(FormatFixed(v, precision), FormatC("%.*f", precision, v)) << v;
    std::string general;
    AppendGeneral(general, v);
    EXPECT_EQ(general, FormatC("%g", v)) << v;
  }
}

TEST(FixedFormats, DoNotFollowTheUserDecimalSeparator)
{
  // The windowing toolkit sets the process locale from the environment; a
  // German locale must not turn "1.500" into "1,500".
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
#ifdef VANTOR_TEST_LOCALE_DIR
  // The build generates the locale into its own folder.
  ::setenv("LOCPATH", VANTOR_TEST_LOCALE_DIR, 1);
  const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  ::unsetenv("LOCPATH");
  ASSERT_TRUE(german) << "the build's German locale in " VANTOR_TEST_LOCALE_DIR " cannot be used";
#else
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE"))
    GTEST_SKIP() << "no German locale installed";
#endif
  ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
  EXPECT_EQ(FormatFactor(1.5), "1.500");
  EXPECT_EQ(FormatSignificant(2.5, 4), "2.5");
  double m = 0;
  EXPECT_TRUE(ParseMeasure("2.5", UNITS_METRIC, m));
  EXPECT_EQ(m, 2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

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
    {"2,5", UNITS_METRIC, '.', -1, P::NotUnderstood, ",5"},
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

TEST(TextCleaners, CleanFileName)
{
  EXPECT_EQ(CleanFileName("  Main   Hall/East"), "Main Hall");
  EXPECT_EQ(CleanFileName("Smith: Plumbing"), "Smith");
  EXPECT_EQ(CleanFileName("a\tb"), "a");
  EXPECT_EQ(CleanFileName("Caf\xe9  Nord "), "Caf\xe9 Nord");
  EXPECT_EQ(CleanFileName(std::string(300, 'x')).size(), 255u);
  EXPECT_EQ(CleanFileName(std::string(254, 'x') + "  y"), std::string(254, 'x'));
  for (char bad : std::string("\"*/:<>?\\|"))
    EXPECT_EQ(CleanFileName(std::string("ab") + bad + "cd"), "ab");
}

TEST(TextCleaners, CollapseSpacesAndPadRight)
{
  EXPECT_EQ(CollapseSpaces("  a \t b  "), "a b");
  EXPECT_EQ(CollapseSpaces("\r\n"), "");
  EXPECT_EQ(CollapseSpaces("  Room   1 "), "Room 1");
  EXPECT_EQ(CollapseSpaces("\xe9t\xe9\xa0\xe9t\xe9"), "\xe9t\xe9 \xe9t\xe9");
  EXPECT_EQ(PadRight("ab", 4), "ab  ");
  EXPECT_EQ(PadRight("abcdef", 4), "abcdef");
}

TEST(Charset, ClassesAndConversion)
{
  EXPECT_TRUE(IsVisible1252('a'));
  EXPECT_TRUE(IsVisible1252('\xe9'));
  EXPECT_TRUE(IsVisible1252('\x80')); // euro sign
  EXPECT_FALSE(IsVisible1252('\x81'));
  EXPECT_FALSE(IsVisible1252(' '));
  EXPECT_FALSE(IsVisible1252('\x7f'));
  EXPECT_TRUE(IsSpace1252('\xa0'));
  EXPECT_EQ(Cp1252ToUtf8("Caf\xe9 \x80"), "Caf\xc3\xa9 \xe2\x82\xac");
  bool lost = true;
  EXPECT_EQ(Utf8ToCp1252("Caf\xc3\xa9 \xe2\x82\xac", &lost), "Caf\xe9 \x80");
  EXPECT_FALSE(lost);
  EXPECT_EQ(Utf8ToCp1252("a\xe2\x98\x83z", &lost), "az"); // snowman has no code
  EXPECT_TRUE(lost);
  EXPECT_EQ(Utf8ToCp1252("a\xffz", &lost), "az");
  EXPECT_TRUE(lost);
  for (int c = 0; c < 256; ++c)
  {
    char32_t u = Cp1252ToUnicode(static_cast<unsigned char>(c));
    if (u != 0xFFFD)
    {
      EXPECT_EQ(UnicodeToCp1252(u), c);
    }
  }
}
