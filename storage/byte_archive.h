#pragma once
// One serialise operation per record kind either writes a record or reads it
// back, in the same field order; CByteArchive is what those operations talk
// to. Storing appends to a CByteWriter; loading takes from a CByteReader and
// stops at the first damage. The version at the head of a file governs every
// nested record.

#include "storage/byte_reader.h"
#include "storage/byte_writer.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CByteArchive
{
public:
  CByteArchive(CByteWriter& writer, std::uint32_t version) : mWriter(&writer), mVersion(version) {}
  CByteArchive(CByteReader& reader, std::uint32_t version) : mReader(&reader), mVersion(version) {}

  bool IsStoring() const { return mWriter != nullptr; }
  std::uint32_t Version() const { return mVersion; }
  void SetVersion(std::uint32_t version) { mVersion = version; }

  bool U32(std::uint32_t& value, const char* what);
  // A signed field stored as u32: its bit pattern.
  bool I32(std::int32_t& value, const char* what);
  // A dimension or share: loading refuses a value that is not a finite number.
  bool Measure(double& value, const char* what);
  bool Bool(bool& value, const char* what);
  bool String(std::string& value, const char* what);
  // The count of a list of records at least minRecordBytes long each.
  bool Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what);

  // Names the record being handled in messages ("volume 3 opening 2").
  void SetContext(std::string context);
  const std::string& Context() const { return mContext; }
  // Records damage found by a caller (loading only); always false.
  bool Fail(const std::string& reason);
  bool Failed() const;
  std::string Error() const;

private:
  CByteWriter* mWriter = nullptr;
  CByteReader* mReader = nullptr;
  std::uint32_t mVersion;
  std::string mContext;
};
