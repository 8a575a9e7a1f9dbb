#include "storage/file_stamp.h"

#include <cerrno>
#include <sys/stat.h>

CFileStamp StampOf(const struct stat& st)
{
  CFileStamp stamp;
  stamp.mKind = CFileStamp::CKind::Present;
  stamp.mDevice = st.st_dev;
  stamp.mInode = st.st_ino;
  stamp.mSize = st.st_size;
  stamp.mModified = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

CFileStamp CurrentStamp(const std::string& path)
{
  struct stat st{};
  if (::stat(path.c_str(), &st) == 0)
    return StampOf(st);
  CFileStamp stamp;
  if (errno == ENOENT)
    stamp.mKind = CFileStamp::CKind::Absent;
  return stamp;
}
