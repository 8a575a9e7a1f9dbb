// Placeholder until the project sheet lands: a plain child window with the
// project's name.
#include "ui/windows.h"

#include "model/project.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

bool CreateProjectWindow(QMdiArea* area, CProject* project)
{
  auto* sub = area->addSubWindow(new QLabel(ToQt(project->mName)));
  sub->setWindowTitle(ToQt(project->mName));
  sub->show();
  return true;
}
