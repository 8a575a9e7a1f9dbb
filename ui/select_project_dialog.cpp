#include "ui/select_project_dialog.h"

#include "document/open_projects.h"
#include "model/project.h"
#include "storage/recent_projects.h"
#include "storage/settings_store.h"
#include "storage/work_folder.h"
#include "ui/app.h"
#include "ui/dialog_support.h"
#include "ui/list_columns.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace
{
QString PickFolderWithDialog(QWidget* parent, const QString& start)
{
  return QFileDialog::getExistingDirectory(parent, "Choose a Folder", start,
                                           QFileDialog::ShowDirsOnly);
}
} // namespace

CSelectProjectDialog::CSelectProjectDialog(QWidget* parent)
  : QDialog(parent), mPickFolder(PickFolderWithDialog), mFolder(new QLabel(this)),
    mList(new QTreeWidget(this)), mOpen(new QPushButton("Open", this)),
    mRename(new QPushButton("Rename", this)), mMove(new QPushButton("Move", this)),
    mDelete(new QPushButton("Delete", this)),
    mChangeDirectory(new QPushButton("Change Directory", this))
{
  setWindowTitle("Open Project");

  auto* folderGroup = new QGroupBox("Directory", this);
  auto* folderLayout = new QHBoxLayout(folderGroup);
  mFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  mFolder->setMinimumWidth(DialogUnitsX(this, 200));
  // A long path is cut off rather than widening the dialog; the tip shows it whole.
  mFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  folderLayout->addWidget(mFolder, 1);
  folderLayout->addWidget(mChangeDirectory);

  mList->setColumnCount(4);
  mList->setHeaderLabels({"Name", "Date", "Designer", "Reference"});
  mList->setRootIsDecorated(false);
  mList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  mList->setSortingEnabled(false);
  mList->header()->setSectionsClickable(false);
  mList->header()->setSectionsMovable(false);
  mList->header()->setStretchLastSection(false);
  mList->setMinimumSize(DialogUnitsX(this, 300), DialogUnitsY(this, 140));
  mList->setItemDelegate(new CCutCellTipDelegate(mList));
  // A column the user sizes keeps its width, now and the next time.
  connect(mList->header(), &QHeaderView::sectionResized, this,
          [this]
          {
            if (mFitting)
              return;
            mColumnWidths.clear();
            for (int i = 0; i < mList->columnCount(); ++i)
              mColumnWidths.push_back(mList->header()->sectionSize(i));
          });

  auto* cancel = new QPushButton("Cancel", this);
  mOpen->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {mOpen, mRename, mMove, mDelete, cancel})
    buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folderGroup);
  layout->addWidget(mList, 1);
  layout->addLayout(buttons);

  connect(mOpen, &QPushButton::clicked, this, &CSelectProjectDialog::OnOpen);
  connect(mRename, &QPushButton::clicked, this, &CSelectProjectDialog::OnRename);
  connect(mMove, &QPushButton::clicked, this, &CSelectProjectDialog::OnMove);
  connect(mDelete, &QPushButton::clicked, this, &CSelectProjectDialog::OnDelete);
  connect(mChangeDirectory, &QPushButton::clicked, this,
          &CSelectProjectDialog::OnChangeDirectory);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(mList, &QTreeWidget::itemSelectionChanged, this, &CSelectProjectDialog::UpdateButtons);
  // Enter on the row under the keyboard cursor, none being selected, selects
  // it; the key then reaches "Open", the default button, like a double click.
  connect(mList, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item)
          {
            if (item && SelectedRows().empty())
              item->setSelected(true);
          });
  connect(mList, &QTreeWidget::itemDoubleClicked, this,
          [this]
          {
            if (SelectedRows().size() == 1)
              OnOpen();
          });

  Fill();
  EnterPressesFocusedButton(this);
  RestoreLayout();
}

void CSelectProjectDialog::RestoreLayout()
{
  const CSettingsStore& settings = Settings();
  const QStringList size =
    QString::fromStdString(settings.Read(kSettingsSection, kSizeKey)).split('x');
  if (size.size() == 2)
  {
    QSize remembered(size[0].toInt(), size[1].toInt());
    // Within the screen as it is now (another screen, another scale), its
    // frame included.
    if (const QScreen* screen = this->screen())
      remembered = remembered.boundedTo(screen->availableGeometry().size() * 9 / 10);
    if (remembered.width() > 0 && remembered.height() > 0)
      resize(remembered.expandedTo(minimumSizeHint()));
  }
  const QStringList columns =
    QString::fromStdString(settings.Read(kSettingsSection, kColumnsKey)).split(',');
  std::vector<int> widths;
  for (const QString& column : columns)
    if (const int width = column.toInt(); width > 0)
      widths.push_back(width);
  if (static_cast<int>(widths.size()) == mList->columnCount())
    mColumnWidths = widths;
}

void CSelectProjectDialog::RememberLayout() const
{
  CSettingsStore& settings = Settings();
  settings.Write(kSettingsSection, kSizeKey,
                 QString("%1x%2").arg(width()).arg(height()).toStdString());
  if (mColumnWidths.empty())
    return;
  QStringList widths;
  for (int width : mColumnWidths)
    widths << QString::number(width);
  settings.Write(kSettingsSection, kColumnsKey, widths.join(',').toStdString());
}

void CSelectProjectDialog::done(int result)
{
  RememberLayout();
  QDialog::done(result);
}

bool CSelectProjectDialog::SelectName(const std::string& name)
{
  for (std::size_t row = 0; row < mRows.size(); ++row)
    if (mRows[row].mName == name)
    {
      QTreeWidgetItem* item = mList->topLevelItem(static_cast<int>(row));
      mList->setCurrentItem(item);
      mList->clearSelection();
      item->setSelected(true);
      mList->scrollToItem(item);
      return true;
    }
  return false;
}

void CSelectProjectDialog::Fill()
{
  mFolder->setText(PathToQt(CurrentFolder()));
  mFolder->setToolTip(mFolder->text());
  mRows = ReadCatalogue(".", OpenProjects().Names());
  mList->clear();
  QList<QTreeWidgetItem*> items;
  for (const CCatalogueRow& row : mRows)
    items << new QTreeWidgetItem(
      QStringList{ToQt(row.mName), ToQt(row.mDate), ToQt(row.mDesigner), ToQt(row.mReference)});
  mList->addTopLevelItems(items);
  UpdateButtons();
}

std::vector<int> CSelectProjectDialog::SelectedRows() const
{
  std::vector<int> rows;
  for (QTreeWidgetItem* item : mList->selectedItems())
    rows.push_back(mList->indexOfTopLevelItem(item));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CSelectProjectDialog::UpdateButtons()
{
  const std::size_t n = SelectedRows().size();
  mOpen->setEnabled(n == 1);
  mRename->setEnabled(n == 1);
  mMove->setEnabled(n >= 1);
  mDelete->setEnabled(n >= 1);
}

void CSelectProjectDialog::FitColumns()
{
  mFitting = true;
  if (!mColumnWidths.empty())
  {
    for (std::size_t i = 0; i < mColumnWidths.size(); ++i)
      mList->header()->resizeSection(static_cast<int>(i), mColumnWidths[i]);
  }
  else
  {
    // A quarter each of the inner width less a vertical scroll bar, so the
    // columns fit whether or not the bar is shown; a column whose texts need
    // more takes it from the others.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mList);
    const int inner = mList->width() - 2 * mList->frameWidth();
    const int column = std::max(1, (inner - bar) / 4);
    FitListColumns(mList, mList->header(), std::vector<int>(4, column));
  }
  mFitting = false;
}

void CSelectProjectDialog::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  FitColumns();
}

void CSelectProjectDialog::resizeEvent(QResizeEvent* event)
{
  QDialog::resizeEvent(event);
  FitColumns();
}

void CSelectProjectDialog::OnOpen()
{
  const std::vector<int> rows = SelectedRows();
  if (rows.size() != 1)
    return;
  mName = mRows[static_cast<std::size_t>(rows.front())].mName;
  accept();
}

void CSelectProjectDialog::TellFailures(const QStringList& failures)
{
  if (!failures.isEmpty())
    ShowMessage(this, kAppTitle, failures.join("\r\n"), CPromptIcon::Exclamation);
}

void CSelectProjectDialog::OnRename()
{
  const std::vector<int> rows = SelectedRows();
  if (rows.size() != 1)
    return;
  const std::string from = mRows[static_cast<std::size_t>(rows.front())].mName;
  std::string to;
  if (!AskProjectName(this, from, to))
    return;
  std::string error;
  if (!RenameProjectFile(".", from, to, &error))
    TellFailures({QString("The project file for \"%1\" could not be renamed to \"%2\": %3.")
                    .arg(ToQt(from), ToQt(to), PathToQt(error))});
  else
    RenameRecentProject(Settings(), ProjectFileName(from), ProjectFileName(to));
  Fill();
  // The file keeps its place under the cursor, under whichever name it has.
  if (!SelectName(to))
    SelectName(from);
}

void CSelectProjectDialog::OnMove()
{
  const std::vector<int> rows = SelectedRows();
  if (rows.empty())
    return;
  const std::string current = CurrentFolder();
  const QString picked = mPickFolder(this, PathToQt(current));
  if (picked.isEmpty())
    return;
  const std::string target = PathFromQt(picked);
  // The same folder written differently counts as the same: moving a file
  // onto itself would delete it.
  if (SameFolder(target, current))
  {
    ShowMessage(this, "Error",
                "The directory you choose must be different than the directory they are in "
                "already.",
                CPromptIcon::Exclamation);
    return;
  }
  bool attempted = false;
  QStringList failures;
  for (int row : rows)
  {
    const std::string& name = mRows[static_cast<std::size_t>(row)].mName;
    bool replace = false;
    if (ProjectFileExists(target, name))
    {
      const QString text =
        QString("The project file for \"%1\" already exists in \"%2\".  If you would like to "
                "overwrite the file that is in \"%2\", click \"OK\", otherwise, if you would "
                "like to cancel this operation, click \"CANCEL\".")
          .arg(ToQt(name), picked);
      if (!AskOkCancel(this, "Confirmation", text, CPromptIcon::Question))
        continue;
      replace = true;
    }
    attempted = true;
    std::string error;
    if (!MoveProjectFile(current, target, name, replace, &error))
      failures << QString("The project file for \"%1\" could not be moved: %2.")
                    .arg(ToQt(name), PathToQt(error));
    else
      RenameRecentProject(Settings(), ProjectFileName(name),
                          (std::filesystem::path(target) / ProjectFileName(name)).string());
  }
  TellFailures(failures);
  if (attempted)
    Fill();
}

void CSelectProjectDialog::OnDelete()
{
  const std::vector<int> rows = SelectedRows();
  bool attempted = false;
  QStringList failures;
  for (int row : rows)
  {
    const std::string& name = mRows[static_cast<std::size_t>(row)].mName;
    if (!ProjectFileExists(".", name))
      continue;
    const QString text = QString("If you are sure you want to permanently delete the project "
                                 "file for \"%1\", click \"OK\", otherwise click \"CANCEL\".")
                           .arg(ToQt(name));
    if (!AskOkCancel(this, "Confirmation", text, CPromptIcon::Question))
      continue;
    attempted = true;
    std::string error;
    if (!DeleteProjectFile(".", name, &error))
      failures << QString("The project file for \"%1\" could not be deleted: %2.")
                    .arg(ToQt(name), PathToQt(error));
    else
      RemoveRecentProject(Settings(), ProjectFileName(name));
  }
  TellFailures(failures);
  if (attempted)
    Fill();
}

void CSelectProjectDialog::OnChangeDirectory()
{
  const QString picked = mPickFolder(this, PathToQt(CurrentFolder()));
  if (!picked.isEmpty() && !UseWorkFolder(PathFromQt(picked)))
    ShowMessage(this, kAppTitle,
                QString("The folder \"%1\" cannot be used as the work folder.").arg(picked),
                CPromptIcon::Exclamation);
  Fill();
}
