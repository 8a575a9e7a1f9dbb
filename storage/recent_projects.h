#pragma once
// The recent-projects list: the full paths of the last project files opened
// or saved, most recent first, kept in the settings store under
// "Recent Projects"/"File1" to "File8". Running copies of the program share
// it: every change reads, changes and writes it in one settings Update, so
// that no copy loses what another put in meanwhile.

#include <cstddef>
#include <string>
#include <vector>

class CSettingsStore;

inline constexpr char kRecentProjectsSection[] = "Recent Projects";
inline constexpr std::size_t kRecentProjectCount = 8;

// The remembered paths, most recent first, without gaps or repeats.
std::vector<std::string> ReadRecentProjects(const CSettingsStore& settings);

// Puts the file (made absolute against the current folder) first; an earlier
// entry of the same path moves up, and the oldest beyond eight is dropped.
void AddRecentProject(CSettingsStore& settings, const std::string& path);

// Forgets the file: the path as stored, or the same file named another way
// (a relative path, its folder reached through a link).
void RemoveRecentProject(CSettingsStore& settings, const std::string& path);

// The file `from` (named as RemoveRecentProject takes it) was renamed or
// moved to `to`: its entry names `to` (made absolute) at the same place, and
// an entry of the file it replaced goes. Nothing changes when it is not listed.
void RenameRecentProject(CSettingsStore& settings, const std::string& from, const std::string& to);
