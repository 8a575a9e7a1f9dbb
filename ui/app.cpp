#include "ui/app.h"

#include "storage/settings_store.h"

namespace
{
CMainFrame* gMainFrame = nullptr;
CMemorySettingsStore gFallbackSettings;
CSettingsStore* gSettings = &gFallbackSettings;
} // namespace

CMainFrame* MainFrame() { return gMainFrame; }
void SetMainFrame(CMainFrame* frame) { gMainFrame = frame; }

CSettingsStore& Settings() { return *gSettings; }
void SetSettings(CSettingsStore* store) { gSettings = store ? store : &gFallbackSettings; }
