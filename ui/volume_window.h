#pragma once
// The volume window: a child frame holding the volume sheet, titled with the
// project's and the volume's names (VolumeWindowTitle, ui/volume_sheet.h); at most one a volume. VolumeWindowOf
// (ui/sheet_wnd.h) finds an open one.

#include <QString>

class CArea;

// Opens the volume's window (or brings an open one to the front).
void OpenVolumeWindow(CArea* volume);
// Destroys the volume's window without asking, if it is open.
void CloseVolumeWindow(CArea* volume);
