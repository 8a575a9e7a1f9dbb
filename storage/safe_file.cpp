#include "storage/safe_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr std::size_t kBufferSize = 4096;

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
} // namespace

CSafeFile::CSafeFile(std::string path) : mPath(std::move(path)) {}

CSafeFile::~CSafeFile() { Discard(); }

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
  struct stat st{};
  if (::stat(mPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return Fail("write", EISDIR);
  std::string pattern = FolderOf(mPath) + "/." + BaseOf(mPath) + ".XXXXXX";
  int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0)
    return Fail("create a temporary file in its folder", errno);
  mFd = fd;
  mTempPath = pattern;
  if (::fchmod(mFd, TargetMode(mPath)) != 0)
    return Fail("set the permissions of the new file", errno);
  mBuffer.reserve(kBufferSize);
  return true;
}

bool CSafeFile::Flush()
{
  const char* p = mBuffer.data();
  std::size_t left = mBuffer.size();
  while (left > 0)
  {
    ssize_t n = ::write(mFd, p, left);
    if (n < 0)
    {
      if (errno == EINTR)
        continue;
      return Fail("write", errno);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  mBuffer.clear();
  return true;
}

bool CSafeFile::Write(const void* data, std::size_t size)
{
  if (mFailed)
    return false;
  if (mFd < 0)
    return Fail("write (file not open)", 0);
  const char* p = static_cast<const char*>(data);
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
  if (ok && ::fsync(mFd) != 0)
    ok = Fail("sync", errno);
  if (ok)
  {
    int fd = mFd;
    mFd = -1;
    if (::close(fd) != 0)
      ok = Fail("close", errno);
  }
  if (ok && ::rename(mTempPath.c_str(), mPath.c_str()) != 0)
    ok = Fail("rename the new file over it", errno);
  if (!ok)
  {
    Discard();
    return false;
  }
  mTempPath.clear();
  SyncFolder(FolderOf(mPath));
  return true;
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
    ::unlink(mTempPath.c_str());
    mTempPath.clear();
  }
  mBuffer.clear();
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string* error)
{
  CSafeFile file(path);
  bool ok = file.Open() && file.Write(bytes) && file.Commit();
  if (!ok && error)
    *error = file.Error();
  return ok;
}
