// vantor-cli: the batch tool over the calculation core.

#include "cli/commands.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace
{
const char kUsage[] =
  "Usage: vantor-cli COMMAND [ARGUMENTS]\n"
  "\n"
  "The batch tool of the Vantor (R) System Calculation Program.\n"
  "\n"
  "Commands:\n"
  "  dump PROJECT.ad              write the data dump of a project to standard output\n"
  "  check PROJECT.ad             list every volume with its figures and errors;\n"
  "                               exit 3 when a volume has an error or a UL shortfall\n"
  "  report PROJECT.ad            write the text report to standard output\n"
  "  rtf PROJECT.ad [-o FILE]     write the rich-text report (default NAME.rtf beside\n"
  "                               the project file) and print its path\n"
  "  pdf PROJECT.ad -o FILE.pdf   print the report to a PDF file (the locale's paper,\n"
  "                               Letter or A4; --letter, --a4, --landscape); needs\n"
  "                               vantor-pdf beside vantor-cli\n"
  "  upgrade PROJECT.ad...        rewrite project files of older versions in the\n"
  "                               current format\n"
  "  export PROJECT.ad --format csv|json [-o FILE]\n"
  "                               write the volumes as a CSV room schedule or the\n"
  "                               whole project as JSON (standard output or FILE)\n"
  "  import PROJECT.ad SCHEDULE.csv\n"
  "                               add or update the volumes of a CSV room schedule;\n"
  "                               a schedule with any wrong row imports nothing\n"
  "\n"
  "Options:\n"
  "  --help                       show this text\n"
  "  --version                    show the program version\n"
  "\n"
  "Exit status: 0 success, 1 a file could not be read or written or a schedule\n"
  "has errors, 2 wrong usage,\n"
  "3 (check) a volume has an error or is below the UL minimum.\n";

struct CCommand
{
  const char* mName;
  int (*mRun)(const CArgs&);
};

const CCommand kCommands[] = {
  {"dump", RunDump},     {"check", RunCheck}, {"upgrade", RunUpgrade},
  {"report", RunReport}, {"rtf", RunRtf}, {"pdf", RunPdf},
  {"export", RunExport}, {"import", RunImport},
};
} // namespace

int UsageError()
{
  std::fputs(kUsage, stderr);
  return 2;
}

namespace
{
int OutOfMemory(const std::string& file, const std::string& command)
{
  Complain(file + ": there is not enough memory to finish '" + command + "'");
  return 1;
}

int Run(int argc, char** argv)
{
  if (argc < 2)
    return UsageError();
  std::string first = argv[1];
  if (first == "--help" || first == "-h" || first == "help")
  {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (first == "--version")
  {
    std::printf("vantor-cli %s\n", VANTOR_VERSION);
    return 0;
  }
  CArgs args(argv + 2, argv + argc);
  for (const CCommand& c : kCommands)
    if (first == c.mName)
    {
      // The readers refuse what would not fit; should the memory still run
      // out, the file is named and the status is that of an unreadable file.
      try
      {
        return c.mRun(args);
      }
      catch (const std::bad_alloc&)
      {
        return OutOfMemory(argc > 2 ? argv[2] : "", first);
      }
      catch (const std::length_error&) // a text or table larger than memory can be
      {
        return OutOfMemory(argc > 2 ? argv[2] : "", first);
      }
    }
  Complain("unknown command '" + first + "'");
  return UsageError();
}
} // namespace

int main(int argc, char** argv)
{
  // Memory may also run out outside a command, or again while the reason
  // is put together: the tool still says so and ends with a status, never
  // with an abort.
  try
  {
    return Run(argc, argv);
  }
  catch (const std::bad_alloc&)
  {
  }
  catch (const std::length_error&)
  {
  }
  std::fputs("vantor-cli: there is not enough memory to finish\n", stderr);
  return 1;
}
