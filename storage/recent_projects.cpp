#include "storage/recent_projects.h"

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
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  const std::string full = ec ? path : absolute.lexically_normal().string();
  std::vector<std::string> paths = ReadRecentProjects(settings);
  std::erase(paths, full);
  paths.insert(paths.begin(), full);
  if (paths.size() > kRecentProjectCount)
    paths.resize(kRecentProjectCount);
  WriteAll(settings, paths);
}

void RemoveRecentProject(CSettingsStore& settings, const std::string& path)
{
  std::vector<std::string> paths = ReadRecentProjects(settings);
  std::erase(paths, path);
  WriteAll(settings, paths);
}
