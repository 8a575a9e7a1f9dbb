#pragma once
// The "Volumes" page: the project's volumes in a list drawn by the program,
// and the buttons that add, open and delete volumes.

#include "ui/project_page.h"

#include <QString>
#include <functional>

class CVolumeListModel;
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
  // A copy of the selected volume under "NAME (2)", selected. One undo step.
  void OnDuplicate();
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
  // The name of the selected row, and whether a row is selected.
  bool SelectedName(std::string& name) const;
  void ClearSelection();
  // Shows the list anew with the volume of that identity selected.
  void SelectVolume(CVolumeId id);

  QTableView* mList;
  CVolumeListModel* mModel;
  QPushButton* mNew;
  QPushButton* mEdit;
  QPushButton* mDelete;
  QPushButton* mRename;
  QPushButton* mDuplicate;
  QPushButton* mImport;
};
