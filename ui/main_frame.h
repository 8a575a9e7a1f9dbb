#pragma once
// The multiple-document main window: the menu, the close questions of every
// open project before the program ends, and the client area that paints the background picture
// behind the child windows.

#include <QImage>
#include <QMainWindow>
#include <QMdiArea>

class QAction;
class CEditMenu;
class CFileMenu;
class CRecentProjectsMenu;

// The client area: paints the background picture, rebuilt for every size.
class CMDIClientWnd : public QMdiArea
{
  Q_OBJECT
public:
  explicit CMDIClientWnd(QWidget* parent = nullptr);
  const QImage& Picture() const { return mPicture; }

protected:
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;

private:
  void Compose();
  QImage mPicture;
};

class CMainFrame : public QMainWindow
{
  Q_OBJECT
public:
  explicit CMainFrame(QWidget* parent = nullptr);
  CMDIClientWnd* MdiArea() const { return mMdiArea; }

  QAction* NewAction() const { return mNew; }
  QAction* OpenAction() const { return mOpen; }
  QAction* ExitAction() const { return mExit; }
  QAction* AboutAction() const { return mAbout; }
  CRecentProjectsMenu* RecentProjects() const { return mRecent; }
  CEditMenu* EditMenu() const { return mEdit; }
  CFileMenu* FileMenu() const { return mFile; }

  // The commands of the menu.
  void OnFileNew();
  void OnFileOpen();
  void OnPrintSetup();
  void OnAbout();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void UpdateCaption();

  CMDIClientWnd* mMdiArea;
  QAction* mNew;
  QAction* mOpen;
  QAction* mExit;
  QAction* mAbout;
  CRecentProjectsMenu* mRecent;
  CFileMenu* mFile;
  CEditMenu* mEdit;
  QMetaObject::Connection mActiveTitle;
};

// Makes `frame` the program's main window (nullptr: none): the window and its
// client area for the services (MainFrame, MainClientArea in ui/app.h), and
// OpenProject as the way a project window's Save As opens its copy.
void SetMainFrame(CMainFrame* frame);
