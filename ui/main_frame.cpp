#include "ui/main_frame.h"

#include "model/project.h"
#include "ui/about_dialog.h"
#include "ui/app.h"
#include "ui/background.h"
#include "ui/child_placement.h"
#include "ui/edit_menu.h"
#include "ui/file_menu.h"
#include "ui/open_project.h"
#include "ui/open_project_file.h"
#include "ui/paper.h"
#include "ui/prompts.h"
#include "ui/recent_projects_menu.h"
#include "ui/report_print_dialog.h"
#include "ui/select_project_dialog.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QGuiApplication>
#include <QScreen>

CMDIClientWnd::CMDIClientWnd(QWidget* parent) : QMdiArea(parent)
{
  // The picture covers everything: no background needs erasing first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // Child windows keep their size: in a main window made smaller than one of
  // them, scroll bars bring the rest of it (its buttons) back into reach.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Compose();
}

void CMDIClientWnd::Compose()
{
  QWidget* view = viewport();
  mPicture = ComposeBackground(view->width(), view->height(), view->logicalDpiX(),
                               view->logicalDpiY(), WordMark(), view->devicePixelRatioF());
}

bool CMDIClientWnd::viewportEvent(QEvent* event)
{
  if (event->type() == QEvent::Resize)
  {
    Compose();
    viewport()->update();
  }
  return QMdiArea::viewportEvent(event);
}

void CMDIClientWnd::paintEvent(QPaintEvent* event)
{
  // Moved to a screen of another density: the picture is made anew for it.
  if (mPicture.devicePixelRatio() != viewport()->devicePixelRatioF())
    Compose();
  QPainter painter(viewport());
  // The picture may hold more pixels than the area (a high-density screen):
  // it is drawn whole and the painter clips it to the part to repaint.
  painter.setClipRect(event->rect());
  painter.drawImage(QPoint(0, 0), mPicture);
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), mMdiArea(new CMDIClientWnd(this))
{
  setCentralWidget(mMdiArea);
  TrackPressedButtons();

  QMenu* file = menuBar()->addMenu("&File");
  // The captions carry the shortcut hints themselves; the shortcuts are real.
  mNew = file->addAction("&New\tCtrl+N", this, &CMainFrame::OnFileNew);
  mNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  mOpen = file->addAction("&Open...\tCtrl+O", this, &CMainFrame::OnFileOpen);
  mOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mFile = new CFileMenu(file, mMdiArea);
  file->addAction("P&rint Setup...", this, &CMainFrame::OnPrintSetup);
  file->addSeparator();
  mExit = file->addAction("E&xit\tCtrl+Q", this, &QWidget::close);
  mExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  mRecent = new CRecentProjectsMenu(file, mExit);

  mEdit = new CEditMenu(menuBar()->addMenu("&Edit"), mMdiArea);

  QMenu* help = menuBar()->addMenu("&Help");
  mAbout = help->addAction(QString("&About ") + kAppTitle + "...", this, &CMainFrame::OnAbout);

  // The caption follows the active child window and its title (a renamed
  // volume renames its window).
  connect(mMdiArea, &QMdiArea::subWindowActivated, this,
          [this](QMdiSubWindow* active)
          {
            disconnect(mActiveTitle);
            if (active)
              mActiveTitle =
                  connect(active, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateCaption);
            UpdateCaption();
          });
  UpdateCaption();
  AcceptProjectDrops(this);
  // Most of the screen, so that a project window and the windows opened from
  // it fit side by side.
  // Room is left for the window's frame.
  QSize size(1000, 720);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = screen->availableGeometry().size() * 9 / 10;
  resize(size);
}

void CMainFrame::UpdateCaption()
{
  // The caption also names the active child window, as MDI programs do.
  QMdiSubWindow* active = mMdiArea->activeSubWindow();
  if (active && !active->windowTitle().isEmpty())
    setWindowTitle(QString(kAppTitle) + " - [" + active->windowTitle() + "]");
  else
    setWindowTitle(kAppTitle);
}

void CMainFrame::OnFileNew()
{
  std::string name;
  if (AskProjectName(this, std::string(), name))
    OpenProject(name, nullptr);
}

void CMainFrame::OnFileOpen()
{
  CSelectProjectDialog dialog(this);
  if (dialog.exec() == QDialog::Accepted)
    OpenProject(dialog.mName, nullptr);
}

void CMainFrame::OnPrintSetup()
{
  QPrinter& printer = SharedPrinter();
  QPageSetupDialog dialog(&printer, this);
  HideIgnoredPageSetup(dialog);
  if (dialog.exec() == QDialog::Accepted)
    RememberPageLayout(Settings(), printer.pageLayout());
}

void CMainFrame::OnAbout()
{
  CAboutDialog dialog(this);
  dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
  // Each open project asks its close questions; Cancel on any keeps them all.
  if (!CloseAllProjects(mMdiArea))
  {
    event->ignore();
    return;
  }
  event->accept();
}

namespace
{
bool OpenProjectCopyOf(const std::string& name, const CProjectDocument* source)
{
  return OpenProject(name, source);
}
} // namespace

void SetMainFrame(CMainFrame* frame)
{
  SetMainWindow(frame, frame ? frame->MdiArea() : nullptr);
  SetProjectOpener(frame ? OpenProjectCopyOf : nullptr);
}
