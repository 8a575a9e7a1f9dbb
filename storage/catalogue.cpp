#include "storage/catalogue.h"

#include "model/project.h"
#include "storage/units.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
constexpr std::size_t kExtensionLength = sizeof(kProjectFileExtension) - 1;

fs::path ProjectPath(const std::string& folder, std::string_view name)
{
  return fs::path(folder.empty() ? std::string(".") : folder) / ProjectFileName(name);
}

bool Fail(std::string* error, std::string reason)
{
  if (error)
    *error = std::move(reason);
  return false;
}

bool Exists(const fs::path& path)
{
  std::error_code ec;
  // A dangling symbolic link still occupies the name.
  return fs::exists(fs::symlink_status(path, ec));
}
} // namespace

std::string ProjectFileName(std::string_view name)
{
  return std::string(name) + kProjectFileExtension;
}

std::string NormalizeProjectName(std::string_view name)
{
  // A control character cannot stand in a file name where project files
  // travel to, and a NUL would end the name the file system sees: each
  // becomes a space, as in the other texts of the program.
  std::string typed(name);
  for (char& c : typed)
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
      c = ' ';
  const std::string file = ProjectFileName(typed);
  const std::size_t separator = file.find_last_of("/\\");
  std::string component = separator == std::string::npos ? file : file.substr(separator + 1);
  std::string title = component.substr(0, component.size() - kExtensionLength);
  if (title == "." || title == "..")
    return {};
  return title;
}

bool HasPathSeparator(std::string_view name)
{
  return name.find_first_of("/\\") != std::string_view::npos;
}

CProjectNameProblem CheckProjectName(std::string_view name, const COpenProjects& open,
                                     const std::string& folder)
{
  if (HasPathSeparator(name))
    return CProjectNameProblem::Separator;
  // A name of blanks only names nothing a user could pick out of a list.
  if (CollapseSpaces(name).empty())
    return CProjectNameProblem::Empty;
  if (open.Find(name) || Exists(ProjectPath(folder, name)))
    return CProjectNameProblem::InUse;
  return CProjectNameProblem::None;
}

std::vector<std::string> ListProjectNames(const std::string& folder,
                                          const std::vector<std::string>& skip)
{
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec))
  {
    const std::string file = it->path().filename().string();
    if (file.size() <= kExtensionLength ||
        file.compare(file.size() - kExtensionLength, kExtensionLength, kProjectFileExtension) != 0)
      continue;
    std::error_code statusError;
    if (!it->is_regular_file(statusError)) // folders named x.ad, dangling links
      continue;
    std::string title = file.substr(0, file.size() - kExtensionLength);
    if (std::find(skip.begin(), skip.end(), title) != skip.end())
      continue;
    names.push_back(std::move(title));
  }
  // std::string compares as unsigned bytes: the ordinal order of the lists.
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::vector<CCatalogueRow> ReadCatalogue(const std::string& folder,
                                         const std::vector<std::string>& skip)
{
  std::vector<CCatalogueRow> rows;
  for (const std::string& name : ListProjectNames(folder, skip))
  {
    CProject scratch;
    scratch.SetName(name);
    scratch.mPath = ProjectPath(folder, name).string();
    if (!scratch.Load())
      continue;
    rows.push_back({name, scratch.mProject_Date, scratch.mProject_Designer,
                    scratch.mProject_Reference});
  }
  return rows;
}

bool SameFolder(const std::string& a, const std::string& b)
{
  if (a == b)
    return true;
  std::error_code ec;
  return fs::equivalent(fs::path(a), fs::path(b), ec) && !ec;
}

bool ProjectFileExists(const std::string& folder, std::string_view name)
{
  return Exists(ProjectPath(folder, name));
}

bool RenameProjectFile(const std::string& folder, std::string_view from, std::string_view to,
                       std::string* error)
{
  const fs::path source = ProjectPath(folder, from);
  const fs::path target = ProjectPath(folder, to);
  if (!Exists(source))
    return Fail(error, "the file \"" + source.filename().string() + "\" no longer exists");
  if (Exists(target))
    return Fail(error, "a file named \"" + target.filename().string() + "\" already exists");
  std::error_code ec;
  fs::rename(source, target, ec);
  if (ec)
    return Fail(error, ec.message());
  return true;
}

bool MoveProjectFile(const std::string& fromFolder, const std::string& toFolder,
                     std::string_view name, bool replace, std::string* error)
{
  const fs::path source = ProjectPath(fromFolder, name);
  const fs::path target = ProjectPath(toFolder, name);
  std::error_code ec;
  if (!Exists(source))
    return Fail(error, "the file \"" + source.string() + "\" no longer exists");
  if (Exists(target))
  {
    // The same file reached through another path: replacing it would delete it.
    if (fs::equivalent(source, target, ec) && !ec)
      return Fail(error, "\"" + target.string() + "\" is the file itself");
    if (!replace)
      return Fail(error, "\"" + target.string() + "\" already exists");
    if (fs::is_directory(fs::symlink_status(target, ec)))
      return Fail(error, "\"" + target.string() + "\" is a folder");
  }

  // A rename replaces the target in one step, so the target is only lost
  // when the move succeeds.
  ec.clear();
  fs::rename(source, target, ec);
  if (!ec)
    return true;
  if (ec != std::errc::cross_device_link)
    return Fail(error, ec.message());

  // Another file system: copy beside the target, put the copy in its place,
  // and only then remove the source.
  fs::path temporary = target;
  temporary += ".moving";
  ec.clear();
  fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
  if (!ec)
    fs::rename(temporary, target, ec);
  if (ec)
  {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return Fail(error, ec.message());
  }
  fs::remove(source, ec);
  if (ec)
    return Fail(error, "it was copied to \"" + target.string() +
                         "\" but the original could not be removed: " + ec.message());
  return true;
}

bool DeleteProjectFile(const std::string& folder, std::string_view name, std::string* error)
{
  const fs::path path = ProjectPath(folder, name);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(path, ec)))
    return Fail(error, "\"" + path.filename().string() + "\" is a folder");
  if (!fs::remove(path, ec) || ec)
    return Fail(error, ec ? ec.message() : "the file no longer exists");
  return true;
}
