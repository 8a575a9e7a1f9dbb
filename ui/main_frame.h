#pragma once
// The multiple-document main window.

#include <QMainWindow>

class QMdiArea;

class CMainFrame : public QMainWindow
{
  Q_OBJECT
public:
  explicit CMainFrame(QWidget* parent = nullptr);
  QMdiArea* MdiArea() const { return mMdiArea; }

private:
  QMdiArea* mMdiArea;
};
