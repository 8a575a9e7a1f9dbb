#pragma once
// The Edit menu of the main window: undo and redo of the active project, the
// project of the active project, volume or report window; Cut, Copy and Paste
// of the text field that has the focus, else of the volumes selected on the
// Volumes page; Rename and Duplicate of those volumes (or of the volume of
// the active volume window).
//
// Ctrl+Z in a text field: while the field holds typing not yet taken into
// the project (it is taken on leaving the field or on Enter), the field
// undoes its own typing; otherwise the keys undo and redo the project's
// edits, wherever the focus is in the main window.

#include <QObject>

class CProjectDocument;
class CVTXPageArea;
class CArea;
class QAction;
class QMdiArea;
class QPlainTextEdit;
class QString;
class QMenu;
class QWidget;

class CEditMenu : public QObject
{
  Q_OBJECT
public:
  // Fills the menu and follows the keys of the application.
  CEditMenu(QMenu* menu, QMdiArea* area);
  ~CEditMenu() override;

  QAction* UndoAction() const { return mUndo; }
  QAction* RedoAction() const { return mRedo; }
  QAction* CutAction() const { return mCut; }
  QAction* CopyAction() const { return mCopy; }
  QAction* PasteAction() const { return mPaste; }
  QAction* RenameAction() const { return mRename; }
  QAction* DuplicateAction() const { return mDuplicate; }
  // "Undo <what>" and "Redo <what>" of the active project, greyed "Undo"
  // and "Redo" when there is nothing; the other items greyed where they
  // cannot act.
  void Update();
  void OnUndo() { TakeStep(false); }
  void OnRedo() { TakeStep(true); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void TakeStep(bool redo);
  enum class CClip
  {
    Cut,
    Copy,
    Paste
  };
  void OnClipboard(CClip what);
  void OnRename();
  void OnDuplicate();

  QMdiArea* mArea;
  QAction* mUndo;
  QAction* mRedo;
  QAction* mCut;
  QAction* mCopy;
  QAction* mPaste;
  QAction* mRename;
  QAction* mDuplicate;
};

// The Volumes page of the active project window, when that page is showing;
// else nullptr.
CVTXPageArea* ActiveVolumesPage(const QMdiArea* area);
// The volume of the active volume window; nullptr when none is active.
CArea* ActiveVolume(const QMdiArea* area);

// The document of the project of the active child window; nullptr when none.
CProjectDocument* ActiveDocument(const QMdiArea* area);
