#include "ui/volume_tab_openings.h"

#include "document/project_document.h"
#include "model/area.h"
#include "model/vent.h"
#include "text/units.h"
#include "ui/dialog_support.h"
#include "ui/field_helpers.h"
#include "ui/list_columns.h"
#include "ui/opening_dialog.h"
#include "ui/opening_list_model.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

CVTXAreaPageDimension::CVTXAreaPageDimension(CVolumePageHost& sheet)
    : CVTXAreaPage(sheet), mCeiling(new CValueField(this)), mWallUpper(new CValueField(this)),
      mUpper(new CValueField(this)), mFloor(new CValueField(this)),
      mWallLower(new CValueField(this)), mLower(new CValueField(this)),
      mTotal(new CValueField(this)), mList(new QTableView(this)), mModel(new CVentListModel(this)),
      mNew(new QPushButton("&New", this)), mEdit(new QPushButton("&Edit", this)),
      mDuplicate(new QPushButton("&Duplicate", this)), mDelete(new QPushButton("&Delete", this))
{

  auto* sums = new QGridLayout;
  sums->addWidget(Group("Ceiling", mCeiling, this, {.mColumn = true}), 0, 0);
  sums->addWidget(Group("Upper Wall Half", mWallUpper, this, {.mColumn = true}), 0, 1);
  sums->addWidget(Group("Upper Half", mUpper, this, {.mColumn = true}), 0, 2);
  sums->addWidget(Group("Floor", mFloor, this, {.mColumn = true}), 1, 0);
  sums->addWidget(Group("Lower Wall Half", mWallLower, this, {.mColumn = true}), 1, 1);
  sums->addWidget(Group("Lower Half", mLower, this, {.mColumn = true}), 1, 2);
  // The total spans both rows with its value level with the lower row.
  sums->addWidget(Group("Total", mTotal, this, {.mColumn = true, .mStretchBefore = true}), 0, 3, 2,
                  1);
  for (int column = 0; column < 4; ++column)
    sums->setColumnStretch(column, 1);

  mModel->SetSource([this]() -> const CVentTable* { return Area() ? &Area()->mVentTable : nullptr; });
  mList->setModel(mModel);
  mList->setItemDelegate(new CCutCellTipDelegate(mList));
  SetUpListTable(mList, QAbstractItemView::ExtendedSelection, 4);
  // The selection stays visible while the list has no focus (a button does).
  QPalette colours = mList->palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Active, QPalette::Highlight));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::HighlightedText));
  mList->setPalette(colours);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(mNew);
  buttons->addWidget(mEdit);
  buttons->addWidget(mDuplicate);
  buttons->addWidget(mDelete);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sums);
  layout->addWidget(mList, 1);
  layout->addLayout(buttons);
  FixPageSize(307, 175);

  UpdateButtons();
  connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateButtons(); });
  connect(mList, &QTableView::doubleClicked, this, [this] { OnEdit(); });
  connect(mNew, &QPushButton::clicked, this, &CVTXAreaPageDimension::OnNew);
  connect(mEdit, &QPushButton::clicked, this, &CVTXAreaPageDimension::OnEdit);
  connect(mDuplicate, &QPushButton::clicked, this, &CVTXAreaPageDimension::OnDuplicate);
  connect(mDelete, &QPushButton::clicked, this, &CVTXAreaPageDimension::OnDelete);
}

void CVTXAreaPageDimension::showEvent(QShowEvent* event)
{
  CVTXAreaPage::showEvent(event);
  SizeColumns();
}

void CVTXAreaPageDimension::SizeColumns()
{
  // Five equal shares of the client width less a vertical scroll bar, whether
  // or not one is shown, so the columns never jump; a column whose texts need
  // more takes it from the others.
  const int client = mList->width() - 2 * mList->frameWidth();
  const int scrollBar = mList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mList);
  FitListColumns(mList, mList->horizontalHeader(), std::vector<int>(kVentColumnCount, VentColumnWidth(client, scrollBar)));
}

void CVTXAreaPageDimension::resizeEvent(QResizeEvent* event)
{
  CVTXAreaPage::resizeEvent(event);
  SizeColumns();
}

void CVTXAreaPageDimension::Refresh()
{
  CArea* area = Area();
  if (!area)
    return;
  const UnitSystem units = area->Units();

  // The list shows the table in its defined order; row i is entry i.
  if (area->mVentTable.Count() >= 2)
    area->mVentTable.Sort();
  mModel->Reset(units);
  SizeColumns();

  if (mSelectAfterRefresh != -1)
  {
    if (mSelectAfterRefresh < mModel->rowCount())
    {
      const QModelIndex row = mModel->index(mSelectAfterRefresh, 0);
      mList->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
      mList->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
      mList->scrollTo(row);
    }
    mSelectAfterRefresh = -1;
  }

  mCeiling->SetValue(ToQt(SizeText(*area, area->mSizeVentCeiling, units, 2)));
  mWallUpper->SetValue(ToQt(SizeText(*area, area->mSizeVentWallUpper, units, 2)));
  mUpper->SetValue(ToQt(SizeText(*area, area->mSizeVentUpper, units, 2)));
  mFloor->SetValue(ToQt(SizeText(*area, area->mSizeVentFloor, units, 2)));
  mWallLower->SetValue(ToQt(SizeText(*area, area->mSizeVentWallLower, units, 2)));
  mLower->SetValue(ToQt(SizeText(*area, area->mSizeVentLower, units, 2)));
  mTotal->SetValue(ToQt(SizeText(*area, area->mSizeOpen, units, 2)));

  UpdateButtons();
}

std::vector<int> CVTXAreaPageDimension::SelectedRows() const { return SelectedListRows(mList); }

void CVTXAreaPageDimension::UpdateButtons()
{
  const std::size_t selected = SelectedRows().size();
  mEdit->setEnabled(selected == 1);
  mDuplicate->setEnabled(selected == 1);
  mDelete->setEnabled(selected >= 1);
}

void CVTXAreaPageDimension::OnNew()
{
  CArea* area = Area();
  if (!area)
    return;
  CVentDialog dialog(this);
  dialog.mUnits = area->Units();
  CVentValues values; // WALL, RECTANGULAR, 0 by 0, all of it upper
  if (!dialog.EditVent("New Opening", values))
    return;
  mList->clearSelection();
  std::string reason;
  CProjectDocument* document = Document();
  if (document && !document->Apply(edit::AddOpening{area->Id(), values}, &reason) &&
      !reason.empty())
    ShowMessage(this, kAppTitle, ToQt(reason), CPromptIcon::Exclamation);
}

void CVTXAreaPageDimension::OnEdit()
{
  CArea* area = Area();
  const std::vector<int> rows = SelectedRows();
  if (!area || rows.empty())
    return;
  const std::size_t index = static_cast<std::size_t>(rows.front());
  const CVent* vent = area->mVentTable.Get(index);
  if (!vent)
    return;
  CVentDialog dialog(this);
  dialog.mUnits = area->Units();
  CVentValues values = vent->Values();
  if (!dialog.EditVent("Edit Opening", values))
    return;
  std::string reason;
  CProjectDocument* document = Document();
  if (document && !document->Apply(edit::ChangeOpening{area->Id(), index, values}, &reason) &&
      !reason.empty())
    ShowMessage(this, kAppTitle, ToQt(reason), CPromptIcon::Exclamation);
}

void CVTXAreaPageDimension::OnDuplicate()
{
  CArea* area = Area();
  const std::vector<int> rows = SelectedRows();
  if (!area || rows.empty())
    return;
  CProjectDocument* document = Document();
  // The copy sorts right behind its source, so the source keeps its row.
  if (document &&
      document->Apply(edit::DuplicateOpening{area->Id(), static_cast<std::size_t>(rows.front())}))
    mSelectAfterRefresh = rows.front();
}

void CVTXAreaPageDimension::OnDelete()
{
  CArea* area = Area();
  if (!area)
    return;
  DeleteSelectedRows(mList,
                     [this, area](const std::vector<int>& rows)
                     {
                       if (CProjectDocument* document = Document())
                         document->Apply(edit::DeleteOpenings{
                             area->Id(), std::vector<std::size_t>(rows.begin(), rows.end())});
                     });
}
