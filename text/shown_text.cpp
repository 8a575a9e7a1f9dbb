#include "text/shown_text.h"

#include "text/charset.h"
#include "text/printf.h"

namespace
{
// Characters that a terminal or a dialog would act on rather than show:
// the controls, and the marks that reorder the text around them.
bool ActsOnDisplay(char32_t u)
{
  return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x061C || u == 0x200E || u == 0x200F ||
         (u >= 0x2028 && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0xFEFF;
}

void AppendShown(std::string& out, char32_t u)
{
  if (!ActsOnDisplay(u))
    AppendUtf8(out, u);
  else if (u == '\t')
    out += "\\t";
  else if (u == '\n')
    out += "\\n";
  else if (u == '\r')
    out += "\\r";
  else if (u <= 0xFF)
    out += FormatC("\\x%02x", static_cast<unsigned>(u));
  else
    out += FormatC("\\u{%04x}", static_cast<unsigned>(u));
}
} // namespace

std::string ShownText(std::string_view utf8)
{
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();)
  {
    char32_t u = 0;
    const std::size_t n = DecodeUtf8(utf8, i, u);
    if (n > 0)
    {
      AppendShown(out, u);
      i += n;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(utf8[i++]);
    const char32_t read = Cp1252ToUnicode(c);
    if (read == 0xFFFD)
      out += FormatC("\\x%02x", static_cast<unsigned>(c));
    else
      AppendShown(out, read);
  }
  return out;
}

std::string Shown1252(std::string_view cp1252)
{
  std::string out;
  out.reserve(cp1252.size());
  for (char c : cp1252)
  {
    const unsigned char b = static_cast<unsigned char>(c);
    if (IsVisible1252(b) || b == ' ' || b == 0xA0)
      out += c;
    else
      AppendShown(out, b); // a control character or an undefined code
  }
  return out;
}
