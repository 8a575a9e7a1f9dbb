#include "storage/printf.h"

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
