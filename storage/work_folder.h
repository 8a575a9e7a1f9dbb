#pragma once
// The work folder: the folder that holds the project files and the address
// lists, and the process's current folder, so that every file of the program
// is named relative to it. Its path is kept in the settings store under
// "Settings"/"Directory".

#include <functional>
#include <string>

class CSettingsStore;

inline constexpr char kWorkFolderSection[] = "Settings";
inline constexpr char kWorkFolderKey[] = "Directory";
inline constexpr char kDefaultWorkFolderName[] = "Vantor Designer Files";

// Makes the remembered folder current; when there is none or it cannot be
// entered, the default folder inside the user's documents folder (created
// when missing) and remembers it, or forgets the setting when no folder can
// be had; leftovers of interrupted saves in it are removed. `documentsFolder` gives the documents folder (created when the
// platform can), empty when it is unknown. Returns the folder made current,
// empty when the process stays where it started.
std::string ChooseWorkFolder(CSettingsStore& settings,
                             const std::function<std::string()>& documentsFolder);

// Makes the folder current, removes the leftovers of interrupted saves in it
// and remembers it; false (nothing changed) when it cannot be entered.
bool ChangeWorkFolder(CSettingsStore& settings, const std::string& folder);

// Removes what saves killed part way left in the folder: the leftover
// temporary files of project files, reports, data dumps and the address
// lists (see RemoveLeftoverTemporaries). Entering a work folder does it.
// Returns how many were removed.
int RemoveLeftoverSaveFiles(const std::string& folder);

// The current folder's full path; empty when it cannot be told.
std::string CurrentFolder();
