// Runs a fuzz target's input function over files, without the fuzzer, so the
// normal build replays the seed corpus and every input that once failed.
//   vantor-fuzz-replay-NAME FILE_OR_FOLDER...
// Folders are read one level deep, in name order. Exit 0 when every file was
// run (a broken property aborts the program); 1 when a file cannot be read
// or no file was given.

#include "storage/byte_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i)
  {
    std::error_code ec;
    if (fs::is_directory(argv[i], ec))
    {
      std::vector<std::string> inside;
      for (const fs::directory_entry& e : fs::directory_iterator(argv[i], ec))
        if (e.is_regular_file())
          inside.push_back(e.path().string());
      std::sort(inside.begin(), inside.end());
      files.insert(files.end(), inside.begin(), inside.end());
    }
    else
    {
      files.emplace_back(argv[i]);
    }
  }
  if (files.empty())
  {
    std::fprintf(stderr, "no input files\n");
    return 1;
  }
  for (const std::string& file : files)
  {
    std::string bytes, error;
    if (!ReadFileBytes(file, bytes, &error))
    {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", files.size());
  return 0;
}
