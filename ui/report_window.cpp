// Opening and closing report windows, and the "Print Report" flow.

#include "ui/report_window.h"
#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "storage/safe_file.h"
#include "ui/app.h"
#include "ui/child_placement.h"
#include "ui/dialog_support.h"
#include "ui/prompts.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"
#include "ui/report_print_dialog.h"
#include "ui/report_wnd.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>

namespace
{
QString PickPdfWithDialog(QWidget* parent, const QString& suggested)
{
  // Replacing a file is asked about afterwards, through the prompts.
  return QFileDialog::getSaveFileName(parent, "Export PDF", suggested, "PDF files (*.pdf)",
                                      nullptr, QFileDialog::DontConfirmOverwrite);
}

CPdfPathPicker gPickPdf = PickPdfWithDialog;

// The printed report on the shared printer's paper, as a PDF file at `path`.
// It is printed into a temporary folder first and then saved over the target
// in one step, so that a failure leaves an old file whole.
bool WritePdf(const CProject& project, const QString& path, QString& error)
{
  QTemporaryDir folder;
  const QString printed = folder.filePath("report.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(printed);
  printer.setPageSize(SharedPrinter().pageLayout().pageSize());
  printer.setPageOrientation(SharedPrinter().pageLayout().orientation());
  QFile in(printed);
  if (!folder.isValid() || !PrintReportTo(printer, project) || !in.open(QIODevice::ReadOnly))
  {
    error = "The report could not be printed to a temporary file.";
    return false;
  }
  const QByteArray bytes = in.readAll();
  CSafeFile out(QFile::encodeName(path).toStdString());
  if (!out.Open() || !out.Write(bytes.constData(), static_cast<std::size_t>(bytes.size())) ||
      !out.Commit())
  {
    error = QString::fromLocal8Bit(out.Error().c_str());
    return false;
  }
  return true;
}
} // namespace

CPdfPathPicker SetPdfPathPicker(CPdfPathPicker picker)
{
  CPdfPathPicker previous = gPickPdf;
  gPickPdf = picker ? picker : PickPdfWithDialog;
  return previous;
}

void ExportPdfFlow(QWidget* parent, CProject* project)
{
  if (!project)
    return;
  const QString suggested = QDir::current().absoluteFilePath(ToQt(project->mName) + ".pdf");
  const QString path = ConfirmedSavePath(parent, gPickPdf(parent, suggested), ".pdf");
  if (path.isEmpty())
    return;
  QString error;
  if (WritePdf(*project, path, error))
    ShowMessage(parent, "Information", QString("The report was written to \"%1\".").arg(path),
                CPromptIcon::Information);
  else
    ShowMessage(parent, kAppTitle, QString("The PDF file \"%1\" could not be written.\r\n%2").arg(path, error),
                CPromptIcon::Error);
}

void OpenReportWindow(CProject* project)
{
  if (!project || !MainClientArea())
    return;
  CloseReportWindow(project);
  QMdiArea* area = MainClientArea();
  // The button that asked for the report stays in sight.
  const QRect opener = OpenerButton(area);
  auto* window = new CReportWnd(project);
  area->addSubWindow(window);
  // A page's width where the client area allows it; a smaller window, down
  // to half of that, where room beside the opener's button is short.
  const int dpi = window->logicalDpiX();
  const QSize wanted(dpi * 8 + dpi / 2, dpi * 7);
  window->resize(wanted.boundedTo(area->viewport()->size()).expandedTo(QSize(200, 150)));
  window->show();
  PlaceChildWindow(area, window, wanted, (wanted / 2).boundedTo(area->viewport()->size()), opener);
  area->setActiveSubWindow(window);
  window->raise();
}

void CloseReportWindow(CProject* project)
{
  if (CReportWnd* window = ReportWindowOf(project))
  {
    OpenProjects().Document(project)->RemoveObserver(window);
    window->RequestClose();
  }
}

void PrintReportFlow(QWidget* parent, CProject* project)
{
  if (!project)
    return;
  // The printer chosen with "Print Setup..." is the one printed on.
  QPrinter& printer = SharedPrinter();
  const QString pdf = QDir::current().absoluteFilePath(ToQt(project->mName) + ".pdf");
  CReportPrintDialog dialog(printer, pdf, parent);
  if (dialog.exec() != QDialog::Accepted)
    return;
  if (!PrintReportTo(printer, *project))
  {
    const QString where = printer.outputFormat() == QPrinter::PdfFormat
                            ? printer.outputFileName()
                            : printer.printerName();
    ShowMessage(parent, kAppTitle, "The report could not be printed to " + where + ".",
                CPromptIcon::Error);
  }
}
