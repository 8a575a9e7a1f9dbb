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

struct flock WholeFile(short type)
{
  struct flock lock{};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;
  return lock;
}

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
// True when an open-file description other than fd's locks the file.
bool LockedByAnother(int fd)
{
  struct flock probe = WholeFile(F_WRLCK);
  return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
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
  if (LockedByAnother(fd))
    state = CLockFile::CState::HeldElsewhere;
  else if (::fcntl(fd, F_OFD_SETLK, &lock) != 0)
    state = errno == EAGAIN || errno == EACCES ? CLockFile::CState::HeldElsewhere
                                               : CLockFile::CState::Unavailable;
  else if (LockedByAnother(fd)) // marked by another copy at the same moment
    state = CLockFile::CState::HeldElsewhere;
  if (state == CLockFile::CState::Held)
    mFd = fd;
  else
    ::close(fd);
  return state;
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

bool MarkedElsewhere(const std::string& path)
{
  int fd = OpenRegular(path);
  if (fd < 0)
    return false;
  const bool marked = LockedByAnother(fd);
  ::close(fd);
  return marked;
}
