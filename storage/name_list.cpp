#include "storage/name_list.h"

#include "storage/byte_writer.h"
#include "storage/list_file.h"
#include "text/text_cleaners.h"

namespace
{
constexpr std::size_t kNameMinBytes = 2;
} // namespace

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
