#pragma once
// Every file the program writes goes through CSafeFile: the new content is
// written to a temporary file in the target's folder, flushed and synced to
// disk, and only then renamed over the target. Until the rename the old file
// is untouched; on any failure the temporary file is removed and the old
// file stays as it was. Each failing step leaves its reason in Error().
//
// A process killed during a save cannot remove its temporary file. The
// temporary file ".NAME.XXXXXX" is therefore locked while it is written, and
// a temporary file of the same pattern that nobody holds any more is a
// leftover: the next save of NAME removes it, and so does
// RemoveLeftoverTemporaries when a folder is taken into use.

#include "storage/file_stamp.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

class CLockFile;

class CSafeFile
{
public:
  explicit CSafeFile(std::string path);
  CSafeFile(const CSafeFile&) = delete;
  CSafeFile& operator=(const CSafeFile&) = delete;
  // An uncommitted file is discarded.
  ~CSafeFile();

  // Removes the leftovers of earlier saves of the target, then creates the
  // temporary file beside it.
  bool Open();
  // Buffered; the first failure sticks and later writes do nothing.
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Flushes, syncs, closes and renames the temporary file over the target;
  // after KeepExisting, puts it in place only when no file of the target's
  // name exists by then.
  bool Commit();
  // Makes Commit fail rather than replace a file that appears meanwhile.
  void KeepExisting() { mKeepExisting = true; }
  // Makes Commit ask `check` whether the target may still be replaced, and
  // put the new file in place only when it agrees, in one step for the other
  // copies of the program: check and rename are done holding the target's
  // lock (see CLockFile), which every checked save of the target takes,
  // waiting briefly for another copy's save. A refusal leaves its reason
  // in Error() and the target untouched.
  using CReplaceCheck = std::function<bool(std::string* reason)>;
  void CheckBeforeReplace(CReplaceCheck check) { mCheck = std::move(check); }
  // Makes Commit mark the new file (see CFileMark) before it is put in
  // place, so that it is never seen unmarked; TakeMarked then hands over the
  // descriptor that holds the mark (-1 when none could be placed).
  void KeepMarked() { mKeepMarked = true; }
  int TakeMarked();
  // Closes and removes the temporary file; the target is left alone.
  void Discard();

  const std::string& Path() const { return mPath; }
  // The reason of the first failure, naming the file; empty while all is well.
  const std::string& Error() const { return mError; }
  // The stamp of the file a Commit put in place.
  const CFileStamp& Stamp() const { return mStamp; }

private:
  bool Fail(const std::string& what, int err);
  bool Flush();
  // Writes the bytes to the temporary file, however many calls it takes.
  bool WriteOut(const char* data, std::size_t size);
  void Unlock();
  // Takes the target's lock and asks the check; false with the reason when
  // either fails.
  bool CheckedUnderLock(CLockFile& lock);

  std::string mPath;
  std::string mTempPath;
  std::string mError;
  std::string mBuffer;
  int mFd = -1;
  int mLockFd = -1; // keeps the temporary file locked from creation to rename
  bool mFailed = false;
  bool mKeepExisting = false;
  bool mKeepMarked = false;
  int mMarkedFd = -1;
  CReplaceCheck mCheck;
  CFileStamp mStamp;
};

// Writes the bytes to the path through a CSafeFile; on failure the reason
// goes to error (when given) and the old file is unchanged.
// The stamp of the new file goes to stamp (when given).
bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                     CFileStamp* stamp = nullptr);

// Removes the temporary files that interrupted saves of `path` left beside
// it: ".NAME.XXXXXX" with six letters or digits as only a save makes them,
// a regular file of this user that no save in any process holds locked; and
// the lock file ".NAME.lock" (see CLockFile) when nobody holds it. A save in
// progress, another user's file and anything of another name are left
// alone. Returns how many were removed.
int RemoveLeftoverTemporaries(const std::string& path);
// The same for every target in `folder` whose name `isTarget` accepts.
int RemoveLeftoverTemporariesIn(const std::string& folder,
                                const std::function<bool(std::string_view name)>& isTarget);

// The system calls of a save, replaceable so that tests can make any one of
// them fail. The program itself always uses the system's own.
class CSafeFileCalls
{
public:
  virtual ~CSafeFileCalls() = default;
  // Creates the new file, failing when the name exists.
  virtual int Create(const char* path);
  virtual int SetMode(int fd, mode_t mode);
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual int Sync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
  // Renames, failing with EEXIST when `to` exists, in one step that no file
  // appearing meanwhile can slip under.
  virtual int RenameNoReplace(const char* from, const char* to);
};

// Renames `from` to `to` through the current calls. Unless `replace` is
// set, never replaces a file: -1 with errno EEXIST when `to` exists,
// whenever it appeared.
int RenameFile(const char* from, const char* to, bool replace);
// Makes `calls` serve every later save (nullptr: the system's own again);
// returns what served before.
CSafeFileCalls* SetSafeFileCalls(CSafeFileCalls* calls);
