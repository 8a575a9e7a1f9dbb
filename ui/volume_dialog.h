#pragma once
// "Volume": the length, width and height of a volume, shown and typed in the
// project's unit system, held in metres.

#include "storage/units.h"

#include <QDialog>

class QLineEdit;

class CVolumeDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CVolumeDialog(QWidget* parent = nullptr);

  // Set by the caller before exec() and read back after QDialog::Accepted.
  double mLength = 0; // metres
  double mWidth = 0;  // metres
  double mHeight = 0; // metres
  UnitSystem mUnits = UNITS_METRIC;

  int exec() override;

  QLineEdit* LengthField() const { return mFields[0]; }
  QLineEdit* WidthField() const { return mFields[1]; }
  QLineEdit* HeightField() const { return mFields[2]; }

private:
  double& Value(int index);
  void Commit(int index);
  void ShowValues();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QLineEdit* mFields[3];
};
