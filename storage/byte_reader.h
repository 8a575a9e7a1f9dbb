#pragma once
// Reads the little-endian records of the program's files from a byte span.
// Every read first checks the bytes that remain, so a file that ends early or
// announces more than it holds is refused with a reason saying where, before
// anything is allocated for it. The reader never throws.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CByteReader
{
public:
  explicit CByteReader(std::string_view bytes) : mBytes(bytes) {}

  // Each read stores the value and returns true, or records the first failure
  // and returns false (later reads then fail at once). `what` names the field
  // for the message, after the current context ("volume 3" + " name").
  bool U32(std::uint32_t& value, const char* what);
  bool F64(double& value, const char* what);
  // As F64, and a value that is not a finite number is damage.
  bool FiniteF64(double& value, const char* what);
  // One byte; any value other than 0 is true.
  bool Bool(bool& value, const char* what);
  // A u16 character count and one 16-bit unit per character; the low byte of
  // each unit is the character.
  bool String(std::string& value, const char* what);
  // A u32 count of records of at least minRecordBytes each; refused when so
  // many records cannot fit in the bytes that remain.
  bool Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what);

  // The context that prefixes field names in messages ("volume 3").
  void SetContext(std::string context) { mContext = std::move(context); }
  const std::string& Context() const { return mContext; }

  // Records a failure of the reader's caller (a value out of range).
  bool Fail(const std::string& reason);
  // Fails unless every byte has been read.
  bool ExpectEnd();

  std::size_t Offset() const { return mOffset; }
  std::size_t Remaining() const { return mBytes.size() - mOffset; }
  bool Failed() const { return !mError.empty(); }
  // "ends early at byte 1234 (reading volume 3 name)" and the like.
  const std::string& Error() const { return mError; }

private:
  bool Need(std::size_t n, const char* what);
  std::string Field(const char* what) const;

  std::string_view mBytes;
  std::size_t mOffset = 0;
  std::string mContext;
  std::string mError;
};

// Reads a whole regular file into bytes; false with a reason naming the file.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);
