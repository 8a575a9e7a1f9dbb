#include "ui/project_window.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "ui/child_placement.h"
#include "ui/project_sheet.h"
#include "ui/qt_text.h"
#include "ui/recovery_keeper.h"
#include "ui/sheet_wnd.h"
#include "ui/window_registry.h"

#include <QMdiArea>
#include <QPointer>

namespace
{
// Run once the window may close. The sheet lets go of the project first, so
// that nothing still queued for the window or its pages can reach it.
void CloseProject(CVTXSheet* sheet)
{
  CProject* project = sheet->Project();
  if (!project)
    return;
  sheet->ReleaseProject();
  if (CRecoveryKeeper* keeper = RecoveryKeeper())
    keeper->Forget(project);
  // Taking it out of the open set destroys it.
  OpenProjects().Remove(project);
}
} // namespace

bool CreateProjectWindow(QMdiArea* area, CProject* project)
{
  if (!area || !project)
    return false;
  // Opened from another project's window (Save As), it keeps that window's
  // button in sight.
  const QRect opener = OpenerButton(area);
  auto* sheet = new CVTXSheet(project);
  auto* window = new CSheetWnd(sheet);
  window->setWindowTitle(ToQt(project->mName));
  area->addSubWindow(window);
  if (CProjectDocument* document = OpenProjects().Document(project))
  {
    document->AddObserver(window);
    WindowRegistry().SetProjectWindow(*document, window);
    window->Follow(project);
    if (CRecoveryKeeper* keeper = RecoveryKeeper())
      keeper->Watch(*document);
  }
  QPointer<CVTXSheet> guard(sheet);
  window->SetOnClosed(
    [guard]
    {
      if (guard)
        CloseProject(guard);
    });
  window->show();
  window->FitToSheet();
  PlaceChildWindow(area, window, window->size(), window->minimumSize(), opener);
  window->raise();
  area->setActiveSubWindow(window);
  // The pages show calculated figures and the close path tests the warnings:
  // a project just read has none yet.
  project->RecalculateProject();
  return true;
}
