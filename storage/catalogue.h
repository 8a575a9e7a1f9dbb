#pragma once
// The catalogue of saved projects in a folder: the project files "name.ad",
// the rules for project names, and renaming, moving and deleting the files.
//
// Names are the program's Windows-1252 texts; a project's file name is its
// name followed by ".ad", byte for byte, as CProject::SetName forms mPath.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kProjectFileExtension[] = ".ad";

// The file name of a project: name followed by ".ad".
std::string ProjectFileName(std::string_view name);

// What a typed name turns into as a file title: only the last path
// component is kept ('/' and '\' both separate components), so no name
// reaches outside the work folder. A result of "." or ".." is empty.
std::string NormalizeProjectName(std::string_view name);

enum class CProjectNameProblem
{
  None,
  Empty, // nothing but blanks counts as empty
  InUse, // a project of that name is open here or in another copy of the
         // program, or its file exists in the folder
  Separator, // a '/' or '\' would lose the part before it (NormalizeProjectName)
};

// True when NormalizeProjectName would drop a part of the name before a
// '/' or '\'.
bool HasPathSeparator(std::string_view name);

// True when a project of the name is open in this copy of the program.
using CIsOpenProject = std::function<bool(std::string_view name)>;

// Checks a name for a new project file in `folder` ("." is the current folder).
CProjectNameProblem CheckProjectName(std::string_view name, const CIsOpenProject& isOpen,
                                     const std::string& folder = ".");

// The titles of the project files "*.ad" in the folder (exact, case-sensitive
// extension), folders skipped, the names in `skip` (open projects) left out,
// without repeats, in byte order.
std::vector<std::string> ListProjectNames(const std::string& folder,
                                          const std::vector<std::string>& skip);

struct CCatalogueRow
{
  std::string mName;
  std::string mDate;
  std::string mDesigner;
  std::string mReference;
};

// One row per listed project whose file reads; files that do not read give no row.
std::vector<CCatalogueRow> ReadCatalogue(const std::string& folder,
                                         const std::vector<std::string>& skip);

// True when the two texts name one folder: equal texts, or the same folder
// reached another way (symbolic link, "a/./b", trailing separator).
bool SameFolder(const std::string& a, const std::string& b);

// Renames folder/from.ad to folder/to.ad. Never replaces a file, not even
// one that appears while it works: false with the reason when the target
// exists or the rename fails. Rename, Move and Delete leave alone a project
// file that another copy of the program has open, for change or read-only,
// saying so.
bool RenameProjectFile(const std::string& folder, std::string_view from, std::string_view to,
                       std::string* error = nullptr);

// True when target/name.ad exists (whatever it is).
bool ProjectFileExists(const std::string& folder, std::string_view name);

// Moves fromFolder/name.ad to toFolder/name.ad. An existing target is
// replaced only when `replace` is set, and never when it is the source file
// itself, and one that appears while it works never; the source is kept
// until the target has been written, also between file systems, where the
// copy is made in a new temporary file beside the target, synced, and put
// in place like a save. False with the reason when nothing was moved.
bool MoveProjectFile(const std::string& fromFolder, const std::string& toFolder,
                     std::string_view name, bool replace, std::string* error = nullptr);

// Splits the path of a project file into its folder (absolute, against the
// current folder) and its name, the file title; false when the file name does
// not end in ".ad" (exact case) or has nothing before it.
bool SplitProjectPath(const std::string& path, std::string& folder, std::string& name);

// Copies the file at `source` to folder/name.ad. Never replaces anything:
// false with the reason when the target exists or the copy fails, and then
// no part of a copy is left behind.
bool CopyProjectFile(const std::string& source, const std::string& folder, std::string_view name,
                     std::string* error = nullptr);

// True when both files can be read and hold the same bytes.
bool SameFileContents(const std::string& a, const std::string& b);

// Deletes folder/name.ad; false with the reason when it cannot.
bool DeleteProjectFile(const std::string& folder, std::string_view name,
                       std::string* error = nullptr);
