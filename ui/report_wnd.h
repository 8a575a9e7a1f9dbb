#pragma once
// The report window: an MDI child showing the project's graphic report,
// scrollable in both directions. It keeps no copy of the report: every paint
// draws the current figures off-screen, then one copy to the screen. Where
// the report's parts lie is measured again only for the parts that changed:
// after a change notice of the document, the parts it names; otherwise what
// the content keys show changed. A paint draws only the parts in the window,
// so that an edit or a scroll in the report of 10,000 volumes stays immediate.

#include "document/document_observer.h"
#include "report/graphic_report.h"
#include "report/report_surface.h"
#include "ui/qt_surface.h"

#include <QAbstractScrollArea>
#include <QMdiSubWindow>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CArea;
class CProject;

// The scrolling client area of the report window.
class CReportView : public QAbstractScrollArea
{
  Q_OBJECT
public:
  explicit CReportView(CProject* project, QWidget* parent = nullptr);
  void SetProject(CProject* project) { mProject = project; }
  // The report's width and height on the window's page (8 inches wide).
  CReportSize ReportSize();
  // The off-screen picture of the visible part, as the next paint shows it.
  QImage Render();
  // Takes note of a change of the document, for the next layout.
  void NoteChange(const CDocumentChange& change);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  // Ranges from the report size: a bar only when the report is larger.
  void UpdateScrollBars(CReportSize size);
  // The layout of the report on the surface: measured afresh when the
  // surface's metrics or the page have changed or a change notice says
  // that everything may have; else measured again where the notices (or,
  // without any, the content keys) show a change.
  const CWindowLayout& Layout(CQtReportSurface& surface, const CReportPage& page);

  // What a layout was measured on.
  struct CLayoutKey
  {
    int mLine = 0;
    int mChar = 0;
    int mDpiX = 0;
    int mDpiY = 0;
    int mPageWidth = 0;
    qreal mPixelRatio = 0;
    bool operator==(const CLayoutKey&) const = default;
  };

  CProject* mProject;
  CWindowLayout mLayout;
  CLayoutKey mLayoutKey;
  bool mHasLayout = false;
  // The change notices since the layout was last brought up to date: the
  // volumes they name (nullptr: the project's own fields); a change they do
  // not name (then the content keys are compared); or everything.
  std::vector<const CArea*> mChanged;
  bool mNotified = false;
  bool mUnnamed = false;
  bool mChangedAll = false;
  // The widths of the report's texts in the window's font.
  std::unordered_map<std::string, int> mWidths;
  CLayoutKey mWidthsKey;
};

// Follows its project's document: repaints after every change.
class CReportWnd : public QMdiSubWindow, public CDocumentObserver
{
  Q_OBJECT
public:
  explicit CReportWnd(CProject* project);
  ~CReportWnd() override;

  CReportView* View() const { return mView; }
  CProject* Project() const { return mProject; }

  // Repaints (queued, as every paint request is).
  void PostRefresh();
  void DocumentChanged(const CDocumentChange& change) override;
  // Closes the window as the user closing it would.
  void RequestClose();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void Detach();

  CProject* mProject;
  CReportView* mView;
};

// The title that says what the window shows and of which project:
// "Project – Report" (an en dash between spaces).
QString ReportWindowTitle(const CProject& project);
// The project's report window; nullptr when it has none.
CReportWnd* ReportWindowOf(const CProject* project);
