#include "storage/safe_file.h"

#include "storage/lock_file.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr std::size_t kBufferSize = 4096;
constexpr std::size_t kLargePiece = 1 << 20;
// The characters after the target's name in a temporary file's name.
constexpr std::size_t kUniqueLength = 6;
// The longest name of a folder entry.
constexpr std::size_t kLongestName = 255;

CSafeFileCalls gSystemCalls;
CSafeFileCalls* gCalls = &gSystemCalls;

std::string FolderOf(const std::string& path)
{
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode a new file gets: the old file's, or what the umask allows.
mode_t TargetMode(const std::string& path)
{
  struct stat st{};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
    return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const std::string& folder)
{
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0)
  {
    ::fsync(fd); // best effort: the rename is already done
    ::close(fd);
  }
}

bool SameFile(const struct stat& a, const struct stat& b)
{
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Locks the new temporary file and checks that its name still leads to it:
// a cleaner may have taken an unlocked file for a leftover in the moment
// between its creation and the lock. False when the file must be made anew.
bool LockTemporary(int fd, const std::string& name)
{
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    // Held by a cleaner, which is removing it; any other error means the
    // file system has no locks, and then no cleaner can remove it either.
    return errno != EWOULDBLOCK;
  struct stat opened{};
  struct stat named{};
  return ::fstat(fd, &opened) == 0 && opened.st_nlink > 0 && ::lstat(name.c_str(), &named) == 0 &&
         SameFile(opened, named);
}

constexpr char kNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::uint32_t kNameCharacterCount = sizeof kNameCharacters - 1;
constexpr std::size_t kRandomLength = 4;

// The last two characters of a temporary name are a check on the target's
// name and the four random ones before them, so that a leftover is told from
// a user's file of the same shape (".Plant.ad.backup" is not ours).
std::string CheckCharacters(std::string_view target, std::string_view random)
{
  std::uint32_t hash = 2166136261u; // FNV-1a
  auto mix = [&hash](char c)
  {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  };
  for (char c : target)
    mix(c);
  mix('\0');
  for (char c : random)
    mix(c);
  hash %= kNameCharacterCount * kNameCharacterCount;
  return {kNameCharacters[hash / kNameCharacterCount], kNameCharacters[hash % kNameCharacterCount]};
}

// The target's name as it stands in its temporary files' names. A name too
// long to take the eight characters more is shortened before its extension,
// so that the extension still tells what kind of file is being written.
std::string TemporaryStem(std::string_view target)
{
  const std::size_t room = kLongestName - kUniqueLength - 2;
  if (target.size() <= room)
    return std::string(target);
  const std::size_t dot = target.find_last_of('.');
  const std::string_view extension =
    dot != std::string_view::npos && dot > 0 && target.size() - dot <= 8 ? target.substr(dot)
                                                                         : std::string_view();
  return std::string(target.substr(0, room - extension.size())) + std::string(extension);
}

std::string TemporaryName(std::string_view target)
{
  unsigned char bytes[kRandomLength] = {};
  if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes))
  {
    static std::uint64_t counter = 0; // no entropy yet: time, process and a counter
    std::uint64_t mixed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          (static_cast<std::uint64_t>(::getpid()) << 32) ^ ++counter * 0x9E3779B97F4A7C15ull;
    std::memcpy(bytes, &mixed, sizeof bytes);
  }
  std::string random;
  for (unsigned char b : bytes)
    random += kNameCharacters[b % kNameCharacterCount];
  return "." + std::string(target) + "." + random + CheckCharacters(target, random);
}

// ".NAME.XXXXXX" -> NAME when the name is one of ours; empty otherwise.
std::string_view TargetOfTemporary(std::string_view name)
{
  if (name.size() < kUniqueLength + 3 || name[0] != '.' || name[name.size() - kUniqueLength - 1] != '.')
    return {};
  const std::string_view unique = name.substr(name.size() - kUniqueLength);
  if (unique.find_first_not_of(kNameCharacters) != std::string_view::npos)
    return {};
  const std::string_view target = name.substr(1, name.size() - kUniqueLength - 2);
  if (unique.substr(kRandomLength) != CheckCharacters(target, unique.substr(0, kRandomLength)))
    return {};
  return target;
}

// Removes the file when it is a leftover: a regular file of this user that
// no save holds locked, still the same file when it is unlinked.
bool RemoveIfLeftover(const std::string& path)
{
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return false;
  bool removed = false;
  struct stat opened{};
  struct stat named{};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
      SameFile(opened, named))
    removed = ::unlink(path.c_str()) == 0; // still locked, so no save can be using it
  ::close(fd);
  return removed;
}
} // namespace

int CSafeFileCalls::Create(const char* path)
{
  return ::open(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}
int CSafeFileCalls::SetMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
ssize_t CSafeFileCalls::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int CSafeFileCalls::Sync(int fd) { return ::fsync(fd); }
int CSafeFileCalls::Close(int fd) { return ::close(fd); }
int CSafeFileCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int CSafeFileCalls::RenameNoReplace(const char* from, const char* to)
{
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
    return -1;
  // A file system without the flag: a second name, which cannot replace
  // anything either, then the first name removed.
  if (::link(from, to) != 0)
    return -1;
  if (::unlink(from) != 0)
  {
    const int err = errno;
    ::unlink(to);
    errno = err;
    return -1;
  }
  return 0;
}

int RenameFile(const char* from, const char* to, bool replace)
{
  return replace ? gCalls->Rename(from, to) : gCalls->RenameNoReplace(from, to);
}

CSafeFileCalls* SetSafeFileCalls(CSafeFileCalls* calls)
{
  CSafeFileCalls* previous = gCalls == &gSystemCalls ? nullptr : gCalls;
  gCalls = calls ? calls : &gSystemCalls;
  return previous;
}

int RemoveLeftoverTemporariesIn(const std::string& folder,
                                const std::function<bool(std::string_view name)>& isTarget)
{
  int removed = 0;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
  {
    const std::string name = it->path().filename().string();
    const std::string_view target = TargetOfTemporary(name);
    if (!target.empty() && isTarget(target) && RemoveIfLeftover(it->path().string()))
      ++removed;
    // The lock of a save that was killed while it held it.
    const std::string_view locked = TargetOfLockFile(name);
    if (!locked.empty() && isTarget(locked) &&
        RemoveUnheldLockFile((it->path().parent_path() / std::string(locked)).string()))
      ++removed;
  }
  return removed;
}

int RemoveLeftoverTemporaries(const std::string& path)
{
  const std::string base = TemporaryStem(BaseOf(path));
  if (base.empty())
    return 0;
  return RemoveLeftoverTemporariesIn(FolderOf(path), [&base, &path](std::string_view target)
                                     { return target == base || target == BaseOf(path); });
}

CSafeFile::CSafeFile(std::string path) : mPath(std::move(path)) {}

CSafeFile::~CSafeFile()
{
  Discard();
  if (mMarkedFd >= 0)
    ::close(mMarkedFd);
}

int CSafeFile::TakeMarked()
{
  const int fd = mMarkedFd;
  mMarkedFd = -1;
  return fd;
}

bool CSafeFile::Fail(const std::string& what, int err)
{
  if (!mFailed)
  {
    mFailed = true;
    mError = mPath + ": cannot " + what;
    if (err != 0)
      mError += std::string(": ") + std::strerror(err);
  }
  return false;
}

bool CSafeFile::Open()
{
  if (mFd >= 0 || mFailed)
    return !mFailed;
  if (mPath.empty())
  {
    mFailed = true;
    mError = "cannot write a file with no name";
    return false;
  }
  if (mPath.find('\0') != std::string::npos)
  {
    // The system would take the name only up to it: another file.
    mFailed = true;
    mError = "cannot write a file whose name holds a NUL character";
    return false;
  }
  struct stat st{};
  if (::stat(mPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return Fail("write", EISDIR);
  RemoveLeftoverTemporaries(mPath);
  const std::string folder = FolderOf(mPath) + "/";
  const std::string base = TemporaryStem(BaseOf(mPath));
  int taken = 0; // names in use, or lost to a cleaner before the lock
  while (mFd < 0)
  {
    const std::string name = folder + TemporaryName(base);
    int fd = gCalls->Create(name.c_str());
    if (fd < 0 && errno == EEXIST && ++taken < 100)
      continue;
    if (fd < 0)
      return Fail("create a temporary file in its folder", errno);
    if (LockTemporary(fd, name) || ++taken >= 100)
    {
      mFd = fd;
      mTempPath = name;
    }
    else
    {
      ::close(fd);
    }
  }
  // A second descriptor of the same open file keeps the lock after the
  // written descriptor is closed, until the rename is done.
  mLockFd = ::fcntl(mFd, F_DUPFD_CLOEXEC, 0);
  if (gCalls->SetMode(mFd, TargetMode(mPath)) != 0)
    return Fail("set the permissions of the new file", errno);
  mBuffer.reserve(kBufferSize);
  return true;
}

bool CSafeFile::Flush()
{
  if (!WriteOut(mBuffer.data(), mBuffer.size()))
    return false;
  mBuffer.clear();
  return true;
}

bool CSafeFile::WriteOut(const char* p, std::size_t left)
{
  while (left > 0)
  {
    ssize_t n = gCalls->Write(mFd, p, left);
    if (n < 0)
    {
      if (errno == EINTR)
        continue;
      return Fail("write", errno);
    }
    if (n == 0) // no progress: the device takes nothing more
      return Fail("write", ENOSPC);
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

bool CSafeFile::Write(const void* data, std::size_t size)
{
  if (mFailed)
    return false;
  if (mFd < 0)
    return Fail("write (file not open)", 0);
  const char* p = static_cast<const char*>(data);
  // The buffer gathers small writes. A block of megabytes (a large project
  // file) goes out after what is buffered, in pieces of kLargePiece: a few
  // calls instead of one per buffer's worth.
  if (size >= kLargePiece)
  {
    if (!Flush())
      return false;
    for (; size > 0;)
    {
      const std::size_t piece = size < kLargePiece ? size : kLargePiece;
      if (!WriteOut(p, piece))
        return false;
      p += piece;
      size -= piece;
    }
    return true;
  }
  while (size > 0)
  {
    std::size_t room = kBufferSize - mBuffer.size();
    std::size_t take = size < room ? size : room;
    mBuffer.append(p, take);
    p += take;
    size -= take;
    if (mBuffer.size() == kBufferSize && !Flush())
      return false;
  }
  return true;
}

bool CSafeFile::Commit()
{
  if (mFailed || mFd < 0)
  {
    if (!mFailed)
      Fail("write (file not open)", 0);
    Discard();
    return false;
  }
  bool ok = Flush();
  if (ok && gCalls->Sync(mFd) != 0)
    ok = Fail("sync", errno);
  struct stat written{};
  if (ok && ::fstat(mFd, &written) == 0)
    mStamp = StampOf(written); // the rename keeps the file, its size and time
  const bool marked = ok && mKeepMarked && mLockFd >= 0 && CFileMark::MarkOpenFile(mLockFd);
  if (ok)
  {
    int fd = mFd;
    mFd = -1; // closed even when close reports an error
    if (gCalls->Close(fd) != 0)
      ok = Fail("close", errno);
  }
  // Held from the check to the rename (and let go when Commit returns), so
  // that no other copy's checked save comes in between.
  CLockFile lock(mPath);
  if (ok && mCheck)
    ok = CheckedUnderLock(lock);
  if (ok && mKeepExisting && gCalls->RenameNoReplace(mTempPath.c_str(), mPath.c_str()) != 0)
    ok = Fail("put the new file in place", errno);
  else if (ok && !mKeepExisting && gCalls->Rename(mTempPath.c_str(), mPath.c_str()) != 0)
    ok = Fail("rename the new file over it", errno);
  if (!ok)
  {
    Discard();
    return false;
  }
  mTempPath.clear();
  if (marked)
  {
    ::flock(mLockFd, LOCK_UN); // the file is no save's temporary file any more
    mMarkedFd = mLockFd;
    mLockFd = -1;
  }
  Unlock();
  SyncFolder(FolderOf(mPath));
  return true;
}

bool CSafeFile::CheckedUnderLock(CLockFile& lock)
{
  std::string reason;
  switch (lock.Lock(kSaveLockWait))
  {
  case CLockFile::CState::Held:
    break;
  case CLockFile::CState::HeldElsewhere:
    reason = "another copy of the program is saving it; please try again";
    break;
  case CLockFile::CState::Unavailable:
    reason = "its lock cannot be taken: " + lock.Error();
    break;
  }
  if (reason.empty() && !mCheck(&reason) && reason.empty())
    reason = "it may not be replaced";
  if (reason.empty())
    return true;
  mFailed = true;
  mError = mPath + ": " + reason;
  return false;
}

void CSafeFile::Unlock()
{
  if (mLockFd >= 0)
  {
    ::close(mLockFd);
    mLockFd = -1;
  }
}

void CSafeFile::Discard()
{
  if (mFd >= 0)
  {
    ::close(mFd);
    mFd = -1;
  }
  if (!mTempPath.empty())
  {
    ::unlink(mTempPath.c_str()); // while still locked, so no cleaner races for it
    mTempPath.clear();
  }
  Unlock();
  mBuffer.clear();
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string* error,
                     CFileStamp* stamp)
{
  CSafeFile file(path);
  bool ok = file.Open() && file.Write(bytes) && file.Commit();
  if (!ok && error)
    *error = file.Error();
  if (ok && stamp)
    *stamp = file.Stamp();
  return ok;
}
