#pragma once
// Builds the little-endian records of the program's files in memory; the
// finished bytes are then written whole through CSafeFile.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The most characters a stored string can hold (its count is 16 bits).
constexpr std::size_t kMaxStoredChars = 65535;

class CByteWriter
{
public:
  // The fixed-size fields are inline: a project file holds millions of them.
  void U32(std::uint32_t value) { Put(value, 4); }
  void F64(double value)
  {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Put(bits, 8);
  }
  void Bool(bool value) { mBytes.push_back(value ? '\x01' : '\x00'); }
  // Bytes laid out by the caller, added as they are.
  void Raw(const char* data, std::size_t size) { mBytes.append(data, size); }
  // Room for about this many bytes, so that a large file is not copied while it grows.
  void Reserve(std::size_t bytes) { mBytes.reserve(bytes); }
  // Each character becomes one 16-bit unit holding the byte sign-extended
  // (0xE9 -> E9 FF). A text too long for the format is refused, never cut:
  // the writer records the reason and the bytes must not be used.
  bool String(std::string_view text, const char* what);

  bool Failed() const { return !mError.empty(); }
  const std::string& Error() const { return mError; }
  const std::string& Bytes() const { return mBytes; }
  std::string TakeBytes() { return std::move(mBytes); }

private:
  // The low n bytes of the value, least significant first.
  void Put(std::uint64_t value, std::size_t n)
  {
    char b[8];
    if constexpr (std::endian::native == std::endian::little)
      std::memcpy(b, &value, sizeof b);
    else
      for (std::size_t i = 0; i < 8; ++i)
        b[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    mBytes.append(b, n);
  }

  std::string mBytes;
  std::string mError;
};
