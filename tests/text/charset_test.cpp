#include "text/charset.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(Charset, EqualIgnoringAsciiCaseFoldsOnlyAsciiLetters)
{
  struct CCase
  {
    const char* mA;
    const char* mB;
    bool mEqual;
  } const cases[] = {
      {"Wall", "wALL", true},
      {"", "", true},
      {"wall", "walls", false},
      {"[", "{", false},
      {"@", "`", false},                 // neighbours of the letters
      {"\xc9t\xe9", "\xe9t\xe9", false}, // Windows-1252 letters keep their case
  };
  for (const CCase& c : cases)
    EXPECT_EQ(EqualIgnoringAsciiCase(c.mA, c.mB), c.mEqual) << c.mA << " / " << c.mB;
}
