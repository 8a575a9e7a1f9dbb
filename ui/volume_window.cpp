#include "ui/volume_window.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/area.h"
#include "model/project.h"
#include "ui/app.h"
#include "ui/child_placement.h"
#include "ui/qt_text.h"
#include "ui/rename_volume.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_sheet.h"
#include "ui/window_registry.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QShortcut>

void OpenVolumeWindow(CArea* volume)
{
  if (!volume)
    return;
  if (CSheetWnd* open = VolumeWindowOf(volume))
  {
    if (open->isMinimized())
      open->showNormal();
    open->raise();
    if (QMdiArea* area = open->mdiArea())
      area->setActiveSubWindow(open);
    return;
  }
  QMdiArea* area = MainClientArea();
  if (!area)
    return;

  // The button that opened it (on the Volumes page) stays in sight.
  const QRect opener = OpenerButton(area);
  auto* sheet = new CVTXAreaSheet(volume);
  auto* window = new CSheetWnd(sheet);
  window->setWindowTitle(VolumeWindowTitle(*volume));
  area->addSubWindow(window);
  if (CProjectDocument* document = OpenProjects().Document(volume->Owner()))
  {
    document->AddObserver(window);
    WindowRegistry().SetVolumeWindow(*document, volume, window);
    window->Follow(volume->Owner());
  }
  // F2, or the window menu, renames the volume; the title follows through
  // the document's notice.
  auto rename = [window] { RenameVolumeOfWindow(window); };
  auto* renameKey = new QShortcut(QKeySequence(Qt::Key_F2), window);
  renameKey->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(renameKey, &QShortcut::activated, window, rename);
  if (QMenu* menu = window->systemMenu())
  {
    menu->addSeparator();
    QAction* action = menu->addAction("Re&name Volume...");
    action->setShortcut(QKeySequence(Qt::Key_F2));
    action->setShortcutContext(Qt::WidgetShortcut); // the key is the window's own
    QObject::connect(action, &QAction::triggered, window, rename);
  }
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
  PlaceChildWindow(area, window, window->size(), window->minimumSize(), opener);
  window->raise();
  area->setActiveSubWindow(window);
  window->PostRefresh();
}

void RenameVolumeOfWindow(QMdiSubWindow* window)
{
  auto* frame = qobject_cast<CSheetWnd*>(window);
  auto* sheet = frame ? qobject_cast<CVTXAreaSheet*>(frame->Sheet()) : nullptr;
  CArea* volume = sheet ? sheet->Area() : nullptr;
  CProjectDocument* document = volume ? OpenProjects().Document(volume->Owner()) : nullptr;
  if (!document)
    return;
  // Typing still in a field is the volume's before it is renamed.
  sheet->CommitEdits();
  AskVolumeName(frame, *document, volume->Id());
}

void CloseVolumeWindow(CArea* volume)
{
  CSheetWnd* window = VolumeWindowOf(volume);
  if (!window)
    return;
  // Closes without asking; the sheet lets go of the volume at once, and the
  // frame is deleted by the event loop.
  window->Leave();
  window->RequestClose();
}
