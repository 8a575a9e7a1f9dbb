#pragma once

// Runs the real vantor-cli binary as a separate process and gives its exit
// status, standard output and standard error.

#include "tests/common/file_bytes.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

struct CRun
{
  int mStatus = -1;
  std::string mOut;
  std::string mErr;
};

// `text` as one word of a shell command line.
inline std::string Quote(const std::string& text)
{
  std::string quoted = "'";
  for (char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs vantor-cli with `arguments` (shell words, quoted where needed) in
// `folder`, with nothing on standard input, after the shell command `before`
// (for example a ulimit). The captured output is written to the folder and
// removed again.
inline CRun RunCli(const std::filesystem::path& folder, const std::string& arguments,
                   const std::string& before = "true")
{
  const std::filesystem::path out = folder / ".stdout";
  const std::filesystem::path err = folder / ".stderr";
  const std::string command = "cd " + Quote(folder.string()) + " && " + before + " && " +
                              Quote(VANTOR_CLI_PATH) + " " + arguments + " >" +
                              Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
  CRun run;
  const int status = std::system(command.c_str());
  run.mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.mOut = ReadBytes(out);
  run.mErr = ReadBytes(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}
