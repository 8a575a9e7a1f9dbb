#include "ui/volume_tab_errors.h"

#include "model/area.h"
#include "model/text_lines.h"
#include "ui/qt_text.h"

#include <QListWidget>
#include <QVBoxLayout>

CVTXAreaPageSummary::CVTXAreaPageSummary(CVolumePageHost& sheet)
    : CVTXAreaPage(sheet), mList(new QListWidget(this))
{
  mList->setSelectionMode(QAbstractItemView::NoSelection);
  mList->setSortingEnabled(false);
  mList->setFocusPolicy(Qt::NoFocus);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mList);
  FixPageSize(307, 175);
}

void CVTXAreaPageSummary::Refresh()
{
  const CArea* area = Area();
  if (!area)
    return;
  CTextLines labels;
  QStringList lines;
  if (AreaErrorLines(*area, labels))
    for (const std::string& label : labels)
      lines << ToQt(label);
  else
    lines << kNoVolumeErrorsText;
  mList->clear();
  mList->addItems(lines);
}
