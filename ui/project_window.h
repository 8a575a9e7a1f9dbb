#pragma once
// The project window: a child frame holding the project sheet. Closing it
// asks the sheet's questions, then the project leaves the open set and is
// destroyed. ProjectWindowOf (ui/sheet_wnd.h) finds an open one.

class CProject;
class QMdiArea;

// Creates the project's window in the main window's client area, registers
// it with the project's document and shows it; false when it cannot be created.
bool CreateProjectWindow(QMdiArea* area, CProject* project);
