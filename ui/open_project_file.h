#pragma once
// Opening a project by its file, as the desktop hands it over: a path on the
// command line, a file dropped on the main window, an entry of the
// recent-projects list.
//
// Projects live in the work folder under their names, and two open projects
// never share a name. A file in the work folder opens as File Open would (an
// open project of that name is brought to the front instead). A file in
// another folder is never opened in place: with no project open the user may
// make its folder the work folder; otherwise, or if they choose, the file is
// copied into the work folder (never over another file) and the copy opens.

#include <QStringList>
#include <string>

class QWidget;

// Opens the project file at `path` (file system encoding); true when its
// project is open afterwards. Every refusal is told to the user.
bool OpenProjectFile(QWidget* parent, const std::string& path);

// Opens each file in turn.
void OpenProjectFiles(QWidget* parent, const QStringList& paths);

// The files named on the command line, made absolute against the current
// folder (so call it before the work folder is entered); handles --help and
// --version, which end the program.
QStringList ProjectFilesOnCommandLine(const QStringList& arguments);

// Lets project files dropped on the window open; other drops are refused.
void AcceptProjectDrops(QWidget* window);

// Opens an entry of the recent-projects list; an entry whose file is gone is
// removed from the list and the user is told.
bool OpenRecentProject(QWidget* parent, const std::string& path);
