#pragma once
// The Edit menu of the main window: undo and redo of the active project, the
// project of the active project, volume or report window.
//
// Ctrl+Z in a text field: while the field holds typing not yet taken into
// the project (it is taken on leaving the field or on Enter), the field
// undoes its own typing; otherwise the keys undo and redo the project's
// edits, wherever the focus is in the main window.

#include <QObject>

class CProjectDocument;
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
  // "Undo <what>" and "Redo <what>" of the active project, greyed "Undo"
  // and "Redo" when there is nothing.
  void Update();
  void OnUndo() { TakeStep(false); }
  void OnRedo() { TakeStep(true); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void TakeStep(bool redo);

  QMdiArea* mArea;
  QAction* mUndo;
  QAction* mRedo;
};

// The document of the project of the active child window; nullptr when none.
CProjectDocument* ActiveDocument(const QMdiArea* area);
