#include "ui/volume_page.h"

#include "document/open_projects.h"
#include "model/area.h"
#include "ui/dialog_support.h"

#include <QLayout>

// ---- CVTXAreaPage

CVTXAreaPage::CVTXAreaPage(CVolumePageHost& sheet) : mSheet(sheet)
{
}

CArea* CVTXAreaPage::Area() const
{
  return mSheet.Area();
}

QSize CVTXAreaPage::DialogUnits(int width, int height) const
{
  return {DialogUnitsX(this, width), DialogUnitsY(this, height)};
}

void CVTXAreaPage::FixPageSize(int width, int height)
{
  QSize size = DialogUnits(width, height);
  if (layout())
    size = size.expandedTo(layout()->minimumSize());
  mPageSize = size;
  // Not fixed: the sheet gives every page the size of the largest one, so no
  // page shows a bare strip beside it.
  setMinimumSize(size);
}

QSize CVTXAreaPage::sizeHint() const
{
  return mPageSize.isValid() ? mPageSize : CVTXPage::sizeHint();
}

CProjectDocument* CVTXAreaPage::Document() const
{
  const CArea* area = Area();
  return area && area->Owner() ? OpenProjects().Document(area->Owner()) : nullptr;
}
