#include "ui/paper.h"

#include "storage/settings_store.h"

#include <algorithm>

namespace
{
constexpr char kPaperKey[] = "Paper";
constexpr char kOrientationKey[] = "Orientation";
} // namespace

QPageSize::PageSizeId LocalePaper(const QLocale& locale)
{
  // The territories whose paper is letter size in the common locale data;
  // QLocale tells only the measuring system, which is metric in most of them.
  static constexpr QLocale::Territory kLetterTerritories[] = {
      QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,    QLocale::Philippines,
      QLocale::PuertoRico,   QLocale::Belize,    QLocale::Chile,     QLocale::Colombia,
      QLocale::CostaRica,    QLocale::Guatemala, QLocale::Nicaragua, QLocale::Panama,
      QLocale::ElSalvador,   QLocale::Venezuela,
  };
  const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                      std::find(std::begin(kLetterTerritories), std::end(kLetterTerritories),
                                locale.territory()) != std::end(kLetterTerritories);
  return letter ? QPageSize::Letter : QPageSize::A4;
}

QPageLayout DefaultPageLayout(const CSettingsStore& settings)
{
  QPageSize::PageSizeId paper = LocalePaper();
  const QString key = QString::fromStdString(settings.Read(kPaperSection, kPaperKey));
  for (int id = 0; id <= QPageSize::LastPageSize; ++id)
    if (!key.isEmpty() && QPageSize::key(static_cast<QPageSize::PageSizeId>(id)) == key)
      paper = static_cast<QPageSize::PageSizeId>(id);
  const QPageLayout::Orientation orientation =
      settings.Read(kPaperSection, kOrientationKey) == "Landscape" ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait;
  return QPageLayout(QPageSize(paper), orientation, QMarginsF());
}

void RememberPageLayout(CSettingsStore& settings, const QPageLayout& layout)
{
  const QPageSize::PageSizeId paper = layout.pageSize().id();
  // A size of the printer's own without a standard name is not kept.
  if (paper != QPageSize::Custom)
    settings.Write(kPaperSection, kPaperKey, QPageSize::key(paper).toStdString());
  settings.Write(kPaperSection, kOrientationKey,
                 layout.orientation() == QPageLayout::Landscape ? "Landscape" : "Portrait");
}
