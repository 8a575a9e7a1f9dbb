#pragma once
// Application-wide services of the program: the main window, the open
// projects' windows, the shared address lists and the settings store.

#include <string>

class CMainFrame;
class CProject;
class CSettingsStore;
class QWidget;

// The main window (nullptr before it exists, e.g. in some tests).
CMainFrame* MainFrame();
void SetMainFrame(CMainFrame* frame);

// The settings store in use (QSettings in the program, in memory in tests).
CSettingsStore& Settings();
void SetSettings(CSettingsStore* store);

// Creates a project (a copy of source when given), names it, reads its file
// when one exists, opens its window and adds it to OpenProjects.
bool OpenProject(const std::string& name, const CProject* source);

// The "Project Name" prompt; true and the accepted name on OK.
bool AskProjectName(QWidget* parent, const std::string& initial, std::string& name);
