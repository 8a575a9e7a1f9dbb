#include "ui/edit_menu.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "ui/field_helpers.h"
#include "ui/project_sheet.h"
#include "ui/project_tab_volumes.h"
#include "ui/qt_text.h"
#include "ui/report_wnd.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_sheet.h"
#include "ui/volume_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
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

CVTXPageArea* ActiveVolumesPage(const QMdiArea* area)
{
  const auto* window = qobject_cast<CSheetWnd*>(area ? area->activeSubWindow() : nullptr);
  const auto* sheet = window ? qobject_cast<CVTXSheet*>(window->Sheet()) : nullptr;
  if (!sheet || !sheet->Project() || sheet->ActivePage() != sheet->VolumesPage())
    return nullptr;
  return sheet->VolumesPage();
}

CArea* ActiveVolume(const QMdiArea* area)
{
  const auto* window = qobject_cast<CSheetWnd*>(area ? area->activeSubWindow() : nullptr);
  const auto* sheet = window ? qobject_cast<CVTXAreaSheet*>(window->Sheet()) : nullptr;
  return sheet ? sheet->Area() : nullptr;
}

namespace
{
// The focused field that takes Cut, Copy and Paste itself; nullptr when the
// focus is elsewhere. Read-only fields still copy.
QWidget* TextFieldWithFocus(const QMdiArea* area)
{
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !area || focus->window() != area->window())
    return nullptr;
  if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) ||
      qobject_cast<QPlainTextEdit*>(focus))
    return focus;
  return nullptr;
}

bool SelectsText(const QWidget* field)
{
  if (const auto* line = qobject_cast<const QLineEdit*>(field))
    return line->hasSelectedText();
  if (const auto* text = qobject_cast<const QTextEdit*>(field))
    return text->textCursor().hasSelection();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(field))
    return plain->textCursor().hasSelection();
  return false;
}

bool Writable(const QWidget* field)
{
  if (const auto* line = qobject_cast<const QLineEdit*>(field))
    return !line->isReadOnly();
  if (const auto* text = qobject_cast<const QTextEdit*>(field))
    return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(field))
    return !plain->isReadOnly();
  return false;
}
} // namespace

CEditMenu::CEditMenu(QMenu* menu, QMdiArea* area)
    : QObject(menu), mArea(area), mUndo(menu->addAction("&Undo")), mRedo(menu->addAction("&Redo"))
{
  mUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mRedo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(mUndo, &QAction::triggered, this, &CEditMenu::OnUndo);
  connect(mRedo, &QAction::triggered, this, &CEditMenu::OnRedo);
  menu->addSeparator();
  mCut = menu->addAction("Cu&t");
  mCopy = menu->addAction("&Copy");
  mPaste = menu->addAction("&Paste");
  mCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  mCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  mPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  connect(mCut, &QAction::triggered, this, [this] { OnClipboard(CClip::Cut); });
  connect(mCopy, &QAction::triggered, this, [this] { OnClipboard(CClip::Copy); });
  connect(mPaste, &QAction::triggered, this, [this] { OnClipboard(CClip::Paste); });
  menu->addSeparator();
  // F2 and Ctrl+D are the keys of the Volumes list and of the volume window
  // themselves; the menu shows them as hints.
  mRename = menu->addAction("Re&name Volume...\tF2");
  mDuplicate = menu->addAction("&Duplicate Volume\tCtrl+D");
  connect(mRename, &QAction::triggered, this, &CEditMenu::OnRename);
  connect(mDuplicate, &QAction::triggered, this, &CEditMenu::OnDuplicate);
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

  const CVTXPageArea* page = ActiveVolumesPage(mArea);
  const std::size_t selected = page ? page->SelectedIds().size() : 0;
  if (QWidget* field = TextFieldWithFocus(mArea))
  {
    mCut->setEnabled(Writable(field) && SelectsText(field));
    mCopy->setEnabled(SelectsText(field));
    mPaste->setEnabled(Writable(field) && QApplication::clipboard()->mimeData() &&
                       QApplication::clipboard()->mimeData()->hasText());
  }
  else
  {
    mCut->setEnabled(selected > 0);
    mCopy->setEnabled(selected > 0);
    mPaste->setEnabled(page && page->CanPaste());
  }
  mRename->setEnabled(selected == 1 || ActiveVolume(mArea));
  mDuplicate->setEnabled(selected > 0);
  mDuplicate->setText(selected > 1 ? "&Duplicate Volumes\tCtrl+D" : "&Duplicate Volume\tCtrl+D");
}

void CEditMenu::OnClipboard(CClip what)
{
  if (QWidget* field = TextFieldWithFocus(mArea))
  {
    const char* slot = what == CClip::Cut ? "cut" : what == CClip::Copy ? "copy" : "paste";
    QMetaObject::invokeMethod(field, slot);
    return;
  }
  CVTXPageArea* page = ActiveVolumesPage(mArea);
  if (!page)
    return;
  if (what == CClip::Cut)
    page->OnCut();
  else if (what == CClip::Copy)
    page->OnCopy();
  else
    page->OnPaste();
  Update();
}

void CEditMenu::OnRename()
{
  if (CVTXPageArea* page = ActiveVolumesPage(mArea))
    page->OnRename();
  else
    RenameVolumeOfWindow(mArea->activeSubWindow());
  Update();
}

void CEditMenu::OnDuplicate()
{
  if (CVTXPageArea* page = ActiveVolumesPage(mArea))
    page->OnDuplicate();
  Update();
}

bool CEditMenu::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination());
  const bool ours = mUndo->shortcuts().contains(pressed) || mRedo->shortcuts().contains(pressed);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !mArea || widget->window() != mArea->window())
    return false;
  // Cut, Copy and Paste go to a text field that has the focus (the field
  // takes its keys itself); elsewhere the menu's state decides.
  if (!ours)
  {
    if (event->type() == QEvent::ShortcutOverride &&
        (pressed == mCut->shortcut() || pressed == mCopy->shortcut() ||
         pressed == mPaste->shortcut()))
      Update();
    return false;
  }
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
