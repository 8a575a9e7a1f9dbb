#pragma once

// Runs the same work in several child processes at once, as several copies
// of the program would, and gathers what each reports.

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Forks `count` children, each running work(child, report) and ending with
// its result as exit status; a child reports lines through `report` (one
// short line at a time, so lines of different children never mix). Returns
// the lines all children reported; `failed` counts the children that did
// not end with status 0.
inline std::vector<std::string>
RunChildren(int count, const std::function<int(int child, int report)>& work, int& failed)
{
  failed = 0;
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
  {
    failed = count;
    return {};
  }
  std::fflush(nullptr);
  std::vector<pid_t> children;
  for (int child = 0; child < count; ++child)
  {
    const pid_t pid = ::fork();
    if (pid == 0)
    {
      ::close(pipeFds[0]);
      ::_exit(work(child, pipeFds[1]));
    }
    if (pid < 0)
      ++failed;
    else
      children.push_back(pid);
  }
  ::close(pipeFds[1]);
  std::string all;
  char buffer[4096];
  for (;;)
  {
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n > 0)
      all.append(buffer, static_cast<std::size_t>(n));
    else if (n == 0 || errno != EINTR)
      break;
  }
  ::close(pipeFds[0]);
  for (pid_t pid : children)
  {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      ++failed;
  }
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos;
       start = end + 1)
    lines.push_back(all.substr(start, end - start));
  return lines;
}

// Writes one line to a child's report.
inline bool ReportLine(int report, const std::string& line)
{
  const std::string text = line + "\n";
  return ::write(report, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}
