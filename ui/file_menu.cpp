#include "ui/file_menu.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "ui/edit_menu.h"
#include "ui/project_sheet.h"
#include "ui/project_tab_project.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_sheet.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <vector>

namespace
{
CVTXSheet* ProjectSheetOf(const CProject* project)
{
  CSheetWnd* window = ProjectWindowOf(project);
  return window ? qobject_cast<CVTXSheet*>(window->Sheet()) : nullptr;
}

bool MaySave(const CProject& project)
{
  return project.IsModified() && !IsReadOnly(project);
}

// The project of the active window, with the typing its volume window still
// holds taken into it: the page's flows commit only the project window's.
CProject* ActiveProject(const QMdiArea* area)
{
  CProjectDocument* document = ActiveDocument(area);
  if (!document)
    return nullptr;
  if (auto* window = qobject_cast<CSheetWnd*>(area->activeSubWindow()))
    if (auto* volume = qobject_cast<CVTXAreaSheet*>(window->Sheet()))
      volume->CommitEdits();
  return &document->Project();
}

// The Project page of the active project, for its flows; nullptr when none.
CVTXPageProject* ActivePage(const QMdiArea* area)
{
  CVTXSheet* sheet = ProjectSheetOf(ActiveProject(area));
  return sheet ? sheet->ProjectPage() : nullptr;
}

// Each child window's own menu closes just that window on Ctrl+W; two
// actions on one key would leave the key doing nothing, so the key is taken
// from those menus for Close.
void TakeKeyFromChildWindows(const QMdiArea& area, const QKeySequence& key)
{
  for (QMdiSubWindow* window : area.subWindowList())
    if (QMenu* menu = window->systemMenu())
      for (QAction* action : menu->actions())
        if (action->shortcuts().contains(key))
        {
          QList<QKeySequence> keys = action->shortcuts();
          keys.removeAll(key);
          action->setShortcuts(keys);
        }
}

QAction* AddCommand(QMenu* menu, const QString& text, const QKeySequence& key)
{
  QAction* action = menu->addAction(text);
  if (!key.isEmpty())
  {
    // The caption carries the shortcut hint itself, as the menu's others do.
    action->setText(text + "\t" + key.toString(QKeySequence::NativeText));
    action->setShortcut(key);
  }
  return action;
}
} // namespace

CFileMenu::CFileMenu(QMenu* menu, QMdiArea* area) : QObject(menu), mArea(area)
{
  mClose = AddCommand(menu, "&Close", QKeySequence(Qt::CTRL | Qt::Key_W));
  menu->addSeparator();
  mSave = AddCommand(menu, "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
  mSaveAs = AddCommand(menu, "Save &As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  mSaveAll = AddCommand(menu, "Save A&ll", QKeySequence());
  menu->addSeparator();
  mPrint = AddCommand(menu, "&Print Report...", QKeySequence(Qt::CTRL | Qt::Key_P));
  mExportPdf = AddCommand(menu, "Export P&DF...", QKeySequence());
  connect(mClose, &QAction::triggered, this, &CFileMenu::OnClose);
  connect(mSave, &QAction::triggered, this, &CFileMenu::OnSave);
  connect(mSaveAs, &QAction::triggered, this, &CFileMenu::OnSaveAs);
  connect(mSaveAll, &QAction::triggered, this, &CFileMenu::OnSaveAll);
  connect(mPrint, &QAction::triggered, this, &CFileMenu::OnPrint);
  connect(mExportPdf, &QAction::triggered, this, &CFileMenu::OnExportPdf);
  connect(menu, &QMenu::aboutToShow, this, &CFileMenu::Update);
  connect(area, &QMdiArea::subWindowActivated, this, &CFileMenu::Update);
  qApp->installEventFilter(this);
  Update();
}

CFileMenu::~CFileMenu()
{
  qApp->removeEventFilter(this);
}

void CFileMenu::Update()
{
  const CProjectDocument* document = ActiveDocument(mArea);
  const CProject* project = document ? &document->Project() : nullptr;
  for (QAction* action : {mClose, mSaveAs, mPrint, mExportPdf})
    action->setEnabled(project != nullptr);
  mSave->setEnabled(project && MaySave(*project));
  bool anyToSave = false;
  for (std::size_t i = 0; i < OpenProjects().Count(); ++i)
    anyToSave = anyToSave || MaySave(*OpenProjects().Get(i));
  mSaveAll->setEnabled(anyToSave);
}

bool CFileMenu::eventFilter(QObject* watched, QEvent* event)
{
  // The state is brought up to date before a shortcut is looked up: an edit
  // since the menu was last shown may have made Save possible.
  if (event->type() == QEvent::ShortcutOverride && mArea)
    if (auto* widget = qobject_cast<QWidget*>(watched);
        widget && widget->window() == mArea->window())
    {
      Update();
      TakeKeyFromChildWindows(*mArea, mClose->shortcut());
    }
  return false;
}

void CFileMenu::OnClose()
{
  if (CProjectDocument* document = ActiveDocument(mArea))
    if (CSheetWnd* window = ProjectWindowOf(&document->Project()))
      window->close();
}

void CFileMenu::OnSave()
{
  CVTXPageProject* page = ActivePage(mArea);
  if (page && MaySave(*page->Project()))
    page->OnSave();
  Update();
}

void CFileMenu::OnSaveAs()
{
  if (CVTXPageProject* page = ActivePage(mArea))
    page->OnSaveAs();
  Update();
}

void CFileMenu::OnSaveAll()
{
  // The active volume window's typing belongs to its project's save.
  ActiveProject(mArea);
  std::vector<CProject*> projects;
  for (std::size_t i = 0; i < OpenProjects().Count(); ++i)
    if (MaySave(*OpenProjects().Get(i)))
      projects.push_back(OpenProjects().Get(i));
  for (CProject* project : projects)
    if (CVTXSheet* sheet = ProjectSheetOf(project))
      sheet->ProjectPage()->OnSave();
  Update();
}

void CFileMenu::OnPrint()
{
  if (CVTXPageProject* page = ActivePage(mArea))
    page->OnPrint();
}

void CFileMenu::OnExportPdf()
{
  if (CVTXPageProject* page = ActivePage(mArea))
    page->OnExportPdf();
}

bool CloseAllProjects(QMdiArea* area)
{
  std::vector<QPointer<CSheetWnd>> windows;
  for (std::size_t i = 0; i < OpenProjects().Count(); ++i)
    if (CSheetWnd* window = ProjectWindowOf(OpenProjects().Get(i)))
      windows.emplace_back(window);
  std::vector<CVTXSheet*> asked;
  for (const QPointer<CSheetWnd>& window : windows)
  {
    auto* sheet = window ? qobject_cast<CVTXSheet*>(window->Sheet()) : nullptr;
    if (!sheet)
      continue;
    // The user sees which project a question is about.
    if (area)
      area->setActiveSubWindow(window);
    if (sheet->QueryClose())
    {
      // Called off: the projects already asked keep their windows and
      // changes, and their next close asks again.
      for (CVTXSheet* earlier : asked)
        earlier->CallOffClose();
      return false;
    }
    asked.push_back(sheet);
  }
  // Every question is answered: the windows go without asking again.
  for (const QPointer<CSheetWnd>& window : windows)
    if (window)
      window->RequestClose();
  return OpenProjects().Empty();
}
