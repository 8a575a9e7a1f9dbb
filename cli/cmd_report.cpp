// The commands over the reports: the text report to standard output and the
// rich-text report file.

#include "cli/commands.h"
#include "document/report_files.h"

#include "model/project.h"
#include "report/rtf_writer.h"
#include "report/text_report.h"

#include <filesystem>
#include <string>

int RunReport(const CArgs& args)
{
  return RunProjectText(args, TextReport);
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
    Complain(error);
    return 1;
  }
  return WriteStdout(output + "\n") ? 0 : 1;
}
