#include "storage/address_book.h"

#include "model/project.h"
#include "storage/byte_archive.h"
#include "storage/byte_reader.h"
#include "storage/byte_writer.h"
#include "storage/file_stamp.h"
#include "storage/lock_file.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "storage/settings_store.h"
#include "text/charset.h"
#include "text/text_cleaners.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <new>

// The lists' file handling, which reaches into both kinds of list.
struct CListFile
{
  // Takes what the list now holds as what its file holds.
  template <typename List>
  static void Remember(List& list, const std::string& path);
  template <typename List>
  static bool Save(List& list, const std::string& path, std::string* error);
};

namespace
{
constexpr std::size_t kAddressMinBytes = 7 * 2;
constexpr std::size_t kNameMinBytes = 2;

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

bool DecodeHeader(CByteReader& reader, std::uint32_t& count, std::size_t minRecord, const char* what)
{
  std::uint32_t reserved = 0;
  return reader.U32(reserved, "reserved word") && reader.Count(count, minRecord, what);
}

bool Finish(CByteReader& reader, std::string* error)
{
  if (reader.ExpectEnd())
    return true;
  if (error)
    *error = "damaged file: " + reader.Error();
  return false;
}

bool WithPath(const std::string& path, bool ok, std::string* error)
{
  if (!ok && error)
    *error = path + ": " + *error;
  return ok;
}

// The full path a list file is known by, whatever the current folder.
std::string FullPath(const std::string& path)
{
  std::error_code ec;
  const std::filesystem::path full =
    std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
  return ec ? std::string() : full.string();
}

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

// How long a save waits for another copy's save of the same list.
constexpr std::chrono::seconds kListLockWait{5};
} // namespace

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
    return WriteFileSafely(path, bytes, why);
  };
  const std::string full = FullPath(path);
  if (list.mBaseFile.empty())
  {
    if (!write(list, error))
      return false;
    CListFile::Remember(list, path);
    return true;
  }
  CLockFile lock(path);
  if (lock.Lock(kListLockWait) == CLockFile::CState::HeldElsewhere)
    return fail("another copy of the program is saving it; please try again");
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

// ---- CAddressBook

bool CAddressBook::Find(std::string_view name, std::size_t* index) const
{
  const std::string key = CollapseSpaces(name);
  return Bisect(mEntries, key, CAddressBook::KeyOf, index);
}

bool CAddressBook::Get(std::string_view name, CAddress& out) const
{
  std::size_t i = 0;
  if (!Find(name, &i))
  {
    out.Clear();
    return false;
  }
  out = mEntries[i];
  return true;
}

void CAddressBook::Put(const CAddress& address)
{
  CAddress entry = address;
  entry.mName = CollapseSpaces(address.mName);
  if (entry.mName.empty())
    return;
  std::size_t i = 0;
  if (Find(entry.mName, &i))
    mEntries[i] = std::move(entry);
  else
    mEntries.insert(mEntries.begin() + static_cast<std::ptrdiff_t>(i), std::move(entry));
}

void CAddressBook::Remove(std::string_view name)
{
  std::size_t i = 0;
  if (Find(name, &i))
    mEntries.erase(mEntries.begin() + static_cast<std::ptrdiff_t>(i));
}

std::vector<std::string> CAddressBook::Names() const
{
  std::vector<std::string> names;
  names.reserve(mEntries.size());
  for (const CAddress& a : mEntries)
    names.push_back(a.mName);
  return names;
}

bool CAddressBook::Encode(std::string& bytes, std::string* error) const
{
  CByteWriter writer;
  CByteArchive ar(writer, kCurrentFileVersion);
  writer.U32(0);
  writer.U32(static_cast<std::uint32_t>(mEntries.size()));
  for (std::size_t i = 0; i < mEntries.size(); ++i)
  {
    ar.SetContext("customer " + std::to_string(i + 1));
    if (!SerializeAddress(ar, const_cast<CAddress&>(mEntries[i])))
    {
      if (error)
        *error = "cannot be saved: " + writer.Error();
      return false;
    }
  }
  bytes = writer.TakeBytes();
  return true;
}

bool CAddressBook::Decode(std::string_view bytes, std::string* error)
{
  mEntries.clear();
  CByteReader reader(bytes);
  CByteArchive ar(reader, kCurrentFileVersion);
  std::uint32_t count = 0;
  if (!DecodeHeader(reader, count, kAddressMinBytes, "customer count"))
    return Finish(reader, error);
  // Gathered, then put in order at once: inserting one by one would take
  // time growing with the square of the entries of an unordered file.
  std::vector<CAddress> read;
  for (std::uint32_t i = 0; i < count; ++i)
  {
    ar.SetContext("customer " + std::to_string(i + 1));
    CAddress entry;
    if (!SerializeAddress(ar, entry))
      break;
    entry.mName = CollapseSpaces(entry.mName);
    if (!entry.mName.empty())
      read.push_back(std::move(entry));
  }
  std::stable_sort(read.begin(), read.end(),
                   [](const CAddress& a, const CAddress& b) { return a.mName < b.mName; });
  // Of the entries of one name, the last in the file holds.
  for (std::size_t i = 0; i < read.size(); ++i)
    if (i + 1 == read.size() || read[i + 1].mName != read[i].mName)
      mEntries.push_back(std::move(read[i]));
  return Finish(reader, error);
}

bool CAddressBook::Load(const std::string& path, std::string* error)
{
  return LoadList(*this, path, error);
}

bool CAddressBook::Save(const std::string& path, std::string* error)
{
  return CListFile::Save(*this, path, error);
}

bool CAddressBook::PutAndSave(const CAddress& address, const std::string& path, std::string* error)
{
  Put(address);
  return Save(path, error);
}

bool CAddressBook::RemoveAndSave(std::string_view name, const std::string& path, std::string* error)
{
  Remove(name);
  return Save(path, error);
}

// ---- CNameList

bool CNameList::Contains(std::string_view name, std::size_t* index) const
{
  return Bisect(mNames, name, CNameList::KeyOf, index);
}

bool CNameList::Get(std::string_view name, std::string& out) const
{
  std::size_t i = 0;
  if (!Contains(name, &i))
  {
    out.clear();
    return false;
  }
  out = mNames[i];
  return true;
}

bool CNameList::Add(std::string_view name)
{
  std::size_t i = 0;
  if (name.empty() || Contains(name, &i))
    return false;
  mNames.insert(mNames.begin() + static_cast<std::ptrdiff_t>(i), std::string(name));
  return true;
}

void CNameList::Remove(std::string_view name)
{
  std::size_t i = 0;
  if (Contains(name, &i))
    mNames.erase(mNames.begin() + static_cast<std::ptrdiff_t>(i));
}

bool CNameList::Encode(std::string& bytes, std::string* error) const
{
  CByteWriter writer;
  writer.U32(0);
  writer.U32(static_cast<std::uint32_t>(mNames.size()));
  for (std::size_t i = 0; i < mNames.size(); ++i)
  {
    const std::string what = "designer " + std::to_string(i + 1);
    if (!writer.String(mNames[i], what.c_str()))
    {
      if (error)
        *error = "cannot be saved: " + writer.Error();
      return false;
    }
  }
  bytes = writer.TakeBytes();
  return true;
}

bool CNameList::Decode(std::string_view bytes, std::string* error)
{
  mNames.clear();
  CByteReader reader(bytes);
  std::uint32_t count = 0;
  if (!DecodeHeader(reader, count, kNameMinBytes, "designer count"))
    return Finish(reader, error);
  for (std::uint32_t i = 0; i < count; ++i)
  {
    reader.SetContext("designer " + std::to_string(i + 1));
    std::string name;
    if (!reader.String(name, "name"))
      break;
    if (!name.empty())
      mNames.push_back(std::move(name));
  }
  // In order, duplicates dropped, sorted at once as the customers are.
  std::sort(mNames.begin(), mNames.end());
  mNames.erase(std::unique(mNames.begin(), mNames.end()), mNames.end());
  return Finish(reader, error);
}

bool CNameList::Load(const std::string& path, std::string* error)
{
  return LoadList(*this, path, error);
}

bool CNameList::Save(const std::string& path, std::string* error)
{
  return CListFile::Save(*this, path, error);
}

bool CNameList::AddAndSave(std::string_view name, const std::string& path, std::string* error)
{
  if (!Add(CollapseSpaces(name)))
    return false;
  return Save(path, error);
}

bool CNameList::RemoveAndSave(std::string_view name, const std::string& path, std::string* error)
{
  Remove(name);
  return Save(path, error);
}

// ---- The program's instances

// ---- Default distributor

namespace
{
constexpr const char* kDistributorSection = "Distributor";

struct CAddressField
{
  const char* mKey;
  std::string CAddress::*mField;
};

constexpr CAddressField kDistributorFields[] = {
  {"Name", &CAddress::mName},       {"Address1", &CAddress::mAddress1},
  {"Address2", &CAddress::mAddress2}, {"City", &CAddress::mCity},
  {"State", &CAddress::mState},     {"Country", &CAddress::mCountry},
  {"Zip", &CAddress::mZip},
};
} // namespace

void LoadDistributor(const CSettingsStore& store)
{
  CAddress address;
  for (const CAddressField& f : kDistributorFields)
    address.*f.mField = Utf8ToCp1252(store.Read(kDistributorSection, f.mKey));
  SetDefaultDistributor(address);
}

void SaveDistributor(CSettingsStore& store, const CAddress& address)
{
  SetDefaultDistributor(address);
  for (const CAddressField& f : kDistributorFields)
    store.Write(kDistributorSection, f.mKey, Cp1252ToUtf8(address.*f.mField));
}

void CopyDistributor(CAddress& out) { out = DefaultDistributor(); }

// ---- The project's choices from the shared lists

bool ChooseCustomer(CProject& project, std::string_view name, const CAddressBook& customers)
{
  CAddress entry;
  if (!customers.Get(name, entry))
    return false;
  project.mCustomer = entry;
  return true;
}

bool ChooseDesigner(CProject& project, std::string_view name, const CNameList& designers)
{
  std::string stored;
  if (!designers.Get(name, stored))
    return false;
  project.mProject_Designer = stored;
  return true;
}
