// The commands over room schedules: export of a project's volumes as CSV or
// of the whole project as JSON, and import of a CSV room schedule.

#include "cli/commands.h"
#include "storage/project_file.h"

#include "document/project_document.h"
#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/project_json.h"
#include "storage/safe_file.h"
#include "storage/schedule_export.h"
#include "storage/schedule_import.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
constexpr std::size_t kListedErrors = 100;
} // namespace

int RunExport(const CArgs& args)
{
  std::string input;
  std::string output;
  std::string format = "csv";
  bool formatGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i)
  {
    const std::string& arg = args[i];
    if (arg == "-o" || arg == "--output" || arg == "--format")
    {
      std::string& target = arg == "--format" ? format : output;
      if (i + 1 >= args.size() || args[i + 1].empty() || (arg == "--format" ? formatGiven : !output.empty()))
        return UsageError();
      formatGiven = formatGiven || arg == "--format";
      target = args[++i];
    }
    else if (arg.rfind("--format=", 0) == 0 && !formatGiven)
    {
      format = arg.substr(9);
      formatGiven = true;
    }
    else if (IsOption(arg) || !input.empty())
      return UsageError();
    else
      input = arg;
  }
  if (input.empty() || (format != "csv" && format != "json"))
    return UsageError();

  CProject project;
  if (!OpenProjectFile(input, project))
    return 1;
  // The JSON goes out as it is made: its memory does not grow with the
  // project. A file is put in place only when all of it was written.
  if (format == "json")
  {
    if (output.empty())
      return WriteProjectJson(project, [](std::string_view piece)
                              { return WriteStdout(std::string(piece)); })
                 ? 0
                 : 1;
    CSafeFile file(output);
    if (!file.Open() ||
        !WriteProjectJson(project, [&file](std::string_view piece) { return file.Write(piece); }) ||
        !file.Commit())
    {
      Complain(file.Error());
      return 1;
    }
    return 0;
  }
  const std::string bytes = ScheduleCsv(project);
  if (output.empty())
    return WriteStdout(bytes) ? 0 : 1;
  std::string error;
  if (!WriteFileSafely(output, bytes, &error))
  {
    Complain(error);
    return 1;
  }
  return 0;
}

int RunImport(const CArgs& args)
{
  if (args.size() != 2 || IsOption(args[0]) || IsOption(args[1]))
    return UsageError();
  const std::string& path = args[0];
  const std::string& schedulePath = args[1];

  // A project file that does not exist yet is made: the schedule starts it.
  CProjectDocument document;
  CProject& project = document.Project();
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  if (!OpenForChange(document, path, true))
    return 1;

  std::string bytes;
  std::string error;
  if (!ReadFileBytes(schedulePath, bytes, &error))
  {
    Complain(error);
    return 1;
  }
  const CSchedule schedule = ReadSchedule(bytes, project);
  if (!schedule.Ok())
  {
    // The first errors say what is wrong; a million more would only bury them.
    std::fputs(ScheduleErrorText(schedule, kListedErrors, schedulePath).c_str(), stderr);
    Complain(schedulePath + ": nothing imported, " + std::to_string(schedule.mErrors.size()) +
             (schedule.mErrors.size() == 1 ? " error" : " errors"));
    return 1;
  }
  document.Apply(edit::ImportSchedule{&schedule});
  if (!document.Save(&error))
  {
    Complain(error);
    return 1;
  }
  return WriteStdout(path + ": " + std::to_string(schedule.Added()) + " added, " +
                     std::to_string(schedule.Updated()) + " updated" + (exists ? "" : " (new project)") +
                     "\n")
           ? 0
           : 1;
}
