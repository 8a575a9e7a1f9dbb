#include "storage/address_book.h"

#include "model/project.h"
#include "storage/byte_archive.h"
#include "storage/byte_reader.h"
#include "storage/byte_writer.h"
#include "storage/charset.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "storage/settings_store.h"
#include "storage/units.h"

#include <algorithm>
#include <new>

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

std::string_view AddressKey(const CAddress& a) { return a.mName; }
std::string_view NameKey(const std::string& s) { return s; }

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

// Empties the list, then reads the file and decodes it into the list; a list too large for the
// memory left is refused with a reason like a damaged one.
template <typename List>
bool LoadList(List& list, const std::string& path, std::string* error)
{
  list = List();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error))
    return false;
  try
  {
    return WithPath(path, list.Decode(bytes, error), error);
  }
  catch (const std::bad_alloc&)
  {
    list = List();
    if (error)
      *error = path + ": there is not enough memory to read it";
    return false;
  }
}
} // namespace

// ---- CAddressBook

bool CAddressBook::Find(std::string_view name, std::size_t* index) const
{
  const std::string key = CollapseSpaces(name);
  return Bisect(mEntries, key, AddressKey, index);
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

bool CAddressBook::Save(const std::string& path, std::string* error) const
{
  std::string bytes;
  if (!Encode(bytes, error))
    return WithPath(path, false, error);
  return WriteFileSafely(path, bytes, error);
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
  return Bisect(mNames, name, NameKey, index);
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

bool CNameList::Save(const std::string& path, std::string* error) const
{
  std::string bytes;
  if (!Encode(bytes, error))
    return WithPath(path, false, error);
  return WriteFileSafely(path, bytes, error);
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

CAddressBook& Customers()
{
  static CAddressBook book;
  return book;
}

CNameList& Designers()
{
  static CNameList list;
  return list;
}

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

bool CProject::SetCustomer(std::string_view name, const CAddressBook& customers)
{
  CAddress entry;
  if (!customers.Get(name, entry))
    return false;
  mCustomer = entry;
  return true;
}

bool CProject::SetDesigner(std::string_view name, const CNameList& designers)
{
  std::string stored;
  if (!designers.Get(name, stored))
    return false;
  mProject_Designer = stored;
  return true;
}
