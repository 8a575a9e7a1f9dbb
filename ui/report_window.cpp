// Opening and closing report windows, and the "Print Report" flow.

#include "model/project.h"
#include "ui/app.h"
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

void OpenReportWindow(CProject* project)
{
  if (!project || !MainFrame())
    return;
  CloseReportWindow(project);
  auto* window = new CReportWnd(project);
  QMdiArea* area = MainFrame()->MdiArea();
  area->addSubWindow(window);
  // A page's width where the client area allows it.
  const int dpi = window->logicalDpiX();
  const QSize wanted(dpi * 8 + dpi / 2, dpi * 7);
  const QSize view = area->viewport()->size();
  window->resize(wanted.boundedTo(view).expandedTo(QSize(200, 150)));
  window->show();
  // The place the client area picks for a new child may push a window of this
  // size past its right or bottom edge; move it back so all of it is seen.
  const QRect frame = window->geometry();
  window->move(std::min(frame.x(), std::max(0, view.width() - frame.width())),
               std::min(frame.y(), std::max(0, view.height() - frame.height())));
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
