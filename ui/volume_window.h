#pragma once
// The volume window: a child frame holding the volume sheet, titled with the
// project's and the volume's names; at most one a volume. VolumeWindowOf
// (ui/sheet_wnd.h) finds an open one.

#include <QString>

class CArea;

// The title that says what the window shows and of which project:
// "Project – Volume" (an en dash between spaces).
QString VolumeWindowTitle(const CArea& volume);

// Opens the volume's window (or brings an open one to the front).
void OpenVolumeWindow(CArea* volume);
// Destroys the volume's window without asking, if it is open.
void CloseVolumeWindow(CArea* volume);
