#include "ui/main_frame.h"

#include "ui/prompts.h"

#include <QMdiArea>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), mMdiArea(new QMdiArea(this))
{
  setWindowTitle(kAppTitle);
  setCentralWidget(mMdiArea);
  resize(1000, 720);
}
