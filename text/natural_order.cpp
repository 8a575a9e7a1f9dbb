#include "text/natural_order.h"

#include "text/charset.h"

#include <cstddef>

namespace
{
bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

// The end of the run of digits that starts at `at`.
std::size_t DigitsEnd(std::string_view text, std::size_t at)
{
  while (at < text.size() && IsDigit(text[at]))
    ++at;
  return at;
}

int Sign(int value)
{
  return (value > 0) - (value < 0);
}
} // namespace

int NaturalCompare(std::string_view a, std::string_view b)
{
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size())
  {
    if (IsDigit(a[i]) && IsDigit(b[j]))
    {
      // Numbers of any length: leading zeros off, then the longer run is the
      // larger number, else the first digit that differs decides.
      const std::size_t endA = DigitsEnd(a, i);
      const std::size_t endB = DigitsEnd(b, j);
      std::size_t x = i;
      std::size_t y = j;
      while (x + 1 < endA && a[x] == '0')
        ++x;
      while (y + 1 < endB && b[y] == '0')
        ++y;
      if (endA - x != endB - y)
        return endA - x < endB - y ? -1 : 1;
      for (; x < endA; ++x, ++y)
        if (a[x] != b[y])
          return a[x] < b[y] ? -1 : 1;
      i = endA;
      j = endB;
      continue;
    }
    const auto p = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto q = static_cast<unsigned char>(LowerAscii(b[j]));
    if (p != q)
      return p < q ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size())
    return i < a.size() ? 1 : -1;
  return Sign(a.compare(b));
}
