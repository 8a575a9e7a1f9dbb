// vantor-bench-load-once FILE: in a process that has done nothing else,
// reads the file's bytes into memory, then opens the project as File > Open
// does (file read and snapshot), and prints both times in milliseconds. The
// first project a program opens lands in memory it has not used yet, which
// the benchmark loop, opening the project again and again, never sees.

#include "bench/bench_files.h"
#include "model/project.h"
#include "storage/project_file.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: vantor-bench-load-once FILE\n");
    return 2;
  }
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const std::string bytes = bench::ReadWholeFile(argv[1]);
  const auto read = Clock::now();
  CProject project;
  project.mPath = argv[1];
  std::string error;
  if (!LoadProject(project, &error))
  {
    std::fprintf(stderr, "vantor-bench-load-once: %s\n", error.c_str());
    return 1;
  }
  const auto loaded = Clock::now();
  std::printf("%.3f %.3f\n", std::chrono::duration<double, std::milli>(read - start).count(),
              std::chrono::duration<double, std::milli>(loaded - read).count());
  return bytes.empty() ? 1 : 0;
}
