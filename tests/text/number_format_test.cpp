#include "text/measure_parse.h"
#include "text/number_format.h"
#include "text/printf.h"

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
