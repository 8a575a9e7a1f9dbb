#pragma once
// Every file the program writes goes through CSafeFile: the new content is
// written to a temporary file in the target's folder, flushed and synced to
// disk, and only then renamed over the target. Until the rename the old file
// is untouched; on any failure the temporary file is removed and the old
// file stays as it was. Each failing step leaves its reason in Error().

#include <cstddef>
#include <string>
#include <string_view>

class CSafeFile
{
public:
  explicit CSafeFile(std::string path);
  CSafeFile(const CSafeFile&) = delete;
  CSafeFile& operator=(const CSafeFile&) = delete;
  // An uncommitted file is discarded.
  ~CSafeFile();

  // Creates the temporary file beside the target.
  bool Open();
  // Buffered; the first failure sticks and later writes do nothing.
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Flushes, syncs, closes and renames the temporary file over the target.
  bool Commit();
  // Closes and removes the temporary file; the target is left alone.
  void Discard();

  const std::string& Path() const { return mPath; }
  // The reason of the first failure, naming the file; empty while all is well.
  const std::string& Error() const { return mError; }

private:
  bool Fail(const std::string& what, int err);
  bool Flush();

  std::string mPath;
  std::string mTempPath;
  std::string mError;
  std::string mBuffer;
  int mFd = -1;
  bool mFailed = false;
};

// Writes the bytes to the path through a CSafeFile; on failure the reason
// goes to error (when given) and the old file is unchanged.
bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string* error = nullptr);
