// Placeholder until the volume sheet lands.
#include "ui/windows.h"

void OpenVolumeWindow(CArea*) {}
void CloseVolumeWindow(CArea*) {}
