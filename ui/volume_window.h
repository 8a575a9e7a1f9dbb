#pragma once
// The volume window: a child frame holding the volume sheet, titled with the
// project's and the volume's names (VolumeWindowTitle, ui/volume_sheet.h); at most one a volume. VolumeWindowOf
// (ui/sheet_wnd.h) finds an open one.

#include <QString>

class CArea;
class QMdiSubWindow;

// Opens the volume's window (or brings an open one to the front).
void OpenVolumeWindow(CArea* volume);
// Asks a new name for the volume of the volume window (F2, its window menu,
// the Edit menu), typing still in its fields taken first; nothing for any
// other window.
void RenameVolumeOfWindow(QMdiSubWindow* window);
// Destroys the volume's window without asking, if it is open.
void CloseVolumeWindow(CArea* volume);
