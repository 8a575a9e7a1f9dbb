#include "ui/report_print_dialog.h"

#include "ui/app.h"
#include "ui/paper.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QScreen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// The paper sizes offered; the printer's own size joins them when it is another.
const QPageSize::PageSizeId kPapers[] = {QPageSize::Letter, QPageSize::Legal, QPageSize::Tabloid,
                                         QPageSize::A3,     QPageSize::A4,    QPageSize::A5};
} // namespace

void HideIgnoredPageSetup(QPageSetupDialog& dialog)
{
  for (const char* name : {"topMargin", "pagesPerSheetCombo"})
    if (auto* field = dialog.findChild<QWidget*>(name))
      if (auto* group = qobject_cast<QGroupBox*>(field->parentWidget()))
        group->hide();
}

QString CReportPrintDialog::PdfEntry() { return QStringLiteral("PDF file"); }

CReportPrintDialog::CReportPrintDialog(QPrinter& printer, const QString& pdfPath, QWidget* parent)
  : QDialog(parent), mPrinter(printer), mDestination(new QComboBox(this)),
    mFile(new QLineEdit(pdfPath, this)), mBrowse(new QPushButton("Browse...", this)),
    mPaper(new QComboBox(this)), mOrientation(new QComboBox(this))
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
  const QPageLayout page = printer.pageLayout();
  for (QPageSize::PageSizeId id : kPapers)
    mPaper->addItem(QPageSize::name(id), static_cast<int>(id));
  int paper = mPaper->findData(static_cast<int>(page.pageSize().id()));
  if (paper < 0 && page.pageSize().isValid())
  {
    mPaper->addItem(page.pageSize().name(), static_cast<int>(page.pageSize().id()));
    paper = mPaper->count() - 1;
  }
  mPaper->setCurrentIndex(std::max(paper, 0));
  mOrientation->addItem("Portrait", static_cast<int>(QPageLayout::Portrait));
  mOrientation->addItem("Landscape", static_cast<int>(QPageLayout::Landscape));
  mOrientation->setCurrentIndex(page.orientation() == QPageLayout::Landscape ? 1 : 0);

  auto* form = new QFormLayout;
  form->addRow("Printer:", mDestination);
  form->addRow("File:", fileRow);
  form->addRow("Paper:", mPaper);
  form->addRow("Orientation:", mOrientation);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("Print");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(mDestination, &QComboBox::currentIndexChanged, this,
          &CReportPrintDialog::OnDestinationChanged);
  connect(mBrowse, &QPushButton::clicked, this, &CReportPrintDialog::OnBrowse);
  connect(mFile, &QLineEdit::textChanged, this, &CReportPrintDialog::FitFileField);
  connect(buttons, &QDialogButtonBox::accepted, this, &CReportPrintDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CReportPrintDialog::reject);
  OnDestinationChanged();
  FitFileField();
}

void CReportPrintDialog::FitFileField()
{
  const int wanted = mFile->fontMetrics().horizontalAdvance(mFile->text()) +
                     mFile->fontMetrics().averageCharWidth() * 4;
  const QScreen* screen = this->screen();
  const int most = screen ? screen->availableGeometry().width() * 3 / 4 : 1200;
  mFile->setMinimumWidth(std::min(std::max(wanted, 200), most));
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
  mPrinter.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(mPaper->currentData().toInt())));
  mPrinter.setPageOrientation(
    static_cast<QPageLayout::Orientation>(mOrientation->currentData().toInt()));
  RememberPageLayout(Settings(), mPrinter.pageLayout());
  QDialog::accept();
}
