#pragma once
// The "Volumes" page: the project's volumes in a list drawn by the program,
// sorted by any column and narrowed by a filter box, and the buttons that
// add, open, rename, duplicate and delete volumes. The list's selection
// follows the volumes, not the rows: it stays on the same volumes through
// refreshes, sorting and filtering.

#include "ui/project_page.h"

#include "model/area.h"

#include <QString>
#include <functional>
#include <vector>

class CVolumeListModel;
class CVolumeListView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class CVTXPageArea : public CVTXProjectPage
{
  Q_OBJECT
public:
  explicit CVTXPageArea(CProjectPageHost& sheet);
  void Refresh() override;

  QTableView* List() const { return mList; }
  CVolumeListModel* Model() const { return mModel; }
  // The rows as the list shows them, sorted and filtered.
  CVolumeListView* View() const { return mView; }
  QLineEdit* FilterField() const { return mFilter; }
  QLabel* ShownLabel() const { return mShown; }
  QPushButton* NewButton() const { return mNew; }
  QPushButton* EditButton() const { return mEdit; }
  QPushButton* DeleteButton() const { return mDelete; }
  QPushButton* RenameButton() const { return mRename; }
  QPushButton* DuplicateButton() const { return mDuplicate; }

  // The actions of the buttons (and of a double click for OnEdit, F2 on the
  // list for OnRename, Ctrl+D for OnDuplicate).
  void OnNew();
  void OnEdit();
  void OnDelete();
  // Asks the new name of the selected volume; a refused name is said and
  // asked again. One undo step.
  void OnRename();
  // A copy of each selected volume under "NAME (2)", the copies selected.
  // One undo step.
  void OnDuplicate();
  // The clipboard: the selected volumes in the program's own format (to
  // paste into this or another project, in this or another running copy)
  // and as tab-separated rows with the room schedule's columns (to paste
  // into a spreadsheet). Cut is a copy and a delete, one undo step.
  void OnCut();
  void OnCopy();
  // Pastes the clipboard's volumes, or its tab-separated rows read as a room
  // schedule (all or nothing, a wrong row named with its reason), as new
  // volumes selected on the list; a name already used gets " (2)". One undo
  // step.
  void OnPaste();
  // Whether the clipboard holds volumes or text to paste.
  bool CanPaste() const;
  // Header clicks: ascending, then descending, then the table's order again.
  void OnHeaderClicked(int column);

  // The selected volumes, in the table's order; selecting volumes shows
  // their rows (those the filter hides stay unselected).
  std::vector<CVolumeId> SelectedIds() const;
  void SelectIds(const std::vector<CVolumeId>& ids);
  // Reads a CSV room schedule, shows what it adds and updates, and on OK
  // applies it as one change; a schedule with any wrong row changes nothing.
  void OnImport();
  QPushButton* ImportButton() const { return mImport; }
  // Asks for the schedule to import (empty: cancelled); tests put their own.
  std::function<QString(QWidget* parent)> mPickImportFile;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void UpdateButtons();
  void FitColumns();
  void UpdateShown();
  // Puts the volumes on the clipboard; false (said to the user) when it
  // could not.
  bool CopyVolumes(const std::vector<CVolumeId>& ids);
  // Deletes the volumes, their windows first, as one step named a delete or
  // a cut.
  void RemoveVolumes(const std::vector<CVolumeId>& ids, bool cut);
  // The name of the first selected volume, and whether one is selected.
  bool SelectedName(std::string& name) const;
  void ClearSelection();
  // Takes the rows anew from the table, the selection kept on its volumes.
  void Reload();
  // Takes the rows anew from the table with these volumes selected, the
  // first brought into sight if asked.
  void ShowSelected(const std::vector<CVolumeId>& ids, bool bringIntoSight = true);

  QLineEdit* mFilter;
  QLabel* mShown;
  QTableView* mList;
  CVolumeListModel* mModel;
  CVolumeListView* mView;
  QPushButton* mNew;
  QPushButton* mEdit;
  QPushButton* mDelete;
  QPushButton* mRename;
  QPushButton* mDuplicate;
  QPushButton* mImport;
};
