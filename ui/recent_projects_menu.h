#pragma once
// The recent projects at the foot of the File menu: "&1 name  (folder)" for
// each file of the recent-projects list, rebuilt from the settings store
// every time the menu opens; choosing one opens that file.

#include <QList>
#include <QObject>

class QAction;
class QMenu;

class CRecentProjectsMenu : public QObject
{
  Q_OBJECT
public:
  // Entries go into the menu before `before`, with a separator of their own.
  CRecentProjectsMenu(QMenu* menu, QAction* before);

  // Rebuilds the entries; gives them in menu order.
  QList<QAction*> Refresh();

private:
  QMenu* mMenu;
  QAction* mBefore;
  QList<QAction*> mEntries;
  QAction* mSeparator = nullptr;
};
