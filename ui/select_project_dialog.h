#pragma once
// "Open Project": the project files of the work folder with their date,
// designer and reference; opens one, or renames, moves or deletes files, and
// changes the work folder.

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

protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  // Selected rows in list order.
  std::vector<int> SelectedRows() const;
  void UpdateButtons();
  void FitColumns();
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
};
