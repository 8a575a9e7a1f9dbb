#pragma once
// Opening and closing report windows, and printing the report: "Print
// Report" and "Export PDF...". ReportWindowOf (ui/report_wnd.h) finds an
// open report window.

#include <QString>

class CProject;
class QWidget;

// Opens the report window of the project, replacing an open one.
void OpenReportWindow(CProject* project);
// Closes the project's report window, if any.
void CloseReportWindow(CProject* project);
// The "Print Report" flow: page setup, then printing; nothing on cancel.
void PrintReportFlow(QWidget* parent, CProject* project);
// The "Export PDF..." flow: asks for the file (the project's name in the work
// folder offered), asks before replacing one, writes the printed report to it
// and says where; a failed write leaves an old file as it was.
void ExportPdfFlow(QWidget* parent, CProject* project);

// How "Export PDF..." asks for the file: a save-file dialog unless a test
// puts its own in place (nullptr restores the dialog); gives the previous one.
using CPdfPathPicker = QString (*)(QWidget* parent, const QString& suggested);
CPdfPathPicker SetPdfPathPicker(CPdfPathPicker picker);
