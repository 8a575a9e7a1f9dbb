// The routines that take typed or stored text: measures and counts, file and
// project names, spaces, notes, the character set conversions, the rich-text
// escape and the C-locale number formatting. The first byte picks the
// numeric parameters (unit system, wrap width, digits); the rest is the text.

#include "fuzz_check.h"
#include "model/device_model.h"
#include "model/text_lines.h"
#include "report/report_content.h"
#include "report/rtf_writer.h"
#include "report/text_report.h"
#include "storage/catalogue.h"
#include "text/charset.h"
#include "text/printf.h"
#include "text/measure_parse.h"
#include "text/number_format.h"
#include "text/text_cleaners.h"
#include "text/units.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace
{
std::string VisibleOnly(std::string_view text)
{
  std::string out;
  for (char c : text)
    if (IsVisible1252(c))
      out += c;
  return out;
}

bool IsForbiddenInFileName(char c) { return std::strchr("\"*/:<>?\\|", c) != nullptr && c != '\0'; }

void CheckCollapseSpaces(std::string_view text)
{
  const std::string out = CollapseSpaces(text);
  FUZZ_CHECK(CollapseSpaces(out) == out);
  FUZZ_CHECK(out.empty() || (out.front() != ' ' && out.back() != ' '));
  FUZZ_CHECK(out.find("  ") == std::string::npos);
  for (char c : out)
    FUZZ_CHECK(c == ' ' || IsVisible1252(c));
  FUZZ_CHECK(VisibleOnly(out) == VisibleOnly(text));
}

void CheckCleanFileName(std::string_view text)
{
  const std::string out = CleanFileName(text);
  FUZZ_CHECK(CleanFileName(out) == out);
  FUZZ_CHECK(out.size() <= 255);
  FUZZ_CHECK(out.empty() || (out.front() != ' ' && !IsSpace1252(out.back())));
  for (char c : out)
    FUZZ_CHECK((c == ' ' || IsVisible1252(c)) && !IsForbiddenInFileName(c));
}

void CheckProjectName(std::string_view text)
{
  const std::string out = NormalizeProjectName(text);
  FUZZ_CHECK(out.find_first_of("/\\") == std::string::npos);
  FUZZ_CHECK(out != "." && out != "..");
  FUZZ_CHECK(NormalizeProjectName(out) == out);
  FUZZ_CHECK(ProjectFileName(out) == out + ".ad");
}

void CheckNotes(std::string_view text, std::size_t width)
{
  const std::string clean = CleanNotes(text);
  FUZZ_CHECK(CleanNotes(clean) == clean);
  FUZZ_CHECK(clean.empty() || (IsVisible1252(clean.front()) && IsVisible1252(clean.back())));
  FUZZ_CHECK(VisibleOnly(clean) == VisibleOnly(text));

  // Wrapping loses no visible character, never splits a word and keeps each
  // line within the width (widened to the longest word).
  const CTextLines lines = WrapText(text, width);
  std::size_t longestWord = 0;
  std::size_t run = 0;
  for (char c : text)
  {
    if (IsVisible1252(c))
      longestWord = std::max(longestWord, ++run);
    else if (IsSpace1252(c))
      run = 0;
  }
  std::string joined;
  for (const std::string& line : lines)
  {
    FUZZ_CHECK(line.size() <= std::max(width, longestWord));
    FUZZ_CHECK(line.empty() || !IsSpace1252(line.back()));
    for (char c : line)
      FUZZ_CHECK(IsVisible1252(c) || (IsSpace1252(c) && c != '\n'));
    joined += line;
  }
  FUZZ_CHECK(VisibleOnly(joined) == VisibleOnly(text));
}

// Undoes RtfEscape; false when the text holds anything it does not write.
bool RtfUnescape(std::string_view text, std::string& out)
{
  auto hex = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
  };
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i)
  {
    const char c = text[i];
    if (c == '{' || c == '}' || static_cast<unsigned char>(c) < 0x20 ||
        static_cast<unsigned char>(c) >= 0x7F)
      return false;
    if (c != '\\')
    {
      out += c;
      continue;
    }
    const std::string_view rest = text.substr(i + 1);
    if (rest.empty())
      return false;
    if (rest[0] == '\\' || rest[0] == '{' || rest[0] == '}')
    {
      out += rest[0];
      i += 1;
    }
    else if (rest.substr(0, 4) == "tab ")
    {
      out += '\t';
      i += 4;
    }
    else if (rest.size() >= 3 && rest[0] == '\'' && hex(rest[1]) >= 0 && hex(rest[2]) >= 0)
    {
      out += static_cast<char>(hex(rest[1]) * 16 + hex(rest[2]));
      i += 3;
    }
    else
    {
      return false;
    }
  }
  return true;
}

void CheckCharacters(std::string_view text)
{
  // Every defined character comes back from UTF-8; undefined codes are lost.
  std::string defined;
  for (char c : text)
    if (Cp1252ToUnicode(static_cast<unsigned char>(c)) != 0xFFFD)
      defined += c;
  bool lost = false;
  FUZZ_CHECK(Utf8ToCp1252(Cp1252ToUtf8(text), &lost) == defined);
  FUZZ_CHECK(lost == (defined.size() != text.size()));

  // Text read from UTF-8 without loss is exactly what it was read from.
  const std::string narrow = Utf8ToCp1252(text, &lost);
  if (!lost)
    FUZZ_CHECK(Cp1252ToUtf8(narrow) == text);
  FUZZ_CHECK(Utf8ToCp1252(Cp1252ToUtf8(narrow)) == narrow);

  std::string back;
  FUZZ_CHECK(RtfUnescape(RtfEscape(text), back));
  FUZZ_CHECK(back == text);
}

void CheckMeasure(std::string_view text, UnitSystem units, char decimalPoint)
{
  double metres = -1;
  CMeasureRefusal refusal;
  if (!ParseMeasure(text, units, metres, decimalPoint, &refusal))
  {
    FUZZ_CHECK(metres == 0);
    FUZZ_CHECK(refusal.mProblem != MeasureProblem::None);
    FUZZ_CHECK(!MeasureRefusalText(refusal).empty());
    return;
  }
  FUZZ_CHECK(std::isfinite(metres) && metres >= 0);
  if (units >= UnitSystemCount)
    return;
  // What a field shows reads back to a value that shows the same.
  const std::string shown = FormatMeasure(metres, units, 1);
  double again = -1;
  FUZZ_CHECK(ParseMeasure(shown, units, again, decimalPoint));
  FUZZ_CHECK(FormatMeasure(again, units, 1) == shown);
}

void CheckCount(std::string_view text)
{
  std::uint32_t count = 12345;
  if (!ParseCount(text, count))
  {
    FUZZ_CHECK(count == 12345);
    return;
  }
  std::uint32_t again = 0;
  FUZZ_CHECK(ParseCount(FormatCount(count), again));
  FUZZ_CHECK(again == count);
}

void CheckNumbers(std::string_view text, unsigned digits)
{
  const std::string copy(text); // up to the first NUL, as a C string is read
  double value = 0;
  int consumed = -1;
  if (ScanDouble(copy.c_str(), value, consumed))
    FUZZ_CHECK(consumed > 0 && static_cast<std::size_t>(consumed) <= std::strlen(copy.c_str()));

  // The first eight bytes as a double and as an unsigned number.
  if (text.size() < sizeof(double))
    return;
  double d = 0;
  std::memcpy(&d, text.data(), sizeof d);
  // The printf-free formatting gives printf's texts, digit for digit,
  // infinities and NaNs included.
  const int precision = static_cast<int>(digits % 24);
  FUZZ_CHECK(FormatFixed(d, precision) == FormatC("%.*f", precision, d));
  std::string general;
  AppendGeneral(general, d);
  FUZZ_CHECK(general == FormatC("%g", d));
  std::uint64_t whole = 0;
  std::memcpy(&whole, text.data(), sizeof whole);
  std::string number;
  AppendUnsigned(number, whole);
  FUZZ_CHECK(number == FormatC("%llu", static_cast<unsigned long long>(whole)));

  // A finite double written with 17 digits reads back to the same bits.
  if (!std::isfinite(d))
    return;
  const std::string g = FormatC("%.17g", d);
  double back = 0;
  FUZZ_CHECK(ScanDouble(g.c_str(), back, consumed));
  FUZZ_CHECK(static_cast<std::size_t>(consumed) == g.size());
  FUZZ_CHECK(std::memcmp(&back, &d, sizeof d) == 0);

  // Long texts (past the first buffer) come out whole.
  const std::string f = FormatC("%.*f", static_cast<int>(digits % 64) * 16, d);
  FUZZ_CHECK(f.size() == static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.*f",
                                                                 static_cast<int>(digits % 64) * 16, d)));
  FUZZ_CHECK(ScanDouble(f.c_str(), back, consumed));
  FUZZ_CHECK(static_cast<std::size_t>(consumed) == f.size());

  const std::string s = FormatSignificant(d, digits % 12);
  FUZZ_CHECK(ScanDouble(s.c_str(), back, consumed));
  FUZZ_CHECK(static_cast<std::size_t>(consumed) == s.size());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  const unsigned parameter = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckCollapseSpaces(text);
  CheckCleanFileName(text);
  CheckProjectName(text);
  CheckNotes(text, parameter % 90);
  CheckCharacters(text);
  CheckMeasure(text, parameter % 3, parameter & 4 ? ',' : '.');
  CheckCount(text);
  CheckNumbers(text, parameter);
  return 0;
}
