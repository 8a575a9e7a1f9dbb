#pragma once
// "Open Project": the project files of the work folder with their date,
// designer and reference; opens one, or renames, moves or deletes files, and
// changes the work folder; the recent-projects list follows the files it
// renames, moves and deletes. Its size and the widths of its columns (once the
// user has set them) are remembered in the settings store.

#include "storage/catalogue.h"

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

class CSelectProjectDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CSelectProjectDialog(QWidget* parent = nullptr);

  // The chosen project's name after QDialog::Accepted (Windows-1252).
  std::string mName;

  // Lets the user pick a folder; an empty text when nothing was picked.
  // Tests put their own answer in place.
  std::function<QString(QWidget* parent, const QString& start)> mPickFolder;

  // Shows the work folder and lists its project files again.
  void Fill();

  QTreeWidget* List() const { return mList; }
  QLabel* FolderLabel() const { return mFolder; }
  QPushButton* OpenButton() const { return mOpen; }
  QPushButton* RenameButton() const { return mRename; }
  QPushButton* MoveButton() const { return mMove; }
  QPushButton* DeleteButton() const { return mDelete; }
  QPushButton* ChangeDirectoryButton() const { return mChangeDirectory; }

  void OnOpen();
  void OnRename();
  void OnMove();
  void OnDelete();
  void OnChangeDirectory();

  // Where the dialog's size and column widths are kept.
  static constexpr const char* kSettingsSection = "Open Project";
  static constexpr const char* kSizeKey = "Size";
  static constexpr const char* kColumnsKey = "Column Widths";

  void done(int result) override;

protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  // Selected rows in list order.
  std::vector<int> SelectedRows() const;
  void UpdateButtons();
  void FitColumns();
  // The remembered size and column widths, and remembering them.
  void RestoreLayout();
  void RememberLayout() const;
  // Selects the row of the project; false when it is not listed.
  bool SelectName(const std::string& name);
  // One message for the files an operation could not handle.
  void TellFailures(const QStringList& failures);

  QLabel* mFolder;
  QTreeWidget* mList;
  QPushButton* mOpen;
  QPushButton* mRename;
  QPushButton* mMove;
  QPushButton* mDelete;
  QPushButton* mChangeDirectory;
  std::vector<CCatalogueRow> mRows;
  // The user's column widths, kept as they are when the dialog resizes.
  std::vector<int> mColumnWidths;
  bool mFitting = false;
};
