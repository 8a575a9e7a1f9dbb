#include "storage/byte_reader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string CByteReader::Field(const char* what) const
{
  if (mContext.empty())
    return what;
  return mContext + " " + what;
}

bool CByteReader::Fail(const std::string& reason)
{
  if (mError.empty())
    mError = reason;
  return false;
}

bool CByteReader::Need(std::size_t n, const char* what)
{
  if (Failed())
    return false;
  if (n > Remaining())
    return Fail("ends early at byte " + std::to_string(mBytes.size()) + " (reading " +
                Field(what) + ")");
  return true;
}

bool CByteReader::U32(std::uint32_t& value, const char* what)
{
  if (!Need(4, what))
    return false;
  const auto* p = reinterpret_cast<const unsigned char*>(mBytes.data() + mOffset);
  value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
          static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  mOffset += 4;
  return true;
}

bool CByteReader::F64(double& value, const char* what)
{
  if (!Need(8, what))
    return false;
  const auto* p = reinterpret_cast<const unsigned char*>(mBytes.data() + mOffset);
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i)
    bits = bits << 8 | p[i];
  std::memcpy(&value, &bits, sizeof value);
  mOffset += 8;
  return true;
}

bool CByteReader::FiniteF64(double& value, const char* what)
{
  const std::size_t at = mOffset;
  double v = 0;
  if (!F64(v, what))
    return false;
  if (!std::isfinite(v))
    return Fail(Field(what) + " at byte " + std::to_string(at) + " is not a finite number");
  value = v;
  return true;
}

bool CByteReader::Bool(bool& value, const char* what)
{
  if (!Need(1, what))
    return false;
  value = mBytes[mOffset] != 0;
  mOffset += 1;
  return true;
}

bool CByteReader::String(std::string& value, const char* what)
{
  if (!Need(2, what))
    return false;
  const auto* p = reinterpret_cast<const unsigned char*>(mBytes.data() + mOffset);
  const std::size_t n = static_cast<std::size_t>(p[0]) | static_cast<std::size_t>(p[1]) << 8;
  if (2 + 2 * n > Remaining())
    return Fail("ends early at byte " + std::to_string(mBytes.size()) + " (reading " + Field(what) +
                " of " + std::to_string(n) + " characters)");
  std::string text(n, '\0');
  for (std::size_t i = 0; i < n; ++i)
    text[i] = static_cast<char>(p[2 + 2 * i]);
  mOffset += 2 + 2 * n;
  value = std::move(text);
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

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error)
{
  auto fail = [&](const char* what, int err) {
    if (error)
      *error = path + ": cannot " + what + ": " + std::strerror(err);
    return false;
  };
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return fail("open", errno);
  struct stat st{};
  if (::fstat(fd, &st) != 0)
  {
    int err = errno;
    ::close(fd);
    return fail("read", err);
  }
  if (!S_ISREG(st.st_mode))
  {
    ::close(fd);
    return fail("read", S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
  }
  std::string data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;)
  {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0)
    {
      if (errno == EINTR)
        continue;
      int err = errno;
      ::close(fd);
      return fail("read", err);
    }
    if (n == 0)
      break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  bytes = std::move(data);
  return true;
}
