#pragma once
// A one-line text entry dialog (project names, designer names).

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

class CStringDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CStringDialog(QWidget* parent = nullptr);
  ~CStringDialog() override;

  // Set by the caller before exec(); mText is read back after QDialog::Accepted.
  // Texts are Windows-1252.
  std::string mTitle;
  std::string mText;
  // Rewrites the text whenever the field loses the focus (optional).
  std::function<std::string(const std::string&)> mFilter;
  // Accepts the text, or shows its own message and refuses it (optional).
  std::function<bool(const std::string&)> mValidator;

  QLineEdit* TextField() const { return mEdit; }
  QPushButton* OkButton() const { return mOk; }

protected:
  // Fills the controls from the members each time the dialog is shown.
  void showEvent(QShowEvent* event) override;

private:
  void Commit();
  void OnOk();
  void CheckAndAccept();

  QLineEdit* mEdit;
  QPushButton* mOk;
  bool mCharactersRemoved = false; // since the last OK
};
