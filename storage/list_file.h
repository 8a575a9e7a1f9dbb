#pragma once
// The file handling the customer book and the designer list share: both are
// kept sorted by a unique name, read whole, and saved by merging with what
// other copies of the program wrote into the file meanwhile.

#include "storage/byte_reader.h"
#include "storage/file_stamp.h"
#include "storage/lock_file.h"
#include "storage/safe_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

// The lists' file handling, which reaches into both kinds of list.
struct CListFile
{
  // Takes what the list now holds as what its file holds.
  template <typename List>
  static void Remember(List& list, const std::string& path);
  template <typename List>
  static bool Save(List& list, const std::string& path, std::string* error);
};

// Bisection over a sorted array by a key taken from each element.
template <typename T, typename Key>
bool Bisect(const std::vector<T>& items, std::string_view key, Key keyOf, std::size_t* index)
{
  std::size_t lo = 0;
  std::size_t hi = items.size();
  while (lo < hi)
  {
    std::size_t mid = lo + (hi - lo) / 2;
    std::string_view probe = keyOf(items[mid]);
    if (probe < key)
      lo = mid + 1;
    else if (probe == key)
    {
      if (index)
        *index = mid;
      return true;
    }
    else
      hi = mid;
  }
  if (index)
    *index = lo;
  return false;
}

// The reserved word and the record count of a list file.
bool DecodeHeader(CByteReader& reader, std::uint32_t& count, std::size_t minRecord, const char* what);

// True when the reader is at the end; otherwise false with the reason.
bool Finish(CByteReader& reader, std::string* error);

// The result, with the path put before the reason of a failure.
bool WithPath(const std::string& path, bool ok, std::string* error);

// The full path a list file is known by, whatever the current folder.
std::string FullPath(const std::string& path);

// Empties the list, then reads the file and decodes it into the list; a
// list too large for the memory left is refused with a reason like a
// damaged one.
template <typename List>
bool LoadList(List& list, const std::string& path, std::string* error)
{
  list = List();
  std::string bytes;
  // Whatever the outcome, the file is known from now on: what another copy
  // writes into it later is kept by the next save, and a file that did not
  // read is not replaced by one.
  if (!ReadFileBytes(path, bytes, error))
  {
    CListFile::Remember(list, path);
    return false;
  }
  try
  {
    const bool read = WithPath(path, list.Decode(bytes, error), error);
    CListFile::Remember(list, path);
    return read;
  }
  catch (const std::bad_alloc&)
  {
    list = List();
    CListFile::Remember(list, path);
    if (error)
      *error = path + ": there is not enough memory to read it";
    return false;
  }
}

// The entry of the key in a list sorted by key; nullptr when there is none.
template <typename T, typename Key>
const T* FindByKey(const std::vector<T>& items, std::string_view key, Key keyOf)
{
  std::size_t i = 0;
  return Bisect(items, key, keyOf, &i) ? &items[i] : nullptr;
}

// Three-way merge of lists sorted by a unique key: what the file holds now,
// what it held when this copy last read or wrote it, and this copy's list.
// This copy's additions, changes and removals hold; everything else is as
// the file has it now, with what other copies added, changed or removed.
template <typename T, typename Key>
std::vector<T> MergeLists(const std::vector<T>& disk, const std::vector<T>& base,
                          const std::vector<T>& mine, Key keyOf)
{
  std::vector<std::string_view> keys;
  keys.reserve(disk.size() + mine.size());
  for (const T& item : disk)
    keys.push_back(keyOf(item));
  for (const T& item : mine)
    keys.push_back(keyOf(item));
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  std::vector<T> merged;
  merged.reserve(keys.size());
  for (std::string_view key : keys)
  {
    const T* d = FindByKey(disk, key, keyOf);
    const T* b = FindByKey(base, key, keyOf);
    const T* m = FindByKey(mine, key, keyOf);
    if (m && (!b || !(*m == *b)))
      merged.push_back(*m); // added or changed here
    else if (d && !(b && !m))
      merged.push_back(*d); // as the file has it, unless removed here
  }
  return merged;
}

template <typename List>
void CListFile::Remember(List& list, const std::string& path)
{
  list.mBase = list.Items();
  list.mBaseFile = FullPath(path);
}

template <typename List>
bool CListFile::Save(List& list, const std::string& path, std::string* error)
{
  auto fail = [&](const std::string& reason) {
    if (error)
      *error = path + ": " + reason;
    return false;
  };
  auto write = [&](const List& image, std::string* why) {
    std::string bytes;
    if (!image.Encode(bytes, why))
      return WithPath(path, false, why);
    if (!FitsReadLimit(bytes.size()))
    {
      if (why)
        *why = path + ": cannot be saved: it would be too large to be read again (" +
               ReadLimitText(bytes.size()) + ")";
      return false;
    }
    return WriteFileSafely(path, bytes, why);
  };
  const std::string full = FullPath(path);
  // Read, merged and replaced under the list's lock: without it another
  // copy's save in between would be lost.
  CLockFile lock(path);
  switch (lock.Lock(kSaveLockWait))
  {
  case CLockFile::CState::Held:
    break;
  case CLockFile::CState::HeldElsewhere:
    return fail("another copy of the program is saving it; please try again");
  case CLockFile::CState::Unavailable:
    return fail("it was not saved, because its lock cannot be taken: " + lock.Error());
  }
  // A list never read from a file is written as it is.
  if (list.mBaseFile.empty())
  {
    if (!write(list, error))
      return false;
    CListFile::Remember(list, path);
    return true;
  }
  List disk;
  std::string reason;
  if (CurrentStamp(path).mKind != CFileStamp::CKind::Absent)
  {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, &reason))
      return fail("cannot be read again to keep what other copies of the program put in it, so it "
                  "was not replaced: " + reason);
    if (!disk.Decode(bytes, &reason))
      return fail("is damaged, so it was not replaced: " + reason);
  }
  // Saved into another folder than the list came from: nothing of that
  // file was seen, so all of it is kept and the whole list added.
  const std::vector<typename List::Item> noBase;
  List merged;
  merged.Items() = MergeLists(disk.Items(), full == list.mBaseFile ? list.mBase : noBase,
                              list.Items(), List::KeyOf);
  if (!write(merged, error))
    return false;
  list.Items() = std::move(merged.Items());
  CListFile::Remember(list, path);
  return true;
}
