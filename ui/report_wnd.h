#pragma once
// The report window: an MDI child showing the project's graphic report,
// scrollable in both directions. It keeps no copy of the report: every paint
// lays the project out afresh (measure, then draw off-screen, then one copy
// to the screen), so a repaint after an edit shows the current figures.

#include "model/window_notifier.h"
#include "report/report_surface.h"

#include <QAbstractScrollArea>
#include <QMdiSubWindow>

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

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  // Ranges from the report size: a bar only when the report is larger.
  void UpdateScrollBars(CReportSize size);

  CProject* mProject;
};

class CReportWnd : public QMdiSubWindow, public CWindowNotifier
{
  Q_OBJECT
public:
  explicit CReportWnd(CProject* project);
  ~CReportWnd() override;

  CReportView* View() const { return mView; }
  CProject* Project() const { return mProject; }

  // Repaints (queued, as every paint request is).
  void PostRefresh() override;
  // Closes the window as the user closing it would.
  void RequestClose() override;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void Detach();

  CProject* mProject;
  CReportView* mView;
};
