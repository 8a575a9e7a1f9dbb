#pragma once
// Application-wide services of the program: the main window and its client
// area, the settings store, the shared printer, the shared address lists,
// saving and naming projects. They know no window of their own; the flows
// that open projects (open_project.*, open_project_file.*, main_frame.*)
// and the windows build on them.

#include <functional>
#include <string>

class CProject;
class CProjectDocument;
class CSettingsStore;
class QMdiArea;
class QPrinter;
class QString;
class QWidget;

// The main window and its client area, where the child windows open
// (nullptr before the main window exists, e.g. in some tests). The main
// window puts itself here (SetMainFrame in ui/main_frame.h).
QWidget* MainFrame();
QMdiArea* MainClientArea();
void SetMainWindow(QWidget* frame, QMdiArea* clientArea);

// How a project page's Save As opens the copy it makes under the new name:
// OpenProject (ui/open_project.h), put here by the main window. The pages
// are made by the flows that open projects, so they reach them only through
// this; false (nothing opened) while none is in place.
using CProjectOpener = bool (*)(const std::string& name, const CProjectDocument* source);
void SetProjectOpener(CProjectOpener opener);
bool OpenProjectCopy(const std::string& name, const CProjectDocument* source);

// The settings store in use (QSettings in the program, in memory in tests).
CSettingsStore& Settings();
void SetSettings(CSettingsStore* store);

// The printer whose set-up "Print Setup..." edits, kept for the whole run;
// handed out with the paper and orientation of DefaultPageLayout (paper.h).
QPrinter& SharedPrinter();

// The user's documents folder, created when missing; empty when unknown.
std::string DocumentsFolder();

// Chooses the work folder (the remembered one, else the default one in the
// documents folder) and makes it the current folder; empty when none.
std::string EnterWorkFolder(CSettingsStore& settings);

// Makes the folder the work folder (remembered, and the current folder) and
// tells the follower set below; false, changing nothing, when it cannot be
// used.
bool UseWorkFolder(const std::string& folder);
// Told the new work folder's path after each change (the single-program
// socket moves with it); nullptr: nobody.
void SetWorkFolderFollower(std::function<void(const std::string& folder)> follower);

// Reads the customer book and the designer list from the work folder (the
// default distributor is read from the settings store where a new project
// takes it).
void LoadSharedLists();

// Saves the open project as its window's Save does. False when it was not
// saved: `error` says why, and `declined` is set when the user chose to keep
// a file another program had changed (nothing failed, nothing was written).
bool SaveFromWindow(CProject& project, std::string& error, bool& declined);
// The question a save asks before it replaces a file another program has
// written since it was read (the file state's changed-file question); No is remembered for
// SaveFromWindow.
bool AskToReplaceChangedFile(const CProject& project);
// What the user is told when such a save did not happen: the failure with
// its reason, or, calmly, that nothing was saved and how to keep the changes.
QString NotSavedText(const CProject& project, const std::string& error, bool declined);
// Save as the project window does it: SaveFromWindow, then the failure is
// said (the user must not believe the work is on disk) or the file is
// remembered as recent. True when it was saved.
bool SaveAndSay(QWidget* parent, CProject& project);

// Puts the project's file first in the recent-projects list (after it was
// read or written).
void RememberRecentProject(const CProject& project);

// True when the name may be given to a new project file; otherwise tells the
// user why not (caption: the application title) and gives false.
bool ValidateProjectName(QWidget* parent, const std::string& name);

// The "Project Name" prompt; true and the accepted name on OK.
bool AskProjectName(QWidget* parent, const std::string& initial, std::string& name);
