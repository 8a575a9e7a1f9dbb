#pragma once
// The program's 8-bit character set is Windows-1252: every text of the model
// and every file holds one byte per character. These helpers classify those
// bytes and convert to and from UTF-8 at the edges (windows, terminal).

#include <cstddef>
#include <string>
#include <string_view>

// A printable character that is not white space: ASCII graphics and the
// characters of Windows-1252 above 0x7F, except the five undefined codes and
// the no-break space.
bool IsVisible1252(unsigned char c);

// Tab, line feed, vertical tab, form feed, carriage return, space and the
// no-break space (0xA0).
bool IsSpace1252(unsigned char c);

inline bool IsVisible1252(char c) { return IsVisible1252(static_cast<unsigned char>(c)); }
inline bool IsSpace1252(char c) { return IsSpace1252(static_cast<unsigned char>(c)); }

// The ASCII letters A to Z in lower case; every other byte as it is (the
// words the files and fields take are ASCII).
inline char LowerAscii(char c)
{
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// True when the texts differ at most in the case of ASCII letters.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// Converts Windows-1252 bytes to UTF-8. Undefined codes become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);

// Converts UTF-8 to Windows-1252. A character the set cannot hold is never
// stored as something else: it is left out and `lost` (when given) is set.
// Malformed UTF-8 sequences count as such characters.
std::string Utf8ToCp1252(std::string_view text, bool* lost = nullptr);

// The UTF-8 character at text[i]: its code point goes to u and its length in
// bytes is returned; 0 for a malformed sequence (cut short, overlong, a
// surrogate or beyond U+10FFFF) or when i is at the end.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& u);
// Appends the UTF-8 form of the code point.
void AppendUtf8(std::string& out, char32_t u);

// The Windows-1252 byte for a Unicode code point, or -1 when it has none.
int UnicodeToCp1252(char32_t u);

// The Unicode code point of a Windows-1252 byte (U+FFFD for undefined codes).
char32_t Cp1252ToUnicode(unsigned char c);
