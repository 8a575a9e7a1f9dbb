// A read-only value too long for its field shows its leading digits.

#include "ui/field_helpers.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(ValueField, AFigureTooLongForTheFieldShowsItsStart)
{
  for (Qt::Alignment alignment : {Qt::AlignLeft, Qt::AlignRight})
  {
    CValueField field(nullptr, alignment);
    field.setFixedWidth(60);
    field.show();
    field.SetValue("106680000000000016384 sq m");
    EXPECT_EQ(field.cursorPosition(), 0);
    EXPECT_EQ(field.text(), "106680000000000016384 sq m");
  }
}
