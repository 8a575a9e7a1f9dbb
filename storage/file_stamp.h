#pragma once
// What tells one state of a file from another: which file it is (device and
// inode, new with every safe save) with its size and modification time. A
// project remembers the stamp of the file it read or wrote, so that a save
// sees when another program has written the file in between.

#include <cstdint>
#include <string>

struct stat;

struct CFileStamp
{
  enum class CKind
  {
    Unknown, // nothing known: no check
    Absent,  // there was no file
    Present, // the file with the fields below
  };
  CKind mKind = CKind::Unknown;
  std::uint64_t mDevice = 0;
  std::uint64_t mInode = 0;
  std::int64_t mSize = 0;
  std::int64_t mModified = 0; // nanoseconds since the epoch

  bool operator==(const CFileStamp&) const = default;
};

CFileStamp StampOf(const struct stat& st);
// The stamp of the file at path now: Absent when there is none, Unknown when
// it cannot be told.
CFileStamp CurrentStamp(const std::string& path);
