#include "ui/edit_menu.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "ui/field_helpers.h"
#include "ui/qt_text.h"
#include "ui/report_wnd.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

CProjectDocument* ActiveDocument(const QMdiArea* area)
{
  QMdiSubWindow* active = area ? area->activeSubWindow() : nullptr;
  const CProject* project = nullptr;
  if (const auto* sheet = qobject_cast<CSheetWnd*>(active))
    project = sheet->Followed();
  else if (const auto* report = qobject_cast<CReportWnd*>(active))
    project = report->Project();
  return project ? OpenProjects().Document(project) : nullptr;
}

CEditMenu::CEditMenu(QMenu* menu, QMdiArea* area)
    : QObject(menu), mArea(area), mUndo(menu->addAction("&Undo")), mRedo(menu->addAction("&Redo"))
{
  mUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mRedo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(mUndo, &QAction::triggered, this, &CEditMenu::OnUndo);
  connect(mRedo, &QAction::triggered, this, &CEditMenu::OnRedo);
  connect(menu, &QMenu::aboutToShow, this, &CEditMenu::Update);
  connect(area, &QMdiArea::subWindowActivated, this, &CEditMenu::Update);
  qApp->installEventFilter(this);
  Update();
}

CEditMenu::~CEditMenu()
{
  qApp->removeEventFilter(this);
}

void CEditMenu::Update()
{
  const CProjectDocument* document = ActiveDocument(mArea);
  const std::string undo = document ? document->UndoName() : std::string();
  const std::string redo = document ? document->RedoName() : std::string();
  // The captions carry the shortcut hints, as the File menu's do.
  mUndo->setText((undo.empty() ? QString("&Undo") : "&Undo " + ToQt(undo)) + "\tCtrl+Z");
  mRedo->setText((redo.empty() ? QString("&Redo") : "&Redo " + ToQt(redo)) + "\tCtrl+Y");
  mUndo->setEnabled(!undo.empty());
  mRedo->setEnabled(!redo.empty());
}

bool CEditMenu::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination());
  const bool ours = mUndo->shortcuts().contains(pressed) || mRedo->shortcuts().contains(pressed);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!ours || !widget || !mArea || widget->window() != mArea->window())
    return false;
  // The state is brought up to date before the shortcut is looked up: a
  // greyed action takes no key.
  if (event->type() == QEvent::ShortcutOverride)
    Update();
  // A field holding typing undoes that typing itself; any other field would
  // take the key for its own history (typing already taken, or with nothing
  // left to undo in the project), so it never sees it.
  return !HoldsTyping(widget);
}

void CEditMenu::TakeStep(bool redo)
{
  CProjectDocument* document = ActiveDocument(mArea);
  if (!document)
    return;
  // A window never outlives its volume: the windows of the volumes the step
  // removes close first. Before an undo, a closing window hands over typing
  // it still held: edits of a volume about to go. They join the step the
  // menu named, so that the one undo takes both back and redo brings back
  // both. Before a redo, a new step would throw away the very steps being
  // redone: the typing goes with the volume the user deletes again.
  if (redo)
  {
    for (CArea* volume : document->VolumesRedoRemoves())
    {
      if (QWidget* window = VolumeWindowOf(volume))
        ForgetTyping(window);
      CloseVolumeWindow(volume);
    }
  }
  else
  {
    const CProjectDocument::CStepGroup joined(*document);
    for (CArea* volume : document->VolumesUndoRemoves())
      CloseVolumeWindow(volume);
  }
  if (redo)
    document->Redo();
  else
    document->Undo();
  Update();
}
