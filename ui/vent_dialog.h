#pragma once
// The opening editor: kind, shape, size and upper share of one opening.
// It is also the editor the model's openings use (CVent::Edit).

#include "model/vent.h"
#include "storage/units.h"

#include <QDialog>
#include <cstdint>
#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;

class CVentDialog : public QDialog, public CVentEditor
{
  Q_OBJECT
public:
  explicit CVentDialog(QWidget* parent = nullptr);

  // Set by the caller before exec() and read back after QDialog::Accepted.
  std::string mTitle;                 // caption, Windows-1252
  std::int32_t mType = VENT_WALL;     // VENT_WALL, VENT_CEILING, VENT_FLOOR
  std::int32_t mShape = SHAPE_RECTANGULAR;
  double mWidth = 0;  // metres; the diameter when circular
  double mHeight = 0; // metres
  double mUpper = 1;  // share 0..1 counted as upper (walls)
  UnitSystem mUnits = UNITS_METRIC;

  int exec() override;

  // CVentEditor: runs the dialog on the values; true (values updated) on OK.
  bool EditVent(const char* title, CVentValues& values) override;

  QComboBox* TypeList() const { return mTypeList; }
  QComboBox* ShapeList() const { return mShapeList; }
  QLineEdit* UpperField() const { return mUpperEdit; }
  QLineEdit* WidthField() const { return mWidthEdit; }
  QLineEdit* HeightField() const { return mHeightEdit; }
  QLineEdit* AreaField() const { return mAreaEdit; }
  QGroupBox* UpperGroup() const { return mUpperGroup; }
  QGroupBox* WidthGroup() const { return mWidthGroup; }
  QGroupBox* HeightGroup() const { return mHeightGroup; }

private:
  void UpdateControls();
  void CommitField(QLineEdit* field);
  bool eventFilter(QObject* watched, QEvent* event) override;

  QComboBox* mTypeList;
  QComboBox* mShapeList;
  QLineEdit* mUpperEdit;
  QLineEdit* mWidthEdit;
  QLineEdit* mHeightEdit;
  QLineEdit* mAreaEdit;
  QGroupBox* mUpperGroup;
  QGroupBox* mWidthGroup;
  QGroupBox* mHeightGroup;
  bool mUpdating = false;
};
