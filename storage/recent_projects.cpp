#include "storage/recent_projects.h"

#include "storage/catalogue.h"
#include "storage/settings_store.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace
{
std::string Key(std::size_t index)
{
  return "File" + std::to_string(index + 1);
}

void WriteAll(CSettingsStore& settings, const std::vector<std::string>& paths)
{
  for (std::size_t i = 0; i < kRecentProjectCount; ++i)
  {
    if (i < paths.size())
      settings.Write(kRecentProjectsSection, Key(i), paths[i]);
    else if (settings.Contains(kRecentProjectsSection, Key(i)))
      settings.Remove(kRecentProjectsSection, Key(i));
  }
}
// The path made absolute against the current folder, as the list keeps it.
std::string Absolute(const std::string& path)
{
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

// True when the two paths name one project file.
bool SameProjectFile(const std::string& a, const std::string& b)
{
  if (a == b)
    return true;
  std::string folderA, nameA, folderB, nameB;
  return SplitProjectPath(a, folderA, nameA) && SplitProjectPath(b, folderB, nameB) &&
         nameA == nameB && SameFolder(folderA, folderB);
}
} // namespace

std::vector<std::string> ReadRecentProjects(const CSettingsStore& settings)
{
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < kRecentProjectCount; ++i)
  {
    std::string path = settings.Read(kRecentProjectsSection, Key(i));
    // An edited settings file may leave gaps or repeats; neither is shown.
    if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
      paths.push_back(std::move(path));
  }
  return paths;
}

void AddRecentProject(CSettingsStore& settings, const std::string& path)
{
  if (path.empty())
    return;
  const std::string full = Absolute(path);
  settings.Update(
      [&](CSettingsStore& store)
      {
        std::vector<std::string> paths = ReadRecentProjects(store);
        std::erase(paths, full);
        paths.insert(paths.begin(), full);
        if (paths.size() > kRecentProjectCount)
          paths.resize(kRecentProjectCount);
        WriteAll(store, paths);
      });
}

void RemoveRecentProject(CSettingsStore& settings, const std::string& path)
{
  settings.Update(
      [&](CSettingsStore& store)
      {
        std::vector<std::string> paths = ReadRecentProjects(store);
        std::erase_if(paths,
                      [&](const std::string& listed) { return SameProjectFile(listed, path); });
        WriteAll(store, paths);
      });
}

void RenameRecentProject(CSettingsStore& settings, const std::string& from, const std::string& to)
{
  const std::string full = Absolute(to);
  settings.Update(
      [&](CSettingsStore& store)
      {
        std::vector<std::string> paths = ReadRecentProjects(store);
        const auto renamed =
            std::find_if(paths.begin(), paths.end(),
                         [&](const std::string& listed) { return SameProjectFile(listed, from); });
        if (renamed == paths.end())
          return;
        *renamed = full;
        std::vector<std::string> kept;
        for (auto it = paths.begin(); it != paths.end(); ++it)
          if (it == renamed || !(SameProjectFile(*it, from) || SameProjectFile(*it, full)))
            kept.push_back(*it);
        WriteAll(store, kept);
      });
}
