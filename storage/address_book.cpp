#include "storage/address_book.h"

#include "model/project.h"
#include "storage/byte_archive.h"
#include "storage/byte_writer.h"
#include "storage/project_file.h"
#include "storage/list_file.h"
#include "text/text_cleaners.h"

namespace
{
constexpr std::size_t kAddressMinBytes = 7 * 2;
} // namespace

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
