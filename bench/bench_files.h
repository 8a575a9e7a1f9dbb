#pragma once
// Scratch folders and the plain file operations the benchmarks measure the
// program against: reading a file's bytes into memory in one go, and writing
// bytes to a file and flushing them to the disk.

#include <string>
#include <string_view>

namespace bench
{
// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class CScratchFolder
{
public:
  CScratchFolder();
  ~CScratchFolder();
  CScratchFolder(const CScratchFolder&) = delete;
  CScratchFolder& operator=(const CScratchFolder&) = delete;
  const std::string& Path() const { return mPath; }

private:
  std::string mPath;
};

// open, fstat, one buffer of the file's size, read until the end, close.
std::string ReadWholeFile(const std::string& path);

// open (created or truncated), write everything, fsync, close.
void WriteAndSync(const std::string& path, std::string_view bytes);
} // namespace bench
