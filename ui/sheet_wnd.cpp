#include "ui/sheet_wnd.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/area.h"
#include "ui/window_registry.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QTabBar>

void CVTXPage::PostRefresh()
{
  QMetaObject::invokeMethod(this, [this] { Refresh(); }, Qt::QueuedConnection);
}

CVTXSheetBase::CVTXSheetBase(QWidget* parent) : QTabWidget(parent)
{
  connect(this, &QTabWidget::currentChanged, this, &CVTXSheetBase::OnCurrentChanged);
}

void CVTXSheetBase::AddPage(CVTXPage* page, const QString& caption)
{
  addTab(page, caption);
  if (mCurrent < 0)
    mCurrent = currentIndex();
}

CVTXPage* CVTXSheetBase::ActivePage() const { return qobject_cast<CVTXPage*>(currentWidget()); }

CVTXPage* CVTXSheetBase::Page(int index) const { return qobject_cast<CVTXPage*>(widget(index)); }

void CVTXSheetBase::RefreshActivePage()
{
  if (QWidget* frame = parentWidget())
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
      sub->setWindowTitle(Caption());
  if (CVTXPage* page = ActivePage())
    page->PostRefresh();
}

void CVTXSheetBase::OnCurrentChanged(int index)
{
  if (mReverting)
    return;
  // The veto happens here, before any page reacts: if the page being left
  // refuses, the sheet goes back to it without side effects.
  CVTXPage* leaving = Page(mCurrent);
  if (leaving && mCurrent != index)
  {
    // The tab has switched but nothing has been drawn yet: a page that may
    // ask is shown again first, and the switch made only once it agrees.
    const bool asks = leaving->AsksOnLeave();
    if (asks)
      SwitchQuietly(mCurrent);
    if (!leaving->QueryLeave())
    {
      if (!asks)
        SwitchQuietly(mCurrent);
      return;
    }
    if (asks)
      SwitchQuietly(index);
  }
  mCurrent = index;
  if (CVTXPage* page = Page(index))
    page->PostRefresh();
}

void CVTXSheetBase::SwitchQuietly(int index)
{
  mReverting = true;
  setCurrentIndex(index);
  mReverting = false;
}

CSheetWnd::CSheetWnd(CVTXSheetBase* sheet, QWidget* parent) : QMdiSubWindow(parent), mSheet(sheet)
{
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setWidget(sheet);
  FitToSheet();
}

CSheetWnd::~CSheetWnd() { Leave(); }

void CSheetWnd::Leave()
{
  // Looked up by address only: the project may be gone already.
  if (CProjectDocument* document = mFollowed ? OpenProjects().Document(mFollowed) : nullptr)
    document->RemoveObserver(this);
  WindowRegistry().Forget(this);
  mFollowed = nullptr;
}

void CSheetWnd::DocumentChanged(const CDocumentChange&) { PostRefresh(); }

void CSheetWnd::FitToSheet()
{
  if (!mSheet)
    return;
  mSheet->adjustSize();
  adjustSize();
  // The size the pages ask for is the smallest; the window may grow, and its
  // pages lay out with it.
  const QSize fitted = sizeHint().expandedTo(size());
  setMinimumSize(fitted);
  if (!isMaximized())
    resize(fitted);
}

void CSheetWnd::PostRefresh()
{
  QMetaObject::invokeMethod(
    this,
    [this]
    {
      if (mSheet && !mClosed)
        mSheet->RefreshActivePage();
    },
    Qt::QueuedConnection);
}

void CSheetWnd::RequestClose()
{
  mForce = true;
  close();
}

void CSheetWnd::closeEvent(QCloseEvent* event)
{
  if (mClosed)
  {
    event->accept();
    return;
  }
  if (!mForce && mSheet && mSheet->QueryClose())
  {
    mForce = false;
    event->ignore();
    return;
  }
  mClosed = true;
  if (mOnClosed)
  {
    auto onClosed = std::move(mOnClosed);
    mOnClosed = nullptr;
    onClosed();
  }
  QMdiSubWindow::closeEvent(event);
  event->accept();
}

CSheetWnd* ProjectWindowOf(const CProject* project)
{
  const CProjectDocument* document = project ? OpenProjects().Document(project) : nullptr;
  return document ? qobject_cast<CSheetWnd*>(WindowRegistry().ProjectWindow(*document)) : nullptr;
}

CSheetWnd* VolumeWindowOf(const CArea* volume)
{
  const CProjectDocument* document = volume ? OpenProjects().Document(volume->Owner()) : nullptr;
  return document ? qobject_cast<CSheetWnd*>(WindowRegistry().VolumeWindow(*document, volume))
                  : nullptr;
}
