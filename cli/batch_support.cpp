#include "cli/batch_support.h"

#include "text/shown_text.h"

#include <cstdio>

void Complain(const std::string& message)
{
  std::fprintf(stderr, "vantor-cli: %s\n", ShownText(message).c_str());
}

bool IsOption(const std::string& arg)
{
  return arg.size() > 1 && arg[0] == '-';
}

std::string FileTitle(const std::string& path)
{
  std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > 3 && name.compare(name.size() - 3, 3, ".ad") == 0)
    name.resize(name.size() - 3);
  return name;
}

bool WriteStdout(const std::string& bytes)
{
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
  {
    Complain("cannot write to standard output");
    return false;
  }
  return true;
}
