#pragma once
// The project commands of the File menu: Close, Save, Save As, Save All,
// Print Report and Export PDF act on the project of the active child window
// (its project, volume or report window) through the same flows as the
// buttons of its Project page, and are greyed where they cannot act. Closing
// every project (Exit, the main window's close button) asks each project's
// close questions before any window goes.

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

class CFileMenu : public QObject
{
  Q_OBJECT
public:
  // Adds the commands to the end of the menu.
  CFileMenu(QMenu* menu, QMdiArea* area);
  ~CFileMenu() override;

  QAction* CloseAction() const { return mClose; }
  QAction* SaveAction() const { return mSave; }
  QAction* SaveAsAction() const { return mSaveAs; }
  QAction* SaveAllAction() const { return mSaveAll; }
  QAction* PrintAction() const { return mPrint; }
  QAction* ExportPdfAction() const { return mExportPdf; }
  // Greys the commands that cannot act on the active project now.
  void Update();

  void OnClose();
  void OnSave();
  void OnSaveAs();
  void OnSaveAll();
  void OnPrint();
  void OnExportPdf();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QMdiArea* mArea;
  QAction* mClose;
  QAction* mSave;
  QAction* mSaveAs;
  QAction* mSaveAll;
  QAction* mPrint;
  QAction* mExportPdf;
};

// Asks the close questions of every open project, one project window after
// the other; when all agree, closes them all and gives true. Cancel on any
// question (or a save that failed and the user keeps the project) calls the
// whole close off: every project stays open as it was, and false is given.
bool CloseAllProjects(QMdiArea* area);
