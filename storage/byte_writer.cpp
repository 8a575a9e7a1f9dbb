#include "storage/byte_writer.h"

#include <cstring>

void CByteWriter::U32(std::uint32_t value)
{
  char b[4];
  for (int i = 0; i < 4; ++i)
    b[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  mBytes.append(b, 4);
}

void CByteWriter::F64(double value)
{
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  char b[8];
  for (int i = 0; i < 8; ++i)
    b[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  mBytes.append(b, 8);
}

void CByteWriter::Bool(bool value) { mBytes.push_back(value ? '\x01' : '\x00'); }

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
