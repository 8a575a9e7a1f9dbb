// The commands over the reports: the text report to standard output and the
// rich-text report file.

#include "cli/commands.h"
#include "document/report_files.h"

#include "model/project.h"
#include "report/rtf_writer.h"
#include "report/text_report.h"

#include <cstdio>
#include <filesystem>
#include <string>

int RunReport(const CArgs& args)
{
  if (args.size() != 1 || IsOption(args[0]))
    return UsageError();
  CProject project;
  if (!OpenProjectFile(args[0], project))
    return 1;
  return WriteStdout(TextReport(project)) ? 0 : 1;
}

int RunRtf(const CArgs& args)
{
  std::string input;
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i)
  {
    if (args[i] == "-o" || args[i] == "--output")
    {
      if (i + 1 >= args.size() || !output.empty() || args[i + 1].empty())
        return UsageError();
      output = args[++i];
    }
    else if (IsOption(args[i]) || !input.empty())
    {
      return UsageError();
    }
    else
    {
      input = args[i];
    }
  }
  if (input.empty())
    return UsageError();

  CProject project;
  if (!OpenProjectFile(input, project))
    return 1;
  if (output.empty())
  {
    // NAME.rtf beside the project file.
    output = (std::filesystem::path(input).parent_path() / (project.mName + ".rtf")).string();
  }
  std::string error;
  if (!WriteRtfReport(project, output, &error))
  {
    std::fprintf(stderr, "vantor-cli: %s\n", error.c_str());
    return 1;
  }
  return WriteStdout(output + "\n") ? 0 : 1;
}
