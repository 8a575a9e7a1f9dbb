#pragma once
// "Create New Volume": a name and a hazard class for a new volume.

#include <QDialog>
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
