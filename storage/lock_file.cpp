#include "storage/lock_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
constexpr std::size_t kLongestName = 255;
constexpr char kSuffix[] = ".lock";

struct flock Range(short type, off_t start, off_t length)
{
  struct flock lock{};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = start;
  lock.l_len = length;
  return lock;
}

struct flock WholeFile(short type)
{
  return Range(type, 0, 0);
}

// The byte a read-only open locks: far beyond the end of any project file,
// so it is inside every whole-file lock and outside the first byte, which
// tells an open for change.
constexpr off_t kReadingByte = off_t{1} << 62;

// True when the name still leads to the open file: a holder letting go
// removes the lock file, and a lock taken on the removed file marks nothing.
bool StillNamed(int fd, const std::string& path)
{
  struct stat opened{};
  struct stat named{};
  return ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}
} // namespace

std::string LockFilePath(const std::string& path)
{
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t room = kLongestName - 1 - (sizeof kSuffix - 1);
  if (base.size() > room)
  {
    std::uint32_t hash = 2166136261u; // FNV-1a: two long names that share a start stay apart
    for (char c : base)
      hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char tail[10];
    std::snprintf(tail, sizeof tail, "~%08x", hash);
    base = base.substr(0, room - 9) + tail;
  }
  return folder + "." + base + kSuffix;
}

std::string_view TargetOfLockFile(std::string_view name)
{
  constexpr std::string_view suffix(kSuffix, sizeof kSuffix - 1);
  if (name.size() <= suffix.size() + 1 || name[0] != '.' ||
      name.substr(name.size() - suffix.size()) != suffix)
    return {};
  return name.substr(1, name.size() - suffix.size() - 1);
}

bool RemoveUnheldLockFile(const std::string& path)
{
  CLockFile lock(path);
  struct stat st{};
  if (::lstat(lock.LockPath().c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
      st.st_uid != ::geteuid() || lock.TryLock() != CLockFile::CState::Held)
    return false;
  lock.Unlock();
  return true;
}

CLockFile::CLockFile(std::string path) : mLockPath(LockFilePath(path)) {}

CLockFile::~CLockFile() { Unlock(); }

CLockFile::CState CLockFile::TryLock()
{
  if (mFd >= 0)
    return CState::Held;
  mError.clear();
  auto unavailable = [&](const std::string& why)
  {
    mError = mLockPath + ": " + why;
    return CState::Unavailable;
  };
  constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  for (int attempt = 0; attempt < 10; ++attempt)
  {
    // Made here, or opened as it is: an existing file keeps its mode and
    // owner, whatever it is.
    bool made = true;
    int fd = ::open(mLockPath.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
    if (fd < 0 && errno == EEXIST)
    {
      made = false;
      fd = ::open(mLockPath.c_str(), kFlags);
      if (fd < 0 && errno == ENOENT)
        continue; // removed by a holder letting go meanwhile
    }
    if (fd < 0)
      return unavailable(errno == ELOOP
                             ? "a symbolic link is in its place"
                             : std::string("cannot open the lock file: ") + std::strerror(errno));
    struct stat st{};
    const bool opened = ::fstat(fd, &st) == 0;
    if (opened && S_ISREG(st.st_mode) && st.st_nlink == 0)
    {
      ::close(fd); // removed by a holder letting go since it was opened
      continue;
    }
    if (!opened || !S_ISREG(st.st_mode) || st.st_nlink != 1)
    {
      ::close(fd); // something planted under the name (a link to another file): no lock here
      return unavailable("something other than a lock file (a second name of another file, or not "
                         "a regular file) is in its place");
    }
    // Designers share folders: another user's copy must be able to lock it
    // too. Only a file made here just now is opened up.
    if (made)
      ::fchmod(fd, 0666);
    struct flock lock = WholeFile(F_WRLCK);
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0)
    {
      const int err = errno;
      ::close(fd);
      if (err == EAGAIN || err == EACCES)
        return CState::HeldElsewhere;
      return unavailable(std::string("cannot lock the lock file: ") + std::strerror(err));
    }
    if (StillNamed(fd, mLockPath))
    {
      mFd = fd;
      return CState::Held;
    }
    ::close(fd); // removed by a holder letting go: take the new one
  }
  // The lock changed hands all the while: others are using it.
  return CState::HeldElsewhere;
}

CLockFile::CState CLockFile::Lock(std::chrono::milliseconds wait)
{
  const auto until = std::chrono::steady_clock::now() + wait;
  for (;;)
  {
    const CState state = TryLock();
    if (state != CState::HeldElsewhere || std::chrono::steady_clock::now() >= until)
      return state;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void CLockFile::Unlock()
{
  if (mFd < 0)
    return;
  // Removed while still locked, so no other holder can be using it.
  ::unlink(mLockPath.c_str());
  ::close(mFd);
  mFd = -1;
}

namespace
{
// True when an open-file description other than fd's locks any byte of
// the range (a length of 0: to the end and beyond).
bool LockedByAnother(int fd, off_t start, off_t length)
{
  struct flock probe = Range(F_WRLCK, start, length);
  return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

// True when another copy has the file open for change: only its lock
// covers the first byte (see kReadingByte).
bool LockedForChange(int fd)
{
  return LockedByAnother(fd, 0, 1);
}

// A descriptor of the regular file at path for reading; -1 for anything else.
int OpenRegular(const std::string& path)
{
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return -1;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)))
  {
    ::close(fd);
    return -1;
  }
  return fd;
}
} // namespace

CLockFile::CState CFileMark::Mark(const std::string& path)
{
  Release();
  int fd = OpenRegular(path);
  if (fd < 0)
    return CLockFile::CState::Unavailable;
  struct flock lock = WholeFile(F_RDLCK);
  CLockFile::CState state = CLockFile::CState::Held;
  if (LockedForChange(fd))
    state = CLockFile::CState::HeldElsewhere;
  else if (::fcntl(fd, F_OFD_SETLK, &lock) != 0)
    state = errno == EAGAIN || errno == EACCES ? CLockFile::CState::HeldElsewhere
                                               : CLockFile::CState::Unavailable;
  else if (LockedForChange(fd)) // marked by another copy at the same moment
    state = CLockFile::CState::HeldElsewhere;
  if (state == CLockFile::CState::Held)
    mFd = fd;
  else
    ::close(fd);
  return state;
}

CLockFile::CState CFileMark::MarkReading(const std::string& path)
{
  Release();
  int fd = OpenRegular(path);
  if (fd < 0)
    return CLockFile::CState::Unavailable;
  // Shared: it stands beside every other mark and keeps none from being placed.
  struct flock lock = Range(F_RDLCK, kReadingByte, 1);
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0)
  {
    ::close(fd);
    return CLockFile::CState::Unavailable;
  }
  mFd = fd;
  return CLockFile::CState::Held;
}

bool CFileMark::MarkOpenFile(int fd)
{
  struct flock lock = WholeFile(F_RDLCK);
  return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

void CFileMark::Adopt(int fd)
{
  Release();
  mFd = fd;
}

void CFileMark::Release()
{
  if (mFd >= 0)
    ::close(mFd);
  mFd = -1;
}

namespace
{
// True when another open-file description locks any byte of the range of
// the regular file at path.
bool FileLockedByAnother(const std::string& path, off_t start, off_t length)
{
  int fd = OpenRegular(path);
  if (fd < 0)
    return false;
  const bool marked = LockedByAnother(fd, start, length);
  ::close(fd);
  return marked;
}
} // namespace

bool MarkedElsewhere(const std::string& path)
{
  return FileLockedByAnother(path, 0, 0);
}

bool MarkedForChangeElsewhere(const std::string& path)
{
  return FileLockedByAnother(path, 0, 1);
}
