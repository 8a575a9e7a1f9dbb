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

  // Values handed back when exec() gives QDialog::Accepted.
  std::string mName;  // Windows-1252, spaces collapsed
  int mHazard = -1;   // hazard class index, -1 for none

  int exec() override;

  QLineEdit* NameField() const { return mNameEdit; }
  QComboBox* HazardList() const { return mHazardList; }

private:
  void CommitName();
  void OnOk();
  void CheckAndAccept();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QLineEdit* mNameEdit;
  QComboBox* mHazardList;
};
