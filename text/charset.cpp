#include "text/charset.h"

namespace
{
// Code points of 0x80..0x9F; 0 marks the five codes Windows-1252 leaves undefined.
constexpr char32_t kHigh[32] = {
  0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsUndefined(unsigned char c) { return c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] == 0; }

} // namespace

void AppendUtf8(std::string& out, char32_t u)
{
  if (u < 0x80)
  {
    out += static_cast<char>(u);
  }
  else if (u < 0x800)
  {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
  else if (u < 0x10000)
  {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
  else
  {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& u)
{
  if (i >= text.size())
    return 0;
  const unsigned char c = static_cast<unsigned char>(text[i]);
  std::size_t n = 0;
  if (c < 0x80)
  {
    u = c;
    return 1;
  }
  if ((c & 0xE0) == 0xC0)
  {
    u = c & 0x1F;
    n = 2;
  }
  else if ((c & 0xF0) == 0xE0)
  {
    u = c & 0x0F;
    n = 3;
  }
  else if ((c & 0xF8) == 0xF0)
  {
    u = c & 0x07;
    n = 4;
  }
  if (n == 0 || i + n > text.size())
    return 0;
  for (std::size_t k = 1; k < n; ++k)
  {
    const unsigned char cc = static_cast<unsigned char>(text[i + k]);
    if ((cc & 0xC0) != 0x80)
      return 0;
    u = (u << 6) | (cc & 0x3F);
  }
  // An overlong form ("C0 AF" for '/') is malformed, not another way of
  // writing the character: taking it would let a text hide what it holds.
  // So are the surrogates and anything beyond U+10FFFF.
  static constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (u < kShortest[n] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF)
    return 0;
  return n;
}

bool IsVisible1252(unsigned char c)
{
  if (c > 0x20 && c < 0x7F)
    return true;
  if (c < 0x80)
    return false;
  return c != 0xA0 && !IsUndefined(c);
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i]))
      return false;
  return true;
}

bool IsSpace1252(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0xA0; }

char32_t Cp1252ToUnicode(unsigned char c)
{
  if (c < 0x80 || c >= 0xA0)
    return c;
  char32_t u = kHigh[c - 0x80];
  return u ? u : 0xFFFD;
}

int UnicodeToCp1252(char32_t u)
{
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
    return static_cast<int>(u);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] != 0 && kHigh[i] == u)
      return 0x80 + i;
  return -1;
}

std::string Cp1252ToUtf8(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (char ch : text)
    AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text, bool* lost)
{
  std::string out;
  out.reserve(text.size());
  bool dropped = false;
  for (size_t i = 0; i < text.size();)
  {
    char32_t u = 0;
    const std::size_t n = DecodeUtf8(text, i, u);
    if (n == 0)
    {
      dropped = true;
      ++i;
      continue;
    }
    i += n;
    int b = UnicodeToCp1252(u);
    if (b < 0)
      dropped = true;
    else
      out += static_cast<char>(b);
  }
  if (lost)
    *lost = dropped;
  return out;
}
