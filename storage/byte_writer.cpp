#include "storage/byte_writer.h"

#include <cstring>

bool CByteWriter::String(std::string_view text, const char* what)
{
  if (text.size() > kMaxStoredChars)
  {
    if (mError.empty())
      mError = std::string(what) + " has " + std::to_string(text.size()) +
               " characters; a stored text holds at most " + std::to_string(kMaxStoredChars);
    return false;
  }
  const std::size_t n = text.size();
  mBytes.push_back(static_cast<char>(n & 0xFF));
  mBytes.push_back(static_cast<char>((n >> 8) & 0xFF));
  for (char c : text)
  {
    mBytes.push_back(c);
    mBytes.push_back(static_cast<unsigned char>(c) >= 0x80 ? '\xFF' : '\x00');
  }
  return true;
}
