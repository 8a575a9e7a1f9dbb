// The order in which the Volumes list sorts names.

#include "text/natural_order.h"

#include <gtest/gtest.h>

TEST(NaturalOrder, NumbersByValueLettersWithoutCaseAndATotalOrder)
{
  const struct
  {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"Room 2", "Room 10", -1},
      {"Room 10", "Room 9", 1},
      {"room 2", "Room 3", -1},  // case does not lead
      {"Room 02", "Room 2", -1}, // equal reading: the bytes decide
      {"Room 2", "Room 2", 0},
      {"Room", "Room 1", -1},                                // a prefix goes first
      {"A1B2", "A1B10", -1},                                 // each run of digits on its own
      {"99999999999999999999", "100000000000000000000", -1}, // past any integer type
      {"Room 007", "Room 8", -1},
      {"Hall", "hall", -1}, // equal reading: "H" before "h"
      {"", "a", -1},
      {"B\xFC"
       "ro",
       "Buro", 1}, // other bytes by their value
  };
  for (const auto& c : cases)
  {
    EXPECT_EQ(NaturalCompare(c.a, c.b), c.order) << c.a << " / " << c.b;
    EXPECT_EQ(NaturalCompare(c.b, c.a), -c.order) << c.b << " / " << c.a;
  }
}
