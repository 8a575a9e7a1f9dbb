#pragma once
// Reads the little-endian records of the program's files from a byte span.
// Every read first checks the bytes that remain, so a file that ends early or
// announces more than it holds is refused with a reason saying where, before
// anything is allocated for it. The reader never throws.

#include "storage/file_stamp.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Names the nested record being read ("volume 3 opening 2") for a message;
// asked only when a message is made, so that records read by the ten
// thousand pay nothing for being named.
class CContextSource
{
public:
  virtual std::string ContextText() const = 0;

protected:
  ~CContextSource() = default;
};

class CByteReader
{
public:
  explicit CByteReader(std::string_view bytes) : mBytes(bytes) {}

  // Each read stores the value and returns true, or records the first failure
  // and returns false (later reads then fail at once). `what` names the field
  // for the message, after the current context ("volume 3" + " name").
  // The fixed-size reads are inline: a project file holds millions of them.
  bool U32(std::uint32_t& value, const char* what)
  {
    if (!Need(4, what))
      return false;
    value = static_cast<std::uint32_t>(Load(4));
    return true;
  }
  bool F64(double& value, const char* what)
  {
    if (!Need(8, what))
      return false;
    const std::uint64_t bits = Load(8);
    std::memcpy(&value, &bits, sizeof value);
    return true;
  }
  // As F64, and a value that is not a finite number is damage.
  bool FiniteF64(double& value, const char* what)
  {
    double v = 0;
    if (!F64(v, what))
      return false;
    if (!std::isfinite(v))
      return NotFinite(what, mOffset - 8);
    value = v;
    return true;
  }
  // One byte; any value other than 0 is true.
  bool Bool(bool& value, const char* what)
  {
    if (!Need(1, what))
      return false;
    value = mBytes[mOffset] != 0;
    mOffset += 1;
    return true;
  }
  // A u16 character count and one 16-bit unit per character; the low byte of
  // each unit is the character.
  bool String(std::string& value, const char* what);
  // Reads a string as String does and tells whether it is the text given,
  // without making a copy of it.
  bool StringEquals(std::string_view text, bool& same, const char* what);
  // A u32 count of records of at least minRecordBytes each; refused when so
  // many records cannot fit in the bytes that remain.
  bool Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what);

  // The context that prefixes field names in messages ("volume 3").
  void SetContext(std::string context) { mContext = std::move(context); }
  const std::string& Context() const { return mContext; }
  // Names nested below the context, asked for when a message is made
  // (nullptr: none). The source must outlive its use here.
  void SetContextSource(const CContextSource* source) { mSource = source; }
  // The context and the nested names: what prefixes the field names.
  std::string FullContext() const;

  // Records a failure of the reader's caller (a value out of range).
  bool Fail(const std::string& reason);
  // Fails unless every byte has been read.
  bool ExpectEnd();

  // The next n bytes without reading them (nullptr when fewer remain or
  // the reader has failed), and moving past bytes looked at so.
  const unsigned char* Peek(std::size_t n) const
  {
    return mError.empty() && n <= Remaining()
             ? reinterpret_cast<const unsigned char*>(mBytes.data() + mOffset)
             : nullptr;
  }
  void Skip(std::size_t n) { mOffset += n; }

  std::size_t Offset() const { return mOffset; }
  std::size_t Remaining() const { return mBytes.size() - mOffset; }
  bool Failed() const { return !mError.empty(); }
  // "ends early at byte 1234 (reading volume 3 name)" and the like.
  const std::string& Error() const { return mError; }

private:
  bool Need(std::size_t n, const char* what)
  {
    return mError.empty() && n <= Remaining() ? true : EndsEarly(n, what);
  }
  // The next n bytes (at most 8) as a little-endian number; moves past them.
  std::uint64_t Load(std::size_t n)
  {
    const auto* p = reinterpret_cast<const unsigned char*>(mBytes.data() + mOffset);
    std::uint64_t value = 0;
    if constexpr (std::endian::native == std::endian::little)
      std::memcpy(&value, p, n);
    else
      for (std::size_t i = n; i-- > 0;)
        value = value << 8 | p[i];
    mOffset += n;
    return value;
  }
  // The characters of the string at the offset (one 16-bit word each, the
  // low byte the character), after its count; false when the bytes end
  // before them. Does not move.
  bool StringChars(const char* what, const unsigned char*& chars, std::size_t& n);
  // The failures of Need and FiniteF64, out of the way of the reads.
  bool EndsEarly(std::size_t n, const char* what);
  bool NotFinite(const char* what, std::size_t at);
  std::string Field(const char* what) const;

  std::string_view mBytes;
  std::size_t mOffset = 0;
  std::string mContext;
  const CContextSource* mSource = nullptr;
  std::string mError;
};

// The largest file the program reads: 64 MiB. A project of 10,000 volumes
// with 20 openings each takes under 10 MB; anything far beyond is not one of
// the program's files, and reading it could exhaust the memory.
inline constexpr std::size_t kMaxReadFileBytes = std::size_t(64) << 20;

// True when a file of `size` bytes is within the limit above: what a writer
// asks before it writes a file the program reads again, so that it never
// writes one the readers refuse.
inline bool FitsReadLimit(std::uint64_t size)
{
  return size <= kMaxReadFileBytes;
}
// "N bytes; the limit is 64 MiB": how a size beyond the limit is told.
std::string ReadLimitText(std::uint64_t size);

// Reads a whole regular file into bytes; false with a reason naming the file.
// Anything but a regular file (folder, named pipe, device, socket) and a file
// larger than kMaxReadFileBytes are refused before anything is opened for
// reading or allocated, so a hostile name in a folder never blocks the
// caller; running out of memory is a reason too, never an exception.
// The stamp of the file read goes to stamp (when given).
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr,
                   CFileStamp* stamp = nullptr);
