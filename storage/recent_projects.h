#pragma once
// The recent-projects list: the full paths of the last project files opened
// or saved, most recent first, kept in the settings store under
// "Recent Projects"/"File1" to "File8".

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

// Forgets the path (as stored).
void RemoveRecentProject(CSettingsStore& settings, const std::string& path);
