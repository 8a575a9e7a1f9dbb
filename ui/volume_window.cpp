// The volume window: a fixed-size child frame holding the volume sheet,
// titled with the volume's name. At most one exists per volume; the volume
// keeps its handle while it is open.

#include "ui/windows.h"

#include "model/area.h"
#include "ui/app.h"
#include "ui/area_sheet.h"
#include "ui/main_frame.h"
#include "ui/qt_text.h"

#include <QMdiArea>
#include <QPointer>

void OpenVolumeWindow(CArea* volume)
{
  if (!volume)
    return;
  if (auto* open = dynamic_cast<CSheetWnd*>(volume->mVolumeWindow))
  {
    if (open->isMinimized())
      open->showNormal();
    open->raise();
    if (QMdiArea* area = open->mdiArea())
      area->setActiveSubWindow(open);
    return;
  }
  CMainFrame* frame = MainFrame();
  QMdiArea* area = frame ? frame->MdiArea() : nullptr;
  if (!area)
    return;

  auto* sheet = new CVTXAreaSheet(volume);
  auto* window = new CSheetWnd(sheet);
  window->setWindowTitle(ToQt(volume->mName));
  area->addSubWindow(window);
  volume->mVolumeWindow = window;
  QPointer<CVTXAreaSheet> guard(sheet);
  window->SetOnClosed(
    [guard]
    {
      if (guard)
        guard->ReleaseArea();
    });
  window->show();
  // Title bar and tab bar metrics are final only once the frame is shown
  // inside the client area.
  window->FitToSheet();
  window->raise();
  area->setActiveSubWindow(window);
  window->PostRefresh();
}

void CloseVolumeWindow(CArea* volume)
{
  if (!volume || !volume->mVolumeWindow)
    return;
  // Closes without asking; the sheet lets go of the volume at once, and the
  // frame is deleted by the event loop.
  volume->mVolumeWindow->RequestClose();
  volume->mVolumeWindow = nullptr;
}
