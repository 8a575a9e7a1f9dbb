#pragma once
// "Print Report": where the report goes (an installed printer or a PDF
// file) and, through "Page Setup...", the paper and its orientation. The
// margins are the report's own half inch and are not asked for.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

class CReportPrintDialog : public QDialog
{
  Q_OBJECT
public:
  // The printer is set up from the choices when the dialog is accepted.
  // `pdfPath` is offered when the user picks a PDF file.
  CReportPrintDialog(QPrinter& printer, const QString& pdfPath, QWidget* parent = nullptr);

  QComboBox* Destination() const { return mDestination; }
  QLineEdit* FileField() const { return mFile; }
  QPushButton* PageSetupButton() const { return mPageSetup; }
  // The entry of the destination list that writes a PDF file.
  static QString PdfEntry();

  void accept() override;

private:
  void OnDestinationChanged();
  void OnBrowse();
  void OnPageSetup();
  void ShowPaper();
  bool IsPdf() const;

  QPrinter& mPrinter;
  QComboBox* mDestination;
  QLineEdit* mFile;
  QPushButton* mBrowse;
  QPushButton* mPageSetup;
  QLabel* mPaper;
};
