#include "ui/project_tab_volumes.h"

#include "document/project_document.h"
#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/schedule_import.h"
#include "storage/volume_clipboard.h"
#include "text/units.h"
#include "ui/list_columns.h"
#include "ui/new_volume_dialog.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/rename_volume.h"
#include "ui/volume_list_model.h"
#include "ui/volume_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStringList>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <iterator>
#include <vector>

CVTXPageArea::CVTXPageArea(CProjectPageHost& sheet)
    : CVTXProjectPage(sheet), mFilter(new QLineEdit(this)), mShown(new QLabel(this)),
      mList(new QTableView(this)), mModel(new CVolumeListModel(this)),
      mView(new CVolumeListView(mModel, this)), mNew(new QPushButton("&New", this)),
      mEdit(new QPushButton("&Edit", this)), mDelete(new QPushButton("&Delete", this)),
      mRename(new QPushButton("&Rename...", this)), mDuplicate(new QPushButton("D&uplicate", this))
{
  mList->setModel(mView);
  mList->setItemDelegate(new CVolumeCellDelegate(mList));
  SetUpListTable(mList, QAbstractItemView::ExtendedSelection, 2);
  // The headers sort; the sort and the filter are the list's, never the
  // table's.
  QHeaderView* header = mList->horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(false);
  connect(header, &QHeaderView::sectionClicked, this, &CVTXPageArea::OnHeaderClicked);

  mFilter->setPlaceholderText("Filter by name or hazard class");
  mFilter->setClearButtonEnabled(true);
  connect(mFilter, &QLineEdit::textChanged, this,
          [this](const QString& text)
          {
            const std::vector<CVolumeId> selected = SelectedIds();
            mView->SetFilterText(text);
            SelectIds(selected);
            UpdateShown();
          });
  auto* filterKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  filterKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(filterKey, &QShortcut::activated, this,
          [this]
          {
            mFilter->setFocus(Qt::ShortcutFocusReason);
            mFilter->selectAll();
          });
  auto* filterRow = new QHBoxLayout;
  auto* filterLabel = new QLabel("&Filter:", this);
  filterLabel->setBuddy(mFilter);
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(mFilter, 1);
  filterRow->addWidget(mShown);

  mEdit->setEnabled(false);
  mDelete->setEnabled(false);
  mRename->setEnabled(false);
  mDuplicate->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  mImport = new QPushButton("Import...", this);
  mPickImportFile = [](QWidget* parent)
  {
    return QFileDialog::getOpenFileName(parent, "Import Room Schedule", QString(),
                                        "CSV room schedule (*.csv);;All files (*)");
  };
  buttons->addWidget(mImport);
  connect(mImport, &QPushButton::clicked, this, &CVTXPageArea::OnImport);
  buttons->addStretch(1);
  buttons->addWidget(mNew);
  buttons->addWidget(mEdit);
  buttons->addWidget(mRename);
  buttons->addWidget(mDuplicate);
  buttons->addWidget(mDelete);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filterRow);
  layout->addWidget(mList, 1);
  layout->addLayout(buttons);

  connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateButtons(); });
  connect(mView, &QAbstractItemModel::modelReset, this, [this] { UpdateButtons(); });
  connect(mList, &QAbstractItemView::doubleClicked, this, [this] { OnEdit(); });
  connect(mNew, &QPushButton::clicked, this, &CVTXPageArea::OnNew);
  connect(mEdit, &QPushButton::clicked, this, &CVTXPageArea::OnEdit);
  connect(mDelete, &QPushButton::clicked, this, &CVTXPageArea::OnDelete);
  connect(mRename, &QPushButton::clicked, this, &CVTXPageArea::OnRename);
  connect(mDuplicate, &QPushButton::clicked, this, &CVTXPageArea::OnDuplicate);
  // The list's own keys.
  const std::pair<QKeySequence, void (CVTXPageArea::*)()> keys[] = {
      {QKeySequence(Qt::Key_F2), &CVTXPageArea::OnRename},
      {QKeySequence(Qt::CTRL | Qt::Key_D), &CVTXPageArea::OnDuplicate},
      {QKeySequence(Qt::Key_Delete), &CVTXPageArea::OnDelete},
      {QKeySequence(Qt::Key_Return), &CVTXPageArea::OnEdit},
      {QKeySequence(Qt::Key_Enter), &CVTXPageArea::OnEdit},
  };
  for (const auto& [sequence, action] : keys)
  {
    auto* key = new QShortcut(sequence, mList);
    key->setContext(Qt::WidgetShortcut);
    connect(key, &QShortcut::activated, this, action);
  }

  mModel->SetProject(Project());
  UpdateShown();
}

void CVTXPageArea::Refresh()
{
  ShowSelected(SelectedIds(), false);
  FitColumns();
}

void CVTXPageArea::Reload()
{
  ShowSelected(SelectedIds(), false);
}

void CVTXPageArea::UpdateButtons()
{
  const std::size_t selected = mList->selectionModel()->selectedRows().size();
  mEdit->setEnabled(selected > 0);
  mDelete->setEnabled(selected > 0);
  mRename->setEnabled(selected == 1);
  mDuplicate->setEnabled(selected > 0);
}

void CVTXPageArea::UpdateShown()
{
  // How many the filter leaves, said only while it hides some.
  const int all = mModel->rowCount();
  const int shown = mView->rowCount();
  mShown->setText(shown == all ? QString() : QString("%1 of %2 shown").arg(shown).arg(all));
}

void CVTXPageArea::OnHeaderClicked(int column)
{
  QHeaderView* header = mList->horizontalHeader();
  const std::vector<CVolumeId> selected = SelectedIds();
  if (mView->sortColumn() != column)
    mView->sort(column, Qt::AscendingOrder);
  else if (mView->sortOrder() == Qt::AscendingOrder)
    mView->sort(column, Qt::DescendingOrder);
  else
    mView->sort(-1); // the table's order again
  header->setSortIndicatorShown(mView->sortColumn() >= 0);
  if (mView->sortColumn() >= 0)
    header->setSortIndicator(mView->sortColumn(), mView->sortOrder());
  SelectIds(selected);
}

std::vector<CVolumeId> CVTXPageArea::SelectedIds() const
{
  return mView->IdsOf(mList->selectionModel()->selectedRows());
}

void CVTXPageArea::SelectIds(const std::vector<CVolumeId>& ids)
{
  const QItemSelection rows = mView->RowsOf(ids);
  mList->selectionModel()->select(rows,
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (!rows.isEmpty())
    mList->selectionModel()->setCurrentIndex(rows.first().topLeft(), QItemSelectionModel::NoUpdate);
  UpdateButtons();
}

void CVTXPageArea::FitColumns()
{
  int shares[kVolumeColumnCount];
  const int scrollBar = mList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mList);
  VolumeColumnWidths(mList->contentsRect().width(), scrollBar, shares);
  FitListColumns(mList, mList->horizontalHeader(), std::vector<int>(std::begin(shares), std::end(shares)));
}

void CVTXPageArea::resizeEvent(QResizeEvent* event)
{
  CVTXProjectPage::resizeEvent(event);
  FitColumns();
}

void CVTXPageArea::showEvent(QShowEvent* event)
{
  CVTXProjectPage::showEvent(event);
  FitColumns();
}

bool CVTXPageArea::SelectedName(std::string& name) const
{
  const std::vector<CVolumeId> ids = SelectedIds();
  CProject* project = Project();
  if (ids.empty() || !project)
    return false;
  const CArea* area = project->mAreaTable.FindId(ids.front());
  if (!area)
    return false;
  name = area->mName;
  return true;
}

void CVTXPageArea::ClearSelection()
{
  mList->selectionModel()->clearSelection();
  UpdateButtons();
}

void CVTXPageArea::OnNew()
{
  ClearSelection();
  CNewAreaDialog dialog(this);
  dialog.mNameUsed = [this](const std::string& name)
  {
    const CProject* project = Project();
    return project && project->mAreaTable.Find(name) != nullptr;
  };
  if (dialog.exec() != QDialog::Accepted)
    return;
  ClearSelection();
  CProject* project = Project();
  if (!project)
    return;
  // The dialog refuses an empty or used name; the document checks again.
  const std::string name = CollapseSpaces(dialog.mName);
  CProjectDocument* document = Document();
  if (!document || !document->Apply(edit::NewVolume{name, dialog.mHazard}))
    return;
  Reload();
  if (CArea* area = project->mAreaTable.Find(name))
    OpenVolumeWindow(area);
}

void CVTXPageArea::OnEdit()
{
  std::string name;
  if (!SelectedName(name))
    return;
  ClearSelection();
  if (CArea* area = Project()->mAreaTable.Find(name))
    OpenVolumeWindow(area);
}

void CVTXPageArea::OnRename()
{
  const std::vector<CVolumeId> ids = SelectedIds();
  CProjectDocument* document = Document();
  if (ids.size() != 1 || !document)
    return;
  const CVolumeId id = ids.front();
  if (AskVolumeName(this, *document, id))
    ShowSelected({id});
}

void CVTXPageArea::OnDuplicate()
{
  const std::vector<CVolumeId> ids = SelectedIds();
  CProjectDocument* document = Document();
  if (ids.empty() || !document)
    return;
  // Each copy is named as DuplicateName gives at the time it is made, so
  // two copies never take one name.
  std::vector<std::string> names;
  {
    const CProjectDocument::CStepGroup step(*document, ids.size() == 1 ? "Duplicate Volume"
                                                                       : "Duplicate Volumes");
    for (CVolumeId id : ids)
    {
      const CArea* area = document->Project().mAreaTable.FindId(id);
      if (!area)
        continue;
      const std::string copy = DuplicateName(document->Project(), area->mName);
      if (document->Apply(edit::DuplicateVolume{id}))
        names.push_back(copy);
    }
  }
  std::vector<CVolumeId> copies;
  for (const std::string& name : names)
    if (const CVolumeId id = VolumeIdOf(document->Project(), name))
      copies.push_back(id);
  ShowSelected(copies);
}

void CVTXPageArea::ShowSelected(const std::vector<CVolumeId>& ids, bool bringIntoSight)
{
  // A closed project shows nothing; the model lets go of it too.
  mModel->SetProject(Project());
  SelectIds(ids);
  UpdateShown();
  const QModelIndexList rows = mList->selectionModel()->selectedRows();
  if (bringIntoSight && !rows.isEmpty())
    mList->scrollTo(rows.front());
}

void CVTXPageArea::OnDelete()
{
  RemoveVolumes(SelectedIds(), false);
}

void CVTXPageArea::RemoveVolumes(const std::vector<CVolumeId>& ids, bool cut)
{
  CProjectDocument* document = Document();
  if (ids.empty() || !document)
    return;
  ClearSelection();
  {
    // The windows go first: a window must never outlive its volume. Typing
    // it may still hand over on closing joins the delete's step, so one undo
    // brings the volumes back as they were when the delete was asked for.
    const edit::DeleteVolumes command{ids, cut};
    const CProjectDocument::CStepGroup step(*document, command.Name());
    for (CVolumeId id : ids)
      if (CArea* area = document->Project().mAreaTable.FindId(id))
        CloseVolumeWindow(area);
    document->Apply(command);
  }
  Reload();
}

namespace
{
// Up to ten names of the rows, then how many more.
QString NameList(const CSchedule& schedule, bool updates)
{
  QStringList names;
  std::size_t count = 0;
  for (const CScheduleRow& row : schedule.mRows)
    if (row.mUpdates == updates && count++ < 10)
      names << "\"" + ToQt(row.mName) + "\"";
  QString text = names.join(", ");
  if (count > 10)
    text += QString(" and %1 more").arg(count - 10);
  return text;
}
} // namespace

void CVTXPageArea::OnImport()
{
  CProject* project = Project();
  if (!project)
    return;
  const QString path = mPickImportFile(this);
  if (path.isEmpty())
    return;
  std::string bytes;
  std::string error;
  if (!ReadFileBytes(QFile::encodeName(path).toStdString(), bytes, &error))
  {
    ShowMessage(this, kAppTitle, QString("The schedule could not be read.\r\n%1").arg(ToQt(error)),
                CPromptIcon::Error);
    return;
  }
  const CSchedule schedule = ReadSchedule(bytes, *project);
  if (!schedule.Ok())
  {
    // The file's texts are UTF-8.
    QString lines = QString::fromStdString(ScheduleErrorText(schedule, 20));
    lines.replace("\n", "\r\n");
    ShowMessage(this, kAppTitle,
                QString("Nothing was imported: %1 of \"%2\" must be corrected first.\r\n\r\n%3")
                  .arg(schedule.WrongLines() == 1 ? QString("one line")
                                                  : QString("%1 lines").arg(schedule.WrongLines()),
                       QFileInfo(path).fileName(), lines.trimmed()),
                CPromptIcon::Error);
    return;
  }
  QString summary = QString("The schedule \"%1\" adds %2 and updates %3.")
                      .arg(QFileInfo(path).fileName())
                      .arg(schedule.Added() == 1 ? QString("1 volume") : QString("%1 volumes").arg(schedule.Added()))
                      .arg(schedule.Updated() == 1 ? QString("1 volume") : QString("%1 volumes").arg(schedule.Updated()));
  if (schedule.Added() > 0)
    summary += "\r\n\r\nAdded: " + NameList(schedule, false);
  if (schedule.Updated() > 0)
    summary += "\r\n\r\nUpdated: " + NameList(schedule, true);
  summary += "\r\n\r\nImport it?";
  if (!AskOkCancel(this, "Import", summary, CPromptIcon::Question))
    return;
  ClearSelection();
  if (CProjectDocument* document = Document())
    document->Apply(edit::ImportSchedule{&schedule});
  Reload();
}

void CVTXPageArea::OnCopy()
{
  CopyVolumes(SelectedIds());
}

bool CVTXPageArea::CopyVolumes(const std::vector<CVolumeId>& ids)
{
  const CProject* project = Project();
  if (ids.empty() || !project)
    return false;
  std::string bytes;
  std::string error;
  if (!VolumesClipboardBytes(*project, ids, bytes, &error))
  {
    ShowMessage(this, kAppTitle, QString("The volumes could not be copied: %1.").arg(ToQt(error)),
                CPromptIcon::Error);
    return false;
  }
  auto* data = new QMimeData;
  data->setData(kVolumesMimeType, QByteArray::fromStdString(bytes));
  data->setText(QString::fromUtf8(QByteArray::fromStdString(VolumesClipboardText(*project, ids))));
  QApplication::clipboard()->setMimeData(data);
  return true;
}

void CVTXPageArea::OnCut()
{
  // Nothing is deleted unless the clipboard holds the volumes.
  const std::vector<CVolumeId> ids = SelectedIds();
  if (CopyVolumes(ids))
    RemoveVolumes(ids, true);
}

bool CVTXPageArea::CanPaste() const
{
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return Project() && data && (data->hasFormat(kVolumesMimeType) || data->hasText());
}

void CVTXPageArea::OnPaste()
{
  CProjectDocument* document = Document();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!document || !data)
    return;
  CClipboardVolumes volumes;
  std::string error;
  if (data->hasFormat(kVolumesMimeType))
  {
    const QByteArray bytes = data->data(kVolumesMimeType);
    if (!ReadVolumesClipboardBytes(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), volumes,
            &error))
    {
      ShowMessage(
          this, kAppTitle,
          QString("Nothing was pasted: the volumes on the clipboard cannot be read.\r\n\r\n%1")
              .arg(ToQt(error)),
          CPromptIcon::Error);
      return;
    }
  }
  else if (data->hasText())
  {
    const QByteArray text = data->text().toUtf8();
    if (!ReadVolumesClipboardText(
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
            document->Project(), volumes, &error, 20))
    {
      // The clipboard's texts are UTF-8.
      QString lines = QString::fromStdString(error);
      lines.replace("\n", "\r\n");
      ShowMessage(this, kAppTitle,
                  QString("Nothing was pasted: the copied rows must be corrected first.\r\n\r\n%1")
                      .arg(lines.trimmed()),
                  CPromptIcon::Error);
      return;
    }
  }
  else
    return;
  const std::vector<std::string> names = PastedNames(document->Project(), volumes.mVolumes);
  std::string reason;
  if (!document->Apply(edit::PasteVolumes{volumes.mVolumes}, &reason))
  {
    ShowMessage(this, kAppTitle, QString("Nothing was pasted: %1").arg(ToQt(reason)),
                CPromptIcon::Error);
    return;
  }
  std::vector<CVolumeId> pasted;
  for (const std::string& name : names)
    if (const CVolumeId id = VolumeIdOf(document->Project(), name))
      pasted.push_back(id);
  ShowSelected(pasted);
}
