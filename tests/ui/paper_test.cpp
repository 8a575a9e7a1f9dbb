// The paper the report is printed on when the user has chosen none.

#include "ui/paper.h"

#include "storage/settings_store.h"

#include <gtest/gtest.h>

TEST(Paper, TheLocalesPaperIsLetterWhereLetterIsTheUsage)
{
  for (const char* name : {"en_US", "es_US", "en_CA", "fr_CA", "es_MX", "en_PH", "es_CO"})
    EXPECT_EQ(LocalePaper(QLocale(name)), QPageSize::Letter) << name;
  for (const char* name : {"de_DE", "en_GB", "fr_FR", "en_AU", "en_IN", "es_ES", "ja_JP", "C"})
    EXPECT_EQ(LocalePaper(QLocale(name)), QPageSize::A4) << name;
}

TEST(Paper, TheRememberedChoiceIsTheDefaultAndAnUnknownOneIsIgnored)
{
  CMemorySettingsStore settings;
  QPageLayout layout = DefaultPageLayout(settings);
  EXPECT_EQ(layout.pageSize().id(), LocalePaper());
  EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);

  RememberPageLayout(settings,
                     QPageLayout(QPageSize(QPageSize::Legal), QPageLayout::Landscape, QMarginsF()));
  EXPECT_EQ(settings.Read(kPaperSection, "Paper"), "Legal");
  layout = DefaultPageLayout(settings);
  EXPECT_EQ(layout.pageSize().id(), QPageSize::Legal);
  EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);

  settings.Write(kPaperSection, "Paper", "Napkin");
  EXPECT_EQ(DefaultPageLayout(settings).pageSize().id(), LocalePaper());
}
