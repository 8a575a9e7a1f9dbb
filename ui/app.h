#pragma once
// Application-wide services of the program: the main window, the open
// projects' windows, the shared address lists and the settings store.

#include "storage/file_stamp.h"

#include <string>

class CMainFrame;
class CProject;
class CProjectDocument;
class CSettingsStore;
class QPrinter;
class QString;
class QWidget;

// The main window (nullptr before it exists, e.g. in some tests).
CMainFrame* MainFrame();
void SetMainFrame(CMainFrame* frame);

// The settings store in use (QSettings in the program, in memory in tests).
CSettingsStore& Settings();
void SetSettings(CSettingsStore* store);

// The printer whose set-up "Print Setup..." edits, kept for the whole run.
QPrinter& SharedPrinter();

// The user's documents folder, created when missing; empty when unknown.
std::string DocumentsFolder();

// Chooses the work folder (the remembered one, else the default one in the
// documents folder) and makes it the current folder; empty when none.
std::string EnterWorkFolder(CSettingsStore& settings);

// Reads the customer book and the designer list from the work folder (the
// default distributor is read from the settings store where a new project
// takes it).
void LoadSharedLists();

// Creates a project (for Save As, the document layer's copy of source under
// the new name), names it, reads its file when one exists, opens its window
// and adds it to OpenProjects. An existing file that cannot be read opens
// nothing and is reported to the user.
// A recovered project: its content is taken over what the file holds now,
// and the file's stamp as the recovered changes started from it (Unknown:
// the file as read now), so that a save asks before replacing a file
// written since.
struct CRecoveredProject
{
  const CProject* mProject = nullptr;
  CFileStamp mBase;
};
bool OpenProject(const std::string& name, const CProjectDocument* source,
                 const CRecoveredProject* recovered = nullptr);

// Saves the open project as its window's Save does. False when it was not
// saved: `error` says why, and `declined` is set when the user chose to keep
// a file another program had changed (nothing failed, nothing was written).
bool SaveFromWindow(CProject& project, std::string& error, bool& declined);
// What the user is told when such a save did not happen: the failure with
// its reason, or, calmly, that nothing was saved and how to keep the changes.
QString NotSavedText(const CProject& project, const std::string& error, bool declined);

// Puts the project's file first in the recent-projects list (after it was
// read or written).
void RememberRecentProject(const CProject& project);

// True when the name may be given to a new project file; otherwise tells the
// user why not (caption: the application title) and gives false.
bool ValidateProjectName(QWidget* parent, const std::string& name);

// The "Project Name" prompt; true and the accepted name on OK.
bool AskProjectName(QWidget* parent, const std::string& initial, std::string& name);
