#pragma once
// A lock that marks a file as in use by one running copy of the program:
// an open-file-description lock on the lock file ".NAME.lock" beside the
// file. The system drops the lock when its holder ends, however it ends, so
// a crash never leaves a file marked: a lock file that nobody holds locked
// means nothing. A lock conflicts with every other CLockFile of the same
// file, in this process or another.

#include <chrono>
#include <string>

class CLockFile
{
public:
  enum class CState
  {
    Held,          // this object holds the lock
    HeldElsewhere, // another holder has it
    Unavailable,   // no lock can be had here (a read-only folder, a file
                   // system without locks): the file is not marked
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

private:
  std::string mLockPath;
  int mFd = -1;
};

// The lock file's path for the file at `path`: ".NAME.lock" in its folder,
// the name shortened with a check when it would be too long.
std::string LockFilePath(const std::string& path);

// True when another holder has the lock of the file at `path`.
bool LockedElsewhere(const std::string& path);
