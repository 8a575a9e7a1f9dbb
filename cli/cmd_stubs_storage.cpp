// Commands over the project file; replaced as the file reader lands.
#include "cli/commands.h"

#include <cstdio>

namespace
{
int NotYet(const char* name)
{
  std::fprintf(stderr, "vantor-cli: '%s' is not available in this build\n", name);
  return 1;
}
} // namespace

int RunDump(const CArgs&) { return NotYet("dump"); }
int RunCheck(const CArgs&) { return NotYet("check"); }
int RunUpgrade(const CArgs&) { return NotYet("upgrade"); }
