#pragma once
// The child windows of the main window and how the rest of the program opens
// and closes them. Each kind lives in its own file pair:
//   project_window.* (project sheet), volume_window.* (volume sheet),
//   report_window.* (on-screen report and printing).

#include <QString>

class CArea;
class CProject;
class CSheetWnd;
class CReportWnd;
class QMdiArea;
class QString;
class QWidget;

// The titles that say what a child window shows and of which project:
// "Project – Volume" and "Project – Report" (an en dash between spaces).
QString VolumeWindowTitle(const CArea& volume);
QString ReportWindowTitle(const CProject& project);

// Creates the project's window in the main window's client area, registers
// it with the project's document and shows it; false when it cannot be created.
bool CreateProjectWindow(QMdiArea* area, CProject* project);

// The project's window; nullptr when it has none.
CSheetWnd* ProjectWindowOf(const CProject* project);
// The volume's window; nullptr when it has none.
CSheetWnd* VolumeWindowOf(const CArea* volume);

// Opens the volume's window (or brings an open one to the front).
void OpenVolumeWindow(CArea* volume);
// Destroys the volume's window without asking, if it is open.
void CloseVolumeWindow(CArea* volume);

// Opens the report window of the project, replacing an open one.
void OpenReportWindow(CProject* project);
// The project's report window; nullptr when it has none.
CReportWnd* ReportWindowOf(const CProject* project);
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
