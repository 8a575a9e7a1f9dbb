#include "storage/catalogue.h"

#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/lock_file.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "text/shown_text.h"
#include "text/text_cleaners.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

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

// The reason not to rename, move or delete a project file that another
// copy of the program has open, for change or read-only; empty when none has.
std::string OpenElsewhere(const fs::path& path)
{
  if (!MarkedElsewhere(path.string()))
    return {};
  const std::string how = MarkedForChangeElsewhere(path.string()) ? "" : "read-only ";
  return "\"" + ShownText(path.filename().string()) + "\" is open " + how +
         "in another copy of the program";
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

CProjectNameProblem CheckProjectName(std::string_view name, const CIsOpenProject& isOpen,
                                     const std::string& folder)
{
  if (HasPathSeparator(name))
    return CProjectNameProblem::Separator;
  // A name of blanks only names nothing a user could pick out of a list.
  if (CollapseSpaces(name).empty())
    return CProjectNameProblem::Empty;
  // A project another copy of the program has open but not yet saved has
  // no file, only its mark.
  const std::string path = ProjectPath(folder, name).string();
  if ((isOpen && isOpen(name)) || Exists(path) || MarkedElsewhere(path))
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
    if (!LoadProject(scratch))
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
  if (std::string why = OpenElsewhere(source); !why.empty())
    return Fail(error, why);
  auto taken = [&] {
    return Fail(error, "a file named \"" + target.filename().string() + "\" already exists");
  };
  if (Exists(target))
    return taken();
  // The rename checks again: a file that appears in between is kept too.
  if (RenameFile(source.c_str(), target.c_str(), false) == 0)
    return true;
  return errno == EEXIST ? taken() : Fail(error, std::strerror(errno));
}

bool MoveProjectFile(const std::string& fromFolder, const std::string& toFolder,
                     std::string_view name, bool replace, std::string* error)
{
  const fs::path source = ProjectPath(fromFolder, name);
  const fs::path target = ProjectPath(toFolder, name);
  std::error_code ec;
  if (!Exists(source))
    return Fail(error, "the file \"" + source.string() + "\" no longer exists");
  for (const fs::path& path : {source, target})
    if (std::string why = OpenElsewhere(path); !why.empty())
      return Fail(error, why);
  const bool existed = Exists(target);
  if (existed)
  {
    // The same file reached through another path: replacing it would delete it.
    if (fs::equivalent(source, target, ec) && !ec)
      return Fail(error, "\"" + ShownText(target.string()) + "\" is the file itself");
    if (!replace)
      return Fail(error, "\"" + ShownText(target.string()) + "\" already exists");
    if (fs::is_directory(fs::symlink_status(target, ec)))
      return Fail(error, "\"" + ShownText(target.string()) + "\" is a folder");
  }
  auto appeared = [&]
  { return Fail(error, "\"" + ShownText(target.string()) + "\" already exists"); };

  // A rename puts the file in place in one step. Only the file the user
  // agreed to replace is replaced; when there was none, a file that appears
  // meanwhile is kept and the move refused.
  if (RenameFile(source.c_str(), target.c_str(), existed) == 0)
    return true;
  if (errno == EEXIST)
    return appeared();
  if (errno != EXDEV)
    return Fail(error, std::strerror(errno));

  // Another file system: the content goes into a temporary file created
  // afresh beside the target (never through a link planted there), synced,
  // and put in place like a save; only then is the source removed.
  std::string bytes;
  std::string reason;
  if (!ReadFileBytes(source.string(), bytes, &reason))
    return Fail(error, reason);
  CSafeFile copy(target.string());
  if (!existed)
    copy.KeepExisting();
  if (!copy.Open() || !copy.Write(bytes) || !copy.Commit())
  {
    if (!existed && Exists(target))
      return appeared();
    return Fail(error, copy.Error());
  }
  if (::unlink(source.c_str()) != 0)
    return Fail(error, "it was copied to \"" + ShownText(target.string()) +
                           "\" but the original could not be removed: " + std::strerror(errno));
  return true;
}

bool DeleteProjectFile(const std::string& folder, std::string_view name, std::string* error)
{
  const fs::path path = ProjectPath(folder, name);
  if (std::string why = OpenElsewhere(path); !why.empty())
    return Fail(error, why);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(path, ec)))
    return Fail(error, "\"" + ShownText(path.filename().string()) + "\" is a folder");
  if (!fs::remove(path, ec) || ec)
    return Fail(error, ec ? ec.message() : "the file no longer exists");
  return true;
}

bool SplitProjectPath(const std::string& path, std::string& folder, std::string& name)
{
  std::error_code ec;
  const fs::path absolute = fs::absolute(fs::path(path), ec).lexically_normal();
  if (ec)
    return false;
  const std::string file = absolute.filename().string();
  if (file.size() <= kExtensionLength ||
      file.compare(file.size() - kExtensionLength, kExtensionLength, kProjectFileExtension) != 0)
    return false;
  folder = absolute.parent_path().string();
  name = file.substr(0, file.size() - kExtensionLength);
  return true;
}

bool CopyProjectFile(const std::string& source, const std::string& folder, std::string_view name,
                     std::string* error)
{
  const fs::path target = ProjectPath(folder, name);
  if (Exists(target))
    return Fail(error, "a file named \"" + target.filename().string() + "\" already exists");
  std::string bytes;
  if (!ReadFileBytes(source, bytes, error))
    return false;
  // Written beside the target and renamed into place: a failed copy leaves
  // nothing under the project's name.
  return WriteFileSafely(target.string(), bytes, error);
}

bool SameFileContents(const std::string& a, const std::string& b)
{
  std::string first, second;
  return ReadFileBytes(a, first) && ReadFileBytes(b, second) && first == second;
}
