// Commands over the reports; replaced as the report writers land.
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

int RunReport(const CArgs&) { return NotYet("report"); }
int RunRtf(const CArgs&) { return NotYet("rtf"); }
