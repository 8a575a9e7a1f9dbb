#pragma once
// Builds the little-endian records of the program's files in memory; the
// finished bytes are then written whole through CSafeFile.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The most characters a stored string can hold (its count is 16 bits).
constexpr std::size_t kMaxStoredChars = 65535;

class CByteWriter
{
public:
  void U32(std::uint32_t value);
  void F64(double value);
  void Bool(bool value);
  // Each character becomes one 16-bit unit holding the byte sign-extended
  // (0xE9 -> E9 FF). A text too long for the format is refused, never cut:
  // the writer records the reason and the bytes must not be used.
  bool String(std::string_view text, const char* what);

  bool Failed() const { return !mError.empty(); }
  const std::string& Error() const { return mError; }
  const std::string& Bytes() const { return mBytes; }
  std::string TakeBytes() { return std::move(mBytes); }

private:
  std::string mBytes;
  std::string mError;
};
