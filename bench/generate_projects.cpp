// vantor-bench-generate: writes generated project files with the program's
// own save path, for the memory measurement and for trying the program on a
// large project or a full work folder by hand.
//
//   vantor-bench-generate project FOLDER NAME VOLUMES OPENINGS
//   vantor-bench-generate folder FOLDER FILES [MAX-VOLUMES MAX-OPENINGS]

#include "bench/project_generator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
int Usage()
{
  std::fprintf(stderr, "usage: vantor-bench-generate project FOLDER NAME VOLUMES OPENINGS\n"
                       "       vantor-bench-generate folder FOLDER FILES [MAX-VOLUMES MAX-OPENINGS]\n");
  return 2;
}

std::size_t Number(const char* text) { return static_cast<std::size_t>(std::strtoull(text, nullptr, 10)); }
} // namespace

int main(int argc, char** argv)
{
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "project" && argc == 6)
  {
    const std::string path = WriteGeneratedProject(argv[2], argv[3], Number(argv[4]), Number(argv[5]));
    if (path.empty())
    {
      std::fprintf(stderr, "vantor-bench-generate: cannot write the project in %s\n", argv[2]);
      return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
  }
  if (command == "folder" && (argc == 4 || argc == 6))
  {
    CFolderShape shape;
    if (argc == 6)
      shape = {Number(argv[4]), Number(argv[5])};
    const std::size_t files = Number(argv[3]);
    if (files == 0 || shape.mMaxVolumes == 0 || GenerateProjectFolder(argv[2], files, shape).size() != files)
    {
      std::fprintf(stderr, "vantor-bench-generate: cannot fill the folder %s\n", argv[2]);
      return 1;
    }
    std::printf("%zu project files in %s\n", files, argv[2]);
    return 0;
  }
  return Usage();
}
