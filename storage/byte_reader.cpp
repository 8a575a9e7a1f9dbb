#include "storage/byte_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

std::string CByteReader::FullContext() const
{
  std::string context = mContext;
  const std::string nested = mSource ? mSource->ContextText() : std::string();
  if (!context.empty() && !nested.empty())
    context += ' ';
  context += nested;
  return context;
}

std::string CByteReader::Field(const char* what) const
{
  const std::string context = FullContext();
  if (context.empty())
    return what;
  return context + " " + what;
}

bool CByteReader::Fail(const std::string& reason)
{
  if (mError.empty())
    mError = reason;
  return false;
}

bool CByteReader::EndsEarly(std::size_t n, const char* what)
{
  if (Failed())
    return false;
  if (n > Remaining())
    return Fail("ends early at byte " + std::to_string(mBytes.size()) + " (reading " +
                Field(what) + ")");
  return true;
}

bool CByteReader::NotFinite(const char* what, std::size_t at)
{
  return Fail(Field(what) + " at byte " + std::to_string(at) + " is not a finite number");
}

bool CByteReader::StringChars(const char* what, const unsigned char*& chars, std::size_t& n)
{
  if (!Need(2, what))
    return false;
  const auto* p = reinterpret_cast<const unsigned char*>(mBytes.data() + mOffset);
  n = static_cast<std::size_t>(p[0]) | static_cast<std::size_t>(p[1]) << 8;
  if (2 + 2 * n > Remaining())
    return Fail("ends early at byte " + std::to_string(mBytes.size()) + " (reading " + Field(what) +
                " of " + std::to_string(n) + " characters)");
  chars = p + 2;
  return true;
}

bool CByteReader::String(std::string& value, const char* what)
{
  const unsigned char* p = nullptr;
  std::size_t n = 0;
  if (!StringChars(what, p, n))
    return false;
  // Straight into the value, whose room is reused (nothing can fail now).
  value.resize(n);
  char* out = value.data();
  for (std::size_t i = 0; i < n; ++i)
    out[i] = static_cast<char>(p[2 * i]);
  mOffset += 2 + 2 * n;
  return true;
}

bool CByteReader::StringEquals(std::string_view text, bool& same, const char* what)
{
  const unsigned char* p = nullptr;
  std::size_t n = 0;
  if (!StringChars(what, p, n))
    return false;
  same = n == text.size();
  for (std::size_t i = 0; same && i < n; ++i)
    same = static_cast<char>(p[2 * i]) == text[i];
  mOffset += 2 + 2 * n;
  return true;
}

bool CByteReader::Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what)
{
  const std::size_t at = mOffset;
  std::uint32_t n = 0;
  if (!U32(n, what))
    return false;
  // Compared by division so that no product can overflow.
  if (minRecordBytes > 0 && n > Remaining() / minRecordBytes)
    return Fail("ends early at byte " + std::to_string(mBytes.size()) + " (" + Field(what) + " " +
                std::to_string(n) + " at byte " + std::to_string(at) + " cannot fit in the " +
                std::to_string(Remaining()) + " bytes that remain)");
  count = n;
  return true;
}

bool CByteReader::ExpectEnd()
{
  if (Failed())
    return false;
  if (Remaining() != 0)
    return Fail("has " + std::to_string(Remaining()) + " unexpected bytes after its end at byte " +
                std::to_string(mOffset));
  return true;
}

namespace
{
// Why a file of this type is not read; empty for a regular file.
std::string NotARegularFile(mode_t mode)
{
  if (S_ISREG(mode))
    return {};
  if (S_ISDIR(mode))
    return std::strerror(EISDIR);
  if (S_ISFIFO(mode))
    return "it is a named pipe, not a file";
  if (S_ISSOCK(mode))
    return "it is a socket, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode))
    return "it is a device, not a file";
  return "it is not a regular file";
}

std::string TooLarge(std::uint64_t size)
{
  return "it is too large to be a file of this program (" + ReadLimitText(size) + ")";
}
} // namespace

std::string ReadLimitText(std::uint64_t size)
{
  return std::to_string(size) + " bytes; the limit is " + std::to_string(kMaxReadFileBytes >> 20) +
         " MiB";
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error,
                   CFileStamp* stamp)
{
  auto fail = [&](const char* what, const std::string& reason) {
    if (error)
      *error = path + ": cannot " + what + ": " + reason;
    return false;
  };
  auto failErrno = [&](const char* what, int err) { return fail(what, std::strerror(err)); };
  // The type and size are checked before the file is opened: opening a named
  // pipe for reading waits for a writer, and opening a device may act on it.
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0)
    return failErrno("open", errno);
  if (std::string why = NotARegularFile(st.st_mode); !why.empty())
    return fail("read", why);
  if (!FitsReadLimit(static_cast<std::uint64_t>(st.st_size)))
    return fail("read", TooLarge(static_cast<std::uint64_t>(st.st_size)));
  // Not blocking and checked again once open: the name may have been given
  // to something else in between.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return failErrno("open", errno);
  auto close = [&](bool result) {
    ::close(fd);
    return result;
  };
  if (::fstat(fd, &st) != 0)
    return close(failErrno("read", errno));
  if (std::string why = NotARegularFile(st.st_mode); !why.empty())
    return close(fail("read", why));
  const std::size_t size = static_cast<std::size_t>(st.st_size);
  if (!FitsReadLimit(size))
    return close(fail("read", TooLarge(size)));
  // Read straight into the string, a little beyond the size the file had, so
  // that a file that grew meanwhile is still read whole and the end is seen;
  // it may not grow beyond the limit.
  std::string data;
  std::size_t used = 0;
  try
  {
    data.resize(size + 4096);
    for (;;)
    {
      if (used == data.size())
      {
        if (!FitsReadLimit(used))
          return close(fail("read", TooLarge(used)));
        data.resize(std::min(data.size() * 2, kMaxReadFileBytes + 1));
      }
      ssize_t n = ::read(fd, data.data() + used, data.size() - used);
      if (n < 0)
      {
        if (errno == EINTR)
          continue;
        return close(failErrno("read", errno));
      }
      if (n == 0)
        break;
      used += static_cast<std::size_t>(n);
    }
  }
  catch (const std::bad_alloc&)
  {
    return close(fail("read", "there is not enough memory to read it"));
  }
  ::close(fd);
  data.resize(used);
  bytes = std::move(data);
  if (stamp)
    *stamp = StampOf(st);
  return true;
}
