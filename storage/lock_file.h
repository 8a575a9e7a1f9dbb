#pragma once
// A lock that marks a file as in use by one running copy of the program:
// an open-file-description lock on the lock file ".NAME.lock" beside the
// file. The system drops the lock when its holder ends, however it ends, so
// a crash never leaves a file marked: a lock file that nobody holds locked
// means nothing. A lock conflicts with every other CLockFile of the same
// file, in this process or another. An existing lock file is only opened:
// its mode and owner stay as they are, and a link or a file with a second
// name is refused.

#include <chrono>
#include <string>
#include <string_view>

// How long a save waits for another copy's save of the same file.
constexpr std::chrono::seconds kSaveLockWait{5};

class CLockFile
{
public:
  enum class CState
  {
    Held,          // this object holds the lock
    HeldElsewhere, // another holder has it
    Unavailable,   // no lock can be had here (a read-only folder, a file
                   // system without locks, something other than a lock
                   // file of its own under its name): the file is not marked
  };

  // The lock of the file at `path`; nothing is locked yet.
  explicit CLockFile(std::string path);
  CLockFile(const CLockFile&) = delete;
  CLockFile& operator=(const CLockFile&) = delete;
  ~CLockFile();

  // Takes the lock if it is free, without waiting.
  CState TryLock();
  // Takes the lock, waiting up to `wait` for another holder to let go.
  CState Lock(std::chrono::milliseconds wait);
  // Lets go and removes the lock file.
  void Unlock();
  bool Held() const { return mFd >= 0; }

  const std::string& LockPath() const { return mLockPath; }
  // Why the lock was unavailable, naming the lock file; empty otherwise.
  const std::string& Error() const { return mError; }

private:
  std::string mLockPath;
  std::string mError;
  int mFd = -1;
};

// The lock file's path for the file at `path`: ".NAME.lock" in its folder,
// the name shortened with a check when it would be too long.
std::string LockFilePath(const std::string& path);
// NAME when `name` is that of a lock file ".NAME.lock"; empty otherwise.
std::string_view TargetOfLockFile(std::string_view name);
// Removes the lock file of the file at `path` when nobody holds it (what a
// killed holder leaves behind); true when one was removed.
bool RemoveUnheldLockFile(const std::string& path);

// The mark of a project file that a copy of the program has open: a shared
// open-file-description lock on the file itself, so that no file is added
// to the folder and a crash leaves nothing marked. Two copies that mark the
// same file at the same moment both see the other and both let go.
//
// A copy that opens the file for change locks all of it; a copy that opens
// it read-only locks one byte far beyond any file's end. Each mark keeps
// the file from being renamed, moved or deleted; only the first keeps
// another copy from opening it for change.
class CFileMark
{
public:
  CFileMark() = default;
  CFileMark(const CFileMark&) = delete;
  CFileMark& operator=(const CFileMark&) = delete;
  ~CFileMark() { Release(); }

  // Marks the regular file at `path` as open for change (any mark held
  // before is let go); HeldElsewhere when another copy has it open for change.
  CLockFile::CState Mark(const std::string& path);
  // Marks the regular file at `path` as open read-only beside whoever has it
  // open; Unavailable when no mark can be placed.
  CLockFile::CState MarkReading(const std::string& path);
  // Takes over a descriptor whose file is marked already (a file just
  // saved in place of the marked one), letting go of the old mark.
  void Adopt(int fd);
  void Release();
  bool Held() const { return mFd >= 0; }

  // Marks the file open on fd (a new file about to be put in place).
  static bool MarkOpenFile(int fd);

private:
  int mFd = -1;
};

// True when another copy of the program marks the project file at `path`,
// open for change or read-only; false for anything but a regular file.
bool MarkedElsewhere(const std::string& path);
// True when another copy of the program has the project file at `path` open
// for change; false for anything but a regular file.
bool MarkedForChangeElsewhere(const std::string& path);
