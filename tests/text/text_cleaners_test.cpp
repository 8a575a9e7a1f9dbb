#include "text/text_cleaners.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextCleaners, CleanFileName)
{
  EXPECT_EQ(CleanFileName("  Main   Hall/East"), "Main Hall");
  EXPECT_EQ(CleanFileName("Smith: Plumbing"), "Smith");
  EXPECT_EQ(CleanFileName("a\tb"), "a");
  EXPECT_EQ(CleanFileName("Caf\xe9  Nord "), "Caf\xe9 Nord");
  EXPECT_EQ(CleanFileName(std::string(300, 'x')).size(), 255u);
  EXPECT_EQ(CleanFileName(std::string(254, 'x') + "  y"), std::string(254, 'x'));
  for (char bad : std::string("\"*/:<>?\\|"))
    EXPECT_EQ(CleanFileName(std::string("ab") + bad + "cd"), "ab");
}

TEST(TextCleaners, CollapseSpacesAndPadRight)
{
  EXPECT_EQ(CollapseSpaces("  a \t b  "), "a b");
  EXPECT_EQ(CollapseSpaces("\r\n"), "");
  EXPECT_EQ(CollapseSpaces("  Room   1 "), "Room 1");
  EXPECT_EQ(CollapseSpaces("\xe9t\xe9\xa0\xe9t\xe9"), "\xe9t\xe9 \xe9t\xe9");
  EXPECT_EQ(PadRight("ab", 4), "ab  ");
  EXPECT_EQ(PadRight("abcdef", 4), "abcdef");
}
