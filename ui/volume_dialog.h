#pragma once
// "Volume": the length, width and height of a volume, shown and typed in the
// project's unit system, held in metres.

#include "text/units.h"

#include <QDialog>

class QLineEdit;

class CVolumeDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CVolumeDialog(QWidget* parent = nullptr);
  ~CVolumeDialog() override;

  // Set by the caller before exec() and read back after QDialog::Accepted.
  double mLength = 0; // metres
  double mWidth = 0;  // metres
  double mHeight = 0; // metres
  UnitSystem mUnits = UNITS_METRIC;

  QLineEdit* LengthField() const { return mFields[0]; }
  QLineEdit* WidthField() const { return mFields[1]; }
  QLineEdit* HeightField() const { return mFields[2]; }

protected:
  // Fills the controls from the members each time the dialog is shown.
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  double& Value(int index);
  // Reads an edited field; every field is then shown from its value. False
  // when the text is refused: unreadable text is told and the value shown
  // again; a length not above 0 is told and left as typed.
  bool Commit(int index);
  void OnOk();

  QLineEdit* mFields[3];
};
