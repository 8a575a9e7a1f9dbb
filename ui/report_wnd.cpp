#include "ui/report_wnd.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "report/graphic_report.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"
#include "ui/window_registry.h"

#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace
{
// The window's page: 8 inches wide at the screen's resolution.
CReportPage WindowPage(CReportSurface& surface, int originX, int originY)
{
  return {originX, originY, originX + 8 * surface.PixelsPerInchX()};
}

QImage ClientPicture(const QWidget* widget, QSize size)
{
  // On a high-density screen the picture holds the device's pixels, so that
  // the report is as sharp as any other text; it is drawn in the window's
  // own pixels all the same.
  const qreal ratio = widget->devicePixelRatioF();
  QImage image(size.expandedTo(QSize(1, 1)) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  // The picture takes the screen's resolution, so text has the screen's size.
  image.setDotsPerMeterX(qRound(widget->logicalDpiX() / 0.0254));
  image.setDotsPerMeterY(qRound(widget->logicalDpiY() / 0.0254));
  image.fill(Qt::white);
  return image;
}
} // namespace

// ---- CReportView

CReportView::CReportView(CProject* project, QWidget* parent)
  : QAbstractScrollArea(parent), mProject(project)
{
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Every paint covers the whole client area.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
}

void CReportView::NoteChange(const CDocumentChange& change)
{
  if (!change.SaysWhat())
    mUnnamed = true; // a calculation asked for directly: the content keys tell what changed
  else if (change.mUnits || change.mVolumeSet || (change.mVolumes && !change.mVolume))
    mChangedAll = true; // every figure, or the set of volumes, or several of them
  else
  {
    // One volume changes its section and, through its sums, the project
    // part; the project's own fields only the project part.
    if (change.mVolumes)
      mChanged.push_back(change.mVolume);
    if (change.mHeader)
      mChanged.push_back(nullptr);
  }
  mNotified = true;
}

const CWindowLayout& CReportView::Layout(CQtReportSurface& surface, const CReportPage& page)
{
  CLayoutKey key{surface.LineHeight(),     surface.AverageCharWidth(),
                 surface.PixelsPerInchX(), surface.PixelsPerInchY(),
                 page.mRight - page.mLeft, viewport()->devicePixelRatioF()};
  // Text widths hold for one font and resolution, whatever the content.
  CLayoutKey fontKey = key;
  fontKey.mPageWidth = 0;
  if (!(fontKey == mWidthsKey))
  {
    mWidths.clear();
    mWidthsKey = fontKey;
  }
  surface.UseWidthCache(&mWidths);
  if (!mHasLayout || !(key == mLayoutKey) || mChangedAll)
    mLayout.Measure(surface, page, *mProject);
  else if (mNotified && !mUnnamed)
    mLayout.Remeasure(surface, page, *mProject, mChanged);
  else
    mLayout.Check(surface, page, *mProject);
  mLayoutKey = key;
  mHasLayout = true;
  mChanged.clear();
  mNotified = false;
  mUnnamed = false;
  mChangedAll = false;
  return mLayout;
}

CReportSize CReportView::ReportSize()
{
  if (!mProject)
    return {};
  QImage probe = ClientPicture(viewport(), QSize(1, 1));
  QPainter painter(&probe);
  CQtReportSurface surface(painter, &probe);
  return Layout(surface, WindowPage(surface, 0, 0)).Size();
}

QImage CReportView::Render()
{
  QImage image = ClientPicture(viewport(), viewport()->size());
  if (!mProject)
    return image;
  QPainter painter(&image);
  CQtReportSurface surface(painter, &image);
  surface.Prepare();
  const CWindowLayout& layout = Layout(surface, WindowPage(surface, 0, 0));
  UpdateScrollBars(layout.Size());
  // Scrolling moves the origin; the page keeps its width. Only the parts in
  // the picture are drawn, with a line to spare above and below it.
  const int spare = surface.LineHeight();
  const int height = viewport()->height();
  surface.SetVisibleRows(-spare, height + spare);
  DrawWindowReportBand(surface,
                       WindowPage(surface, -horizontalScrollBar()->value(),
                                  -verticalScrollBar()->value()),
                       *mProject, layout, -spare, height + spare);
  return image;
}

void CReportView::paintEvent(QPaintEvent*)
{
  const QImage image = Render();
  QPainter painter(viewport());
  painter.drawImage(0, 0, image);
}

void CReportView::resizeEvent(QResizeEvent* event)
{
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars(ReportSize());
  viewport()->update();
}

void CReportView::scrollContentsBy(int, int) { viewport()->update(); }

void CReportView::keyPressEvent(QKeyEvent* event)
{
  // The scroll area pages and steps; Home and End (with or without Ctrl)
  // go to the start and the end of the report, as in any document viewer.
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
      (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier))
  {
    verticalScrollBar()->triggerAction(event->key() == Qt::Key_Home
                                         ? QAbstractSlider::SliderToMinimum
                                         : QAbstractSlider::SliderToMaximum);
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CReportView::UpdateScrollBars(CReportSize size)
{
  const QSize client = viewport()->size();
  QFontMetrics metrics(ReportFont(viewport()), viewport());
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, std::max(0, size.mWidth - client.width()));
  h->setPageStep(std::max(1, client.width()));
  h->setSingleStep(std::max(1, metrics.averageCharWidth()));
  v->setRange(0, std::max(0, size.mHeight - client.height()));
  v->setPageStep(std::max(1, client.height()));
  v->setSingleStep(std::max(1, metrics.height()));
}

// ---- CReportWnd

CReportWnd::CReportWnd(CProject* project) : mProject(project), mView(new CReportView(project))
{
  if (CProjectDocument* document = OpenProjects().Document(project))
  {
    document->AddObserver(this);
    WindowRegistry().SetReportWindow(*document, this);
  }
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setWidget(mView);
  setWindowTitle(ReportWindowTitle(*project));
}

CReportWnd::~CReportWnd() { Detach(); }

void CReportWnd::Detach()
{
  // Looked up by address only: the project may be gone already.
  if (CProjectDocument* document = mProject ? OpenProjects().Document(mProject) : nullptr)
    document->RemoveObserver(this);
  WindowRegistry().Forget(this);
  mProject = nullptr;
  mView->SetProject(nullptr);
}

void CReportWnd::PostRefresh() { mView->viewport()->update(); }

void CReportWnd::DocumentChanged(const CDocumentChange& change)
{
  mView->NoteChange(change);
  PostRefresh();
}

void CReportWnd::RequestClose()
{
  // The project may be gone before the deferred deletion runs.
  Detach();
  close();
}

void CReportWnd::closeEvent(QCloseEvent* event)
{
  Detach();
  QMdiSubWindow::closeEvent(event);
}

QString ReportWindowTitle(const CProject& project)
{
  return ToQt(project.mName) + QString::fromUtf8(" \u2013 Report");
}

CReportWnd* ReportWindowOf(const CProject* project)
{
  const CProjectDocument* document = project ? OpenProjects().Document(project) : nullptr;
  return document ? qobject_cast<CReportWnd*>(WindowRegistry().ReportWindow(*document)) : nullptr;
}
