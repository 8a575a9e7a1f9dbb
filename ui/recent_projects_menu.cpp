#include "ui/recent_projects_menu.h"

#include "storage/catalogue.h"
#include "storage/recent_projects.h"
#include "ui/app.h"
#include "ui/open_project_file.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

namespace
{
// A deep folder is shortened in the middle; the tip shows the whole path.
constexpr int kFolderWidthInCharacters = 50;
} // namespace

CRecentProjectsMenu::CRecentProjectsMenu(QMenu* menu, QAction* before)
    : QObject(menu), mMenu(menu), mBefore(before)
{
  mMenu->setToolTipsVisible(true);
  connect(mMenu, &QMenu::aboutToShow, this, &CRecentProjectsMenu::Refresh);
  Refresh();
}

QList<QAction*> CRecentProjectsMenu::Refresh()
{
  if (mSeparator)
    mEntries << mSeparator;
  mSeparator = nullptr;
  for (QAction* action : mEntries)
  {
    mMenu->removeAction(action);
    action->deleteLater();
  }
  mEntries.clear();

  const QFontMetrics metrics(mMenu->font());
  int number = 0;
  for (const std::string& path : ReadRecentProjects(Settings()))
  {
    std::string folder, name;
    if (!SplitProjectPath(path, folder, name))
      continue;
    const QString shownFolder = metrics.elidedText(
        PathToQt(folder), Qt::ElideMiddle, metrics.averageCharWidth() * kFolderWidthInCharacters);
    // The name is the program's own text; "&" would otherwise make a mnemonic.
    QString title = ToQt(name);
    title.replace("&", "&&");
    auto* action = new QAction(
        QString("&%1 %2  (%3)").arg(++number).arg(title, QString(shownFolder).replace("&", "&&")),
        mMenu);
    action->setToolTip(PathToQt(path));
    connect(action, &QAction::triggered, this,
            [this, path]
            {
              QWidget* owner = mMenu->parentWidget();
              OpenRecentProject(owner ? owner->window() : nullptr, path);
            });
    mMenu->insertAction(mBefore, action);
    mEntries << action;
  }
  if (!mEntries.isEmpty())
  {
    mSeparator = new QAction(mMenu);
    mSeparator->setSeparator(true);
    mMenu->insertAction(mBefore, mSeparator);
  }
  return mEntries;
}
