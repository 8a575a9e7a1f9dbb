#include "ui/report_print_dialog.h"

#include "ui/prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

QString CReportPrintDialog::PdfEntry() { return QStringLiteral("PDF file"); }

CReportPrintDialog::CReportPrintDialog(QPrinter& printer, const QString& pdfPath, QWidget* parent)
  : QDialog(parent), mPrinter(printer), mDestination(new QComboBox(this)),
    mFile(new QLineEdit(pdfPath, this)), mBrowse(new QPushButton("Browse...", this)),
    mPageSetup(new QPushButton("Page Setup...", this)), mPaper(new QLabel(this))
{
  setWindowTitle("Print Report");

  const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    mDestination->addItem(name);
  mDestination->addItem(PdfEntry());
  int current = mDestination->findText(printer.outputFormat() == QPrinter::PdfFormat
                                         ? PdfEntry()
                                         : (printer.printerName().isEmpty() ? defaultPrinter
                                                                            : printer.printerName()));
  mDestination->setCurrentIndex(current >= 0 ? current : 0);
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
      pdfPath.isEmpty())
    mFile->setText(printer.outputFileName());

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(mFile, 1);
  fileRow->addWidget(mBrowse);
  auto* paperRow = new QHBoxLayout;
  paperRow->addWidget(mPaper, 1);
  paperRow->addWidget(mPageSetup);

  auto* form = new QFormLayout;
  form->addRow("Printer:", mDestination);
  form->addRow("File:", fileRow);
  form->addRow("Paper:", paperRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("Print");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(mDestination, &QComboBox::currentIndexChanged, this,
          &CReportPrintDialog::OnDestinationChanged);
  connect(mBrowse, &QPushButton::clicked, this, &CReportPrintDialog::OnBrowse);
  connect(mPageSetup, &QPushButton::clicked, this, &CReportPrintDialog::OnPageSetup);
  connect(buttons, &QDialogButtonBox::accepted, this, &CReportPrintDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CReportPrintDialog::reject);
  OnDestinationChanged();
  ShowPaper();
}

bool CReportPrintDialog::IsPdf() const { return mDestination->currentText() == PdfEntry(); }

void CReportPrintDialog::OnDestinationChanged()
{
  mFile->setEnabled(IsPdf());
  mBrowse->setEnabled(IsPdf());
}

void CReportPrintDialog::OnBrowse()
{
  const QString path = QFileDialog::getSaveFileName(this, "Save Report as PDF", mFile->text(),
                                                    "PDF files (*.pdf)");
  if (!path.isEmpty())
    mFile->setText(path);
}

void CReportPrintDialog::OnPageSetup()
{
  // Page setup applies to the chosen destination.
  if (IsPdf())
    mPrinter.setOutputFormat(QPrinter::PdfFormat);
  else
  {
    mPrinter.setOutputFormat(QPrinter::NativeFormat);
    mPrinter.setPrinterName(mDestination->currentText());
  }
  QPageSetupDialog dialog(&mPrinter, this);
  dialog.exec();
  ShowPaper();
}

void CReportPrintDialog::ShowPaper()
{
  const QPageLayout layout = mPrinter.pageLayout();
  mPaper->setText(layout.pageSize().name() + ", " +
                  (layout.orientation() == QPageLayout::Landscape ? "landscape" : "portrait"));
}

void CReportPrintDialog::accept()
{
  if (IsPdf())
  {
    QString path = mFile->text().trimmed();
    if (path.isEmpty())
    {
      ShowMessage(this, kAppTitle, "Enter the name of the PDF file.", CPromptIcon::Exclamation);
      return;
    }
    if (!path.endsWith(".pdf", Qt::CaseInsensitive))
      path += ".pdf";
    mPrinter.setOutputFormat(QPrinter::PdfFormat);
    mPrinter.setOutputFileName(path);
  }
  else
  {
    mPrinter.setOutputFormat(QPrinter::NativeFormat);
    mPrinter.setOutputFileName(QString());
    mPrinter.setPrinterName(mDestination->currentText());
  }
  QDialog::accept();
}
