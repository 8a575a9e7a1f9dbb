#include "storage/list_file.h"

#include <filesystem>

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
