#pragma once
// The "Openings" page: the opening sums of the volume and the list of its
// openings with the commands to add, edit, duplicate and delete them.

#include "ui/volume_page.h"

#include <vector>

class CValueField;
class CVentListModel;
class QPushButton;
class QTableView;

class CVTXAreaPageDimension : public CVTXAreaPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPageDimension(CVolumePageHost& sheet);
  void Refresh() override;

  // The rows selected in the list, in ascending order.
  std::vector<int> SelectedRows() const;

  QTableView* List() const { return mList; }
  QPushButton* NewButton() const { return mNew; }
  QPushButton* EditButton() const { return mEdit; }
  QPushButton* DuplicateButton() const { return mDuplicate; }
  QPushButton* DeleteButton() const { return mDelete; }
  CValueField* CeilingField() const { return mCeiling; }
  CValueField* WallUpperField() const { return mWallUpper; }
  CValueField* UpperField() const { return mUpper; }
  CValueField* FloorField() const { return mFloor; }
  CValueField* WallLowerField() const { return mWallLower; }
  CValueField* LowerField() const { return mLower; }
  CValueField* TotalField() const { return mTotal; }

protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void UpdateButtons();
  void SizeColumns();
  void OnNew();
  void OnEdit();
  void OnDuplicate();
  void OnDelete();

  CValueField* mCeiling;
  CValueField* mWallUpper;
  CValueField* mUpper;
  CValueField* mFloor;
  CValueField* mWallLower;
  CValueField* mLower;
  CValueField* mTotal;
  QTableView* mList;
  CVentListModel* mModel;
  QPushButton* mNew;
  QPushButton* mEdit;
  QPushButton* mDuplicate;
  QPushButton* mDelete;
  int mSelectAfterRefresh = -1; // the row to select after the next refresh
};
