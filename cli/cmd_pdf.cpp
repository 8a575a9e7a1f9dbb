// vantor-cli pdf: handed over to vantor-pdf, the small Qt program beside
// vantor-cli that prints the report, so that vantor-cli itself needs no Qt.

#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

int RunPdf(const CArgs& args)
{
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path helper = self.parent_path() / "vantor-pdf";
  // In a build tree the helper is built in a folder of its own.
  const std::filesystem::path built = self.parent_path() / "pdf" / "vantor-pdf";
  const std::filesystem::path program =
    !ec && std::filesystem::exists(helper) ? helper : built;
  if (ec || !std::filesystem::exists(program))
  {
    std::fprintf(stderr, "vantor-cli: 'pdf' needs vantor-pdf beside vantor-cli, which is not installed\n");
    return 1;
  }
  std::vector<char*> argv;
  std::string name = program.string();
  argv.push_back(name.data());
  std::vector<std::string> copies(args.begin(), args.end());
  for (std::string& a : copies)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  std::fflush(stdout);
  ::execv(name.c_str(), argv.data());
  std::fprintf(stderr, "vantor-cli: cannot run %s: %s\n", name.c_str(), std::strerror(errno));
  return 1;
}
