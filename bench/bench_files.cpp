#include "bench/bench_files.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace bench
{
CScratchFolder::CScratchFolder()
{
  std::string pattern = (std::filesystem::temp_directory_path() / "vantor-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("cannot create a scratch folder");
  mPath = pattern;
}

CScratchFolder::~CScratchFolder()
{
  std::error_code ec;
  std::filesystem::remove_all(mPath, ec);
}

std::string ReadWholeFile(const std::string& path)
{
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw std::runtime_error("cannot open " + path);
  struct stat st{};
  ::fstat(fd, &st);
  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size())
  {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0)
      break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

void WriteAndSync(const std::string& path, std::string_view bytes)
{
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    throw std::runtime_error("cannot create " + path);
  std::size_t done = 0;
  while (done < bytes.size())
  {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0)
      break;
    done += static_cast<std::size_t>(n);
  }
  ::fsync(fd);
  ::close(fd);
}
} // namespace bench
