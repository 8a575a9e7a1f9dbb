#include "text/printf.h"

#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace
{
locale_t CLocale()
{
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

// Makes the C locale current for the calling thread while it lives.
class CLocaleScope
{
public:
  CLocaleScope() : mOld(uselocale(CLocale())) {}
  ~CLocaleScope() { uselocale(mOld); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
  locale_t mOld;
};
} // namespace

std::string FormatC(const char* format, ...)
{
  CLocaleScope scope;
  char buffer[512];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0)
    return {};
  if (static_cast<size_t>(n) < sizeof buffer)
    return std::string(buffer, static_cast<size_t>(n));
  std::string out(static_cast<size_t>(n) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(out.data(), out.size(), format, args);
  va_end(args);
  out.resize(static_cast<size_t>(n));
  return out;
}

bool ScanDouble(const char* text, double& value, int& consumed)
{
  CLocaleScope scope;
  double v = 0;
  int n = 0;
  if (std::sscanf(text, "%lf%n", &v, &n) != 1)
    return false;
  value = v;
  consumed = n;
  return true;
}

namespace
{
// Room for any double in fixed notation with the precisions the program uses.
constexpr std::size_t kNumberRoom = 384;
} // namespace

void AppendFixed(std::string& out, double value, int precision)
{
  char buffer[kNumberRoom];
  // Whole numbers are most of what is shown: rounded to the nearest, ties
  // to even, as printf rounds, and written as an integer.
  if (precision == 0 && std::fabs(value) < 9007199254740992.0)
  {
    if (std::signbit(value))
      out += '-';
    const auto whole = static_cast<std::uint64_t>(std::nearbyint(std::fabs(value)));
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, whole);
    out.append(buffer, r.ptr);
    return;
  }
  // std::to_chars gives what printf gives in the C locale, digit for digit.
  const std::to_chars_result r =
    std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  if (r.ec == std::errc())
    out.append(buffer, r.ptr);
  else
    out += FormatC("%.*f", precision, value);
}

std::string FormatFixed(double value, int precision)
{
  std::string out;
  AppendFixed(out, value, precision);
  return out;
}

void AppendGeneral(std::string& out, double value)
{
  char buffer[64];
  const std::to_chars_result r =
    std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  if (r.ec == std::errc())
    out.append(buffer, r.ptr);
  else
    out += FormatC("%g", value);
}

void AppendUnsigned(std::string& out, std::uint64_t value)
{
  char buffer[24];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, r.ptr);
}
