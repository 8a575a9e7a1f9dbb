#include "ui/selection_list.h"

#include <gtest/gtest.h>

TEST(HazardClass, FillHazardList)
{
  CPlainSelectionList list;
  list.Add("stale");
  FillHazardList(list, -1);
  EXPECT_EQ(list.Items().size(), 10u);
  EXPECT_EQ(list.Items()[0], "CLASS A - SURFACE FIRES");
  int index = 0;
  EXPECT_FALSE(ReadSelection(list, index));
  EXPECT_EQ(index, -1);
  FillHazardList(list, 9);
  EXPECT_TRUE(ReadSelection(list, index));
  EXPECT_EQ(index, 9);
}
