// Opening and closing report windows, and the "Print Report" flow.

#include "model/project.h"
#include "ui/app.h"
#include "ui/child_placement.h"
#include "ui/main_frame.h"
#include "ui/prompts.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"
#include "ui/report_print_dialog.h"
#include "ui/report_wnd.h"
#include "ui/windows.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

QString ReportWindowTitle(const CProject& project)
{
  return ToQt(project.mName) + QString::fromUtf8(" \u2013 Report");
}

void OpenReportWindow(CProject* project)
{
  if (!project || !MainFrame())
    return;
  CloseReportWindow(project);
  QMdiArea* area = MainFrame()->MdiArea();
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
  project->mReportWindow = window;
}

void CloseReportWindow(CProject* project)
{
  if (!project || !project->mReportWindow)
    return;
  CWindowNotifier* window = project->mReportWindow;
  project->mReportWindow = nullptr;
  window->RequestClose();
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
