#pragma once
// One serialise operation per record kind either writes a record or reads it
// back, in the same field order; CByteArchive is what those operations talk
// to. Storing appends to a CByteWriter; loading takes from a CByteReader and
// stops at the first damage. The version at the head of a file governs every
// nested record. Comparing reads an image back like loading but leaves the
// values alone: each field read is compared with the value given, and the
// first difference ends the comparison.

#include "storage/byte_reader.h"
#include "storage/byte_writer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CByteArchive : private CContextSource
{
public:
  CByteArchive(CByteWriter& writer, std::uint32_t version) : mWriter(&writer), mVersion(version) {}
  CByteArchive(CByteReader& reader, std::uint32_t version) : mReader(&reader), mVersion(version)
  {
    reader.SetContextSource(this);
  }
  ~CByteArchive()
  {
    if (mReader)
      mReader->SetContextSource(nullptr);
  }
  struct CCompare
  {
  };
  CByteArchive(CByteReader& reader, std::uint32_t version, CCompare)
    : mReader(&reader), mVersion(version), mComparing(true)
  {
    reader.SetContextSource(this);
  }
  CByteArchive(const CByteArchive&) = delete;
  CByteArchive& operator=(const CByteArchive&) = delete;

  bool IsStoring() const { return mWriter != nullptr; }
  // Loading: the values are set from the image (not when comparing).
  bool IsLoading() const { return mReader && !mComparing; }
  bool IsComparing() const { return mComparing; }
  // The reader of a loading or comparing archive, for a record reader that
  // takes many fixed-size records at once; nullptr when storing.
  CByteReader* Reader() const { return mReader; }
  // The writer of a storing archive, likewise; nullptr otherwise.
  CByteWriter* Writer() const { return mWriter; }
  // A field read while comparing held another value than the one given.
  bool Differs() const { return mDiffers; }
  // Records the outcome of a comparison made by the caller; false when the
  // two differ.
  bool Same(bool same)
  {
    if (!same)
      mDiffers = true;
    return same;
  }
  // Loading: a record was put elsewhere than after the ones before it.
  void NoteReordered() { mReordered = true; }
  bool Reordered() const { return mReordered; }
  // Reads a measure while comparing, for a caller that compares it itself.
  bool StoredMeasure(double& value, const char* what) { return mReader->FiniteF64(value, what); }
  std::uint32_t Version() const { return mVersion; }
  void SetVersion(std::uint32_t version) { mVersion = version; }

  // The fixed-size fields are inline: a project file holds millions of them.
  bool U32(std::uint32_t& value, const char* what)
  {
    if (mWriter)
    {
      mWriter->U32(value);
      return true;
    }
    if (!mComparing)
      return mReader->U32(value, what);
    std::uint32_t stored = 0;
    return mReader->U32(stored, what) && Same(stored == value);
  }
  // A signed field stored as u32: its bit pattern.
  bool I32(std::int32_t& value, const char* what)
  {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (!U32(bits, what))
      return false;
    value = static_cast<std::int32_t>(bits);
    return true;
  }
  // A dimension or share: loading refuses a value that is not a finite number.
  bool Measure(double& value, const char* what)
  {
    if (mWriter)
    {
      mWriter->F64(value);
      return true;
    }
    if (!mComparing)
      return mReader->FiniteF64(value, what);
    double stored = 0;
    return mReader->FiniteF64(stored, what) && Same(stored == value);
  }
  bool Bool(bool& value, const char* what)
  {
    if (mWriter)
    {
      mWriter->Bool(value);
      return true;
    }
    if (!mComparing)
      return mReader->Bool(value, what);
    bool stored = false;
    return mReader->Bool(stored, what) && Same(stored == value);
  }
  bool String(std::string& value, const char* what);
  // The count of a list of records at least minRecordBytes long each.
  bool Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what);

  // Names the record being handled in messages ("volume 3 opening 2").
  void SetContext(std::string context);
  std::string Context() const;
  // Names a nested record ("label number", the label alone for number 0)
  // after the context until PopContext is given what this returned. Only
  // the label and number are kept; the text is made when a message needs it.
  std::size_t PushContext(const char* label, std::size_t number = 0)
  {
    mFrames.push_back({label, number});
    return mFrames.size() - 1;
  }
  void PopContext(std::size_t depth) { mFrames.resize(depth); }
  // Changes the number of the name PushContext gave `depth` for.
  void SetContextNumber(std::size_t depth, std::size_t number) { mFrames[depth].mNumber = number; }
  // Records damage found by a caller (loading only); always false.
  bool Fail(const std::string& reason);
  bool Failed() const;
  std::string Error() const;

private:
  CByteWriter* mWriter = nullptr;
  CByteReader* mReader = nullptr;
  struct CFrame
  {
    const char* mLabel;
    std::size_t mNumber;
  };
  // The nested names as text, without the context set by SetContext.
  std::string ContextText() const override;

  std::uint32_t mVersion;
  std::string mContext; // storing only; a loading archive keeps it in the reader
  std::vector<CFrame> mFrames;
  bool mComparing = false;
  bool mDiffers = false;
  bool mReordered = false;
};
