#pragma once
// The "New Opening" and "Edit Opening" dialog: kind, shape, size and upper
// share of one opening.

#include "model/vent.h"
#include "text/units.h"

#include <QDialog>
#include <QList>
#include <cstdint>
#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;

class CVentDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CVentDialog(QWidget* parent = nullptr);
  ~CVentDialog() override;

  // Set by the caller before exec() and read back after QDialog::Accepted.
  std::string mTitle;                 // caption, Windows-1252
  std::int32_t mType = VENT_WALL;     // VENT_WALL, VENT_CEILING, VENT_FLOOR
  std::int32_t mShape = SHAPE_RECTANGULAR;
  double mWidth = 0;  // metres; the diameter when circular
  double mHeight = 0; // metres
  double mUpper = 1;  // share 0..1 counted as upper (walls)
  UnitSystem mUnits = UNITS_METRIC;

  // Runs the dialog titled `title` on the values; true (values updated) on OK.
  bool EditVent(const char* title, CVentValues& values);

  QComboBox* TypeList() const { return mTypeList; }
  QComboBox* ShapeList() const { return mShapeList; }
  QLineEdit* UpperField() const { return mUpperEdit; }
  QLineEdit* WidthField() const { return mWidthEdit; }
  QLineEdit* HeightField() const { return mHeightEdit; }
  QLineEdit* AreaField() const { return mAreaEdit; }
  QGroupBox* UpperGroup() const { return mUpperGroup; }
  QGroupBox* WidthGroup() const { return mWidthGroup; }
  QGroupBox* HeightGroup() const { return mHeightGroup; }

protected:
  // Fills the controls from the members each time the dialog is shown.
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  // Shows the values: list entries, captions, which groups are shown, texts.
  void UpdateControls();
  // Reads an edited field into its value, then updates every control.
  void CommitField(QLineEdit* field);
  // Takes an edited field's text into its value (an unedited or hidden
  // field keeps it); false when the text is refused, which is then kept in
  // the field and explained.
  bool ReadField(QLineEdit* field);
  bool ReadUpperField();
  bool ReadLengthOf(QLineEdit* field);
  void OnOk();

  QComboBox* mTypeList;
  QComboBox* mShapeList;
  QLineEdit* mUpperEdit;
  QLineEdit* mWidthEdit;
  QLineEdit* mHeightEdit;
  QLineEdit* mAreaEdit;
  QGroupBox* mUpperGroup;
  QGroupBox* mWidthGroup;
  QGroupBox* mHeightGroup;
  // The fields whose text was refused when last read: they keep it until
  // it is read again.
  QList<QLineEdit*> mRefusedFields;
};
