#pragma once

// Whole files as bytes, for tests that set up files on disk or check what
// the program wrote. A missing file reads as empty.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadBytes(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
  std::ofstream(path, std::ios::binary) << bytes;
}
