#pragma once
// "Create New Volume": a name and a hazard class for a new volume.

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QLineEdit;

class CNewAreaDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CNewAreaDialog(QWidget* parent = nullptr);
  ~CNewAreaDialog() override;

  // Values handed back when exec() gives QDialog::Accepted.
  std::string mName;  // Windows-1252, spaces collapsed
  int mHazard = -1;   // hazard class index, -1 for none
  // Set by the caller: true for a name already used by another volume,
  // which is refused with a message and left in the field.
  std::function<bool(const std::string&)> mNameUsed;

  QLineEdit* NameField() const { return mNameEdit; }
  QComboBox* HazardList() const { return mHazardList; }

protected:
  // Fills the controls from the members each time the dialog is shown.
  void showEvent(QShowEvent* event) override;

private:
  void CommitName();
  void OnOk();
  void CheckAndAccept();

  QLineEdit* mNameEdit;
  QComboBox* mHazardList;
  bool mCharactersRemoved = false; // since the last OK
};
