#pragma once
// The "Device" page: how many devices of each model the volume has, how many
// of each single model would cover what is still missing, and the mass and
// density figures; the UL question when the page is left short of devices.

#include "model/device_model.h"
#include "ui/volume_page.h"

class CValueField;
class QLabel;
class QLineEdit;
class QPushButton;

class CVTXAreaPageDevice : public CVTXAreaPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPageDevice(CVolumePageHost& sheet);
  void Refresh() override;
  // Commits the focused "Selected" field, if one has the focus.
  void CommitEdits() override;
  // Asks the UL question when the volume is below its minimum density; true
  // (leave) on No.
  bool QueryLeave() override;
  bool AsksOnLeave() const override { return true; }
  // Takes the count being typed, if a "Selected" field has the focus; false
  // when it was refused (too large to store), the user being told why.
  bool CommitFocusedCount();

  // The widgets of a model's row, by model index 0..7.
  QLabel* NameLabel(int model) const { return mRows[model].mName; }
  CValueField* RequiredField(int model) const { return mRows[model].mRequired; }
  QLineEdit* SelectedField(int model) const { return mRows[model].mSelected; }
  CValueField* HeightField(int model) const { return mRows[model].mHeight; }
  CValueField* MassRequiredField() const { return mMassRequired; }
  CValueField* MassSelectedField() const { return mMassSelected; }
  CValueField* MassRemainingField() const { return mMassRemaining; }
  CValueField* DensityRequiredField() const { return mDensityRequired; }
  CValueField* DensitySelectedField() const { return mDensitySelected; }
  CValueField* DensityRemainingField() const { return mDensityRemaining; }
  CValueField* DensityBaseField() const { return mDensityBase; }
  QPushButton* ProposeButton() const { return mPropose; }

private:
  struct CRow
  {
    QLabel* mName = nullptr;
    CValueField* mRequired = nullptr;
    QLineEdit* mSelected = nullptr;
    CValueField* mHeight = nullptr;
  };
  QWidget* MakeBlock(const int (&models)[4]);
  QWidget* MakeTotals();
  // Takes a typed count; false when it was refused (too large to store).
  bool CommitCount(int model);
  // Replaces the selection with the fewest devices that reach both the
  // required mass and the UL minimum.
  void Propose();

  CRow mRows[DeviceModelCount];
  CValueField* mMassRequired;
  CValueField* mMassSelected;
  CValueField* mMassRemaining;
  CValueField* mDensityRequired;
  CValueField* mDensitySelected;
  CValueField* mDensityRemaining;
  CValueField* mDensityBase;
  QPushButton* mPropose;
};
