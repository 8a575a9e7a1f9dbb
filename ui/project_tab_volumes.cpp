#include "ui/project_tab_volumes.h"

#include "document/project_document.h"
#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/schedule_import.h"
#include "text/units.h"
#include "ui/list_columns.h"
#include "ui/new_volume_dialog.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/string_dialog.h"
#include "ui/volume_list_model.h"
#include "ui/volume_window.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <iterator>
#include <vector>

CVTXPageArea::CVTXPageArea(CProjectPageHost& sheet)
    : CVTXProjectPage(sheet), mList(new QTableView(this)), mModel(new CVolumeListModel(this)),
      mNew(new QPushButton("&New", this)), mEdit(new QPushButton("&Edit", this)),
      mDelete(new QPushButton("&Delete", this)), mRename(new QPushButton("&Rename...", this)),
      mDuplicate(new QPushButton("D&uplicate", this))
{

  mList->setModel(mModel);
  mList->setItemDelegate(new CVolumeCellDelegate(mList));
  SetUpListTable(mList, QAbstractItemView::SingleSelection, 2);

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
  layout->addWidget(mList, 1);
  layout->addLayout(buttons);

  connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateButtons(); });
  connect(mModel, &QAbstractItemModel::modelReset, this, [this] { UpdateButtons(); });
  connect(mList, &QAbstractItemView::doubleClicked, this, [this] { OnEdit(); });
  connect(mNew, &QPushButton::clicked, this, &CVTXPageArea::OnNew);
  connect(mEdit, &QPushButton::clicked, this, &CVTXPageArea::OnEdit);
  connect(mDelete, &QPushButton::clicked, this, &CVTXPageArea::OnDelete);
  connect(mRename, &QPushButton::clicked, this, &CVTXPageArea::OnRename);
  connect(mDuplicate, &QPushButton::clicked, this, &CVTXPageArea::OnDuplicate);
  auto* rename = new QShortcut(QKeySequence(Qt::Key_F2), mList);
  rename->setContext(Qt::WidgetShortcut);
  connect(rename, &QShortcut::activated, this, &CVTXPageArea::OnRename);
  auto* duplicate = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), mList);
  duplicate->setContext(Qt::WidgetShortcut);
  connect(duplicate, &QShortcut::activated, this, &CVTXPageArea::OnDuplicate);

  mModel->SetProject(Project());
}

void CVTXPageArea::Refresh()
{
  // A closed project shows nothing; the model lets go of it too.
  mModel->SetProject(Project());
  FitColumns();
  UpdateButtons();
}

void CVTXPageArea::UpdateButtons()
{
  const bool selected = mList->selectionModel()->hasSelection();
  mEdit->setEnabled(selected);
  mDelete->setEnabled(selected);
  mRename->setEnabled(selected);
  mDuplicate->setEnabled(selected);
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
  const std::vector<int> rows = SelectedListRows(mList);
  CProject* project = Project();
  if (rows.empty() || !project)
    return false;
  const CArea* area = project->mAreaTable.Get(static_cast<std::size_t>(rows.front()));
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
  mModel->Reset();
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
  std::string name;
  CProjectDocument* document = Document();
  if (!SelectedName(name) || !document)
    return;
  const CVolumeId id = VolumeIdOf(document->Project(), name);
  CStringDialog dialog(this);
  dialog.mTitle = "Rename Volume";
  dialog.mText = name;
  dialog.mValidator = [this, document, id](const std::string& text)
  {
    const std::string refusal = EditRefusal(edit::RenameVolume{id, text}, document->Project());
    if (!refusal.empty())
      ShowMessage(this, kAppTitle, ToQt(refusal), CPromptIcon::Exclamation);
    return refusal.empty();
  };
  if (dialog.exec() != QDialog::Accepted)
    return;
  document->Apply(edit::RenameVolume{id, dialog.mText});
  SelectVolume(id);
}

void CVTXPageArea::OnDuplicate()
{
  std::string name;
  CProjectDocument* document = Document();
  if (!SelectedName(name) || !document)
    return;
  const CVolumeId id = VolumeIdOf(document->Project(), name);
  const std::string copy = DuplicateName(document->Project(), name);
  if (document->Apply(edit::DuplicateVolume{id}))
    SelectVolume(VolumeIdOf(document->Project(), copy));
}

void CVTXPageArea::SelectVolume(CVolumeId id)
{
  mModel->Reset();
  const CProject* project = Project();
  if (!project)
    return;
  for (std::size_t row = 0; row < project->mAreaTable.Count(); ++row)
    if (project->mAreaTable.Get(row)->Id() == id)
    {
      mList->selectRow(static_cast<int>(row));
      mList->scrollTo(mModel->index(static_cast<int>(row), 0));
    }
  UpdateButtons();
}

void CVTXPageArea::OnDelete()
{
  std::string name;
  if (!SelectedName(name))
    return;
  DeleteSelectedRows(mList,
                     [this, &name](const std::vector<int>&)
                     {
                       CArea* area = Project()->mAreaTable.Find(name);
                       CProjectDocument* document = Document();
                       if (!area || !document)
                         return;
                       // The window goes first: it must never outlive its
                       // volume. Typing it may still hand over on closing
                       // joins the delete's step, so one undo brings the
                       // volume back as it was when the delete was asked for.
                       const CVolumeId id = area->Id();
                       const CProjectDocument::CStepGroup step(*document, "Delete Volume");
                       CloseVolumeWindow(area);
                       document->Apply(edit::DeleteVolumes{{id}});
                     });
  UpdateButtons();
  mModel->Reset();
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
  mModel->Reset();
}
