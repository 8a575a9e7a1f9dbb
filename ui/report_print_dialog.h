#pragma once
// "Print Report": where the report goes (an installed printer or a PDF
// file), the paper and its orientation, which are remembered as the paper
// of later prints and PDF files (see paper.h). The margins are the report's
// own half inch and are not asked for.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPageSetupDialog;
class QPrinter;
class QPushButton;

// Hides what a page-setup dialog offers besides paper and orientation (the
// margins, pages per sheet): the report would ignore it.
void HideIgnoredPageSetup(QPageSetupDialog& dialog);

class CReportPrintDialog : public QDialog
{
  Q_OBJECT
public:
  // The printer is set up from the choices when the dialog is accepted.
  // `pdfPath` is offered when the user picks a PDF file.
  CReportPrintDialog(QPrinter& printer, const QString& pdfPath, QWidget* parent = nullptr);

  QComboBox* Destination() const { return mDestination; }
  QLineEdit* FileField() const { return mFile; }
  QComboBox* PaperList() const { return mPaper; }
  QComboBox* OrientationList() const { return mOrientation; }
  // The entry of the destination list that writes a PDF file.
  static QString PdfEntry();

  void accept() override;

private:
  void OnDestinationChanged();
  void OnBrowse();
  // The file field as wide as its path, so that all of it is seen.
  void FitFileField();
  bool IsPdf() const;

  QPrinter& mPrinter;
  QComboBox* mDestination;
  QLineEdit* mFile;
  QPushButton* mBrowse;
  QComboBox* mPaper;
  QComboBox* mOrientation;
};
