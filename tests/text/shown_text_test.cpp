#include "text/shown_text.h"

#include <gtest/gtest.h>

#include <string>

// What a message shows of a file's bytes: nothing a terminal or dialog acts
// on, the readable characters as they are.
TEST(ShownText, EscapesWhatADisplayWouldActOn)
{
  using namespace std::string_literals;
  struct
  {
    std::string mBytes;
    std::string mUtf8; // ShownText: UTF-8
    std::string m1252; // Shown1252: Windows-1252
  } cases[] = {
      {"plain Room 1", "plain Room 1", "plain Room 1"},
      {"\x1b[31mred", "\\x1b[31mred", "\\x1b[31mred"},
      {"a\0b"s, "a\\x00b", "a\\x00b"},
      {"one\r\ntwo\tthree", "one\\r\\ntwo\\tthree", "one\\r\\ntwo\\tthree"},
      {"del\x7f", "del\\x7f", "del\\x7f"},
      // Windows-1252 letters stay readable; in a UTF-8 text a stray byte is
      // read as Windows-1252, a valid UTF-8 letter as itself.
      {"Caf\xe9 \x80 \x9f\xa0", "Caf\xc3\xa9 \xe2\x82\xac \xc5\xb8\xc2\xa0",
       "Caf\xe9 \x80 \x9f\xa0"},
      {"Caf\xc3\xa9", "Caf\xc3\xa9", "Caf\xc3\xa9"},
      // Undefined Windows-1252 codes, C1 controls written in UTF-8, the
      // character-set escape of a terminal and a right-to-left override.
      {"x\x81y\x9d", "x\\x81y\\x9d", "x\\x81y\\x9d"},
      {"\xc2\x9b"
       "2J",
       "\\x9b2J",
       "\xc2\x9b"
       "2J"},
      {"file\xe2\x80\xaegpj.ad", "file\\u{202e}gpj.ad", "file\xe2\x80\xaegpj.ad"},
      // Malformed UTF-8 (an overlong '/') is never read as what it pretends to be.
      {"\xc0\xaf", "\xc3\x80\xc2\xaf", "\xc0\xaf"},
  };
  for (const auto& c : cases)
  {
    EXPECT_EQ(ShownText(c.mBytes), c.mUtf8) << c.mUtf8;
    EXPECT_EQ(Shown1252(c.mBytes), c.m1252) << c.m1252;
    // Shown once is shown for good: a message may pass two such places.
    EXPECT_EQ(ShownText(c.mUtf8), c.mUtf8) << c.mUtf8;
    EXPECT_EQ(Shown1252(c.m1252), c.m1252) << c.m1252;
  }
}
