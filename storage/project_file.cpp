#include "storage/project_file.h"

#include "model/address.h"
#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/byte_writer.h"
#include "storage/file_stamp.h"
#include "storage/lock_file.h"
#include "storage/safe_file.h"
#include "text/shown_text.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <bit>
#include <memory>
#include <new>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace
{
// The smallest stored size of each record, to check counts against what remains.
constexpr std::size_t kStringMinBytes = 2;

std::size_t VentMinBytes(std::uint32_t version) { return 4 + (version >= 2 ? 4 : 0) + 3 * 8; }

// An opening's record from version 2 on, as SerializeVent reads it: kind and
// shape (u32 each), width, height and upper share (f64 each).
constexpr std::size_t kVentRecordBytes = 32;

template <class T> T LittleEndian(const unsigned char* p)
{
  if constexpr (std::endian::native == std::endian::little)
  {
    T result; // the file's byte order is the machine's: one load
    std::memcpy(&result, p, sizeof result);
    return result;
  }
  std::uint64_t value = 0;
  for (std::size_t i = sizeof(T); i-- > 0;)
    value = value << 8 | p[i];
  if constexpr (sizeof(T) == 4)
    return static_cast<T>(value);
  else
  {
    T result;
    std::memcpy(&result, &value, sizeof result);
    return result;
  }
}

void PutLittleEndian(std::uint64_t value, std::size_t n, char* out)
{
  for (std::size_t i = 0; i < n; ++i)
    out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

template <class T> std::uint64_t Bits(T value)
{
  if constexpr (sizeof(T) == 4)
    return static_cast<std::uint32_t>(value);
  else
  {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  }
}

void EncodeVentRecord(const CVent& vent, char* out)
{
  PutLittleEndian(Bits(vent.mType), 4, out);
  PutLittleEndian(Bits(vent.mShape), 4, out + 4);
  PutLittleEndian(Bits(vent.mWidth), 8, out + 8);
  PutLittleEndian(Bits(vent.mHeight), 8, out + 16);
  PutLittleEndian(Bits(vent.mUpper), 8, out + 24);
}

// False when a measure is not a finite number, which only the field by
// field reading reports.
bool DecodeVentRecord(const unsigned char* p, std::uint32_t& type, std::uint32_t& shape,
                      double& width, double& height, double& upper)
{
  type = LittleEndian<std::uint32_t>(p);
  shape = LittleEndian<std::uint32_t>(p + 4);
  width = LittleEndian<double>(p + 8);
  height = LittleEndian<double>(p + 16);
  upper = LittleEndian<double>(p + 24);
  return std::isfinite(width) && std::isfinite(height) && std::isfinite(upper);
}

std::size_t AreaMinBytes(std::uint32_t version)
{
  return kStringMinBytes + 4 + 3 * 8 + 4 + (version >= 4 ? 8 * 4 : 6 * 4) +
         (version >= 1 ? kStringMinBytes : 0) + (version >= 3 ? 1 : 0);
}

// Names a nested record in the archive's messages while it is handled
// ("volume 3", then "volume 3 opening 2"), and restores the outer name.
class CContextScope
{
public:
  CContextScope(CByteArchive& ar, const char* label, std::size_t number = 0)
    : mAr(ar), mLength(ar.PushContext(label, number))
  {
  }
  ~CContextScope() { mAr.PopContext(mLength); }
  // Moves on to the next record of a list: "opening 2" after "opening 1".
  void Number(std::size_t number) { mAr.SetContextNumber(mLength, number); }
  CContextScope(const CContextScope&) = delete;
  CContextScope& operator=(const CContextScope&) = delete;

private:
  CByteArchive& mAr;
  std::size_t mLength;
};
} // namespace

bool SerializeAddress(CByteArchive& ar, CAddress& a)
{
  return ar.String(a.mName, "name") && ar.String(a.mAddress1, "address 1") &&
         ar.String(a.mAddress2, "address 2") && ar.String(a.mCity, "city") &&
         ar.String(a.mState, "state") && ar.String(a.mCountry, "country") &&
         ar.String(a.mZip, "zip code");
}

bool SerializeVent(CByteArchive& ar, CVent& vent)
{
  if (!ar.I32(vent.mType, "kind"))
    return false;
  if (ar.Version() >= 2)
  {
    if (!ar.I32(vent.mShape, "shape"))
      return false;
  }
  else if (ar.IsLoading())
  {
    vent.mShape = SHAPE_RECTANGULAR;
  }
  if (!ar.Measure(vent.mWidth, "width") || !ar.Measure(vent.mHeight, "height"))
    return false;
  if (ar.IsComparing())
  {
    // A ceiling or floor opening read back would hold the share its
    // calculation fixes, so that is what is compared.
    double upper = 0;
    return ar.StoredMeasure(upper, "upper share") &&
           ar.Same(CVent::UpperShare(vent.mType, upper) == vent.mUpper);
  }
  return ar.Measure(vent.mUpper, "upper share");
}

bool SerializeVentTable(CByteArchive& ar, CVentTable& table)
{
  std::uint32_t count = static_cast<std::uint32_t>(table.Count());
  if (!ar.Count(count, VentMinBytes(ar.Version()), "opening count"))
    return false;
  CContextScope scope(ar, "opening");
  if (ar.IsStoring() && ar.Version() >= 2)
  {
    // The fixed-size records in one go, as SerializeVent writes them.
    CByteWriter& writer = *ar.Writer();
    for (std::size_t i = 0; i < table.Count(); ++i)
    {
      char record[kVentRecordBytes];
      EncodeVentRecord(*table.Get(i), record);
      writer.Raw(record, sizeof record);
    }
    return true;
  }
  if (ar.IsComparing() && ar.Version() >= 2)
  {
    // The fixed-size records straight from the bytes, compared as
    // SerializeVent compares them; a damaged record is a difference.
    CByteReader& reader = *ar.Reader();
    for (std::size_t i = 0; i < table.Count(); ++i)
    {
      const unsigned char* p = reader.Peek(kVentRecordBytes);
      std::uint32_t type = 0;
      std::uint32_t shape = 0;
      double width = 0;
      double height = 0;
      double upper = 0;
      if (!p || !DecodeVentRecord(p, type, shape, width, height, upper))
        return ar.Same(false);
      const CVent& vent = *table.Get(i);
      if (!ar.Same(static_cast<std::int32_t>(type) == vent.mType &&
                   static_cast<std::int32_t>(shape) == vent.mShape && width == vent.mWidth &&
                   height == vent.mHeight && CVent::UpperShare(vent.mType, upper) == vent.mUpper))
        return false;
      reader.Skip(kVentRecordBytes);
    }
    return true;
  }
  if (!ar.IsLoading())
  {
    for (std::size_t i = 0; i < table.Count(); ++i)
    {
      scope.Number(i + 1);
      if (!SerializeVent(ar, *table.Get(i)))
        return false;
    }
    return true;
  }
  table.Clear();
  table.Reserve(count);
  // The records of a file from version 2 on have a fixed size, and the
  // count has been checked against the bytes that remain: they are taken
  // straight from the bytes, as SerializeVent would read them, as long as
  // their measures are finite numbers. From a record that is not, the
  // reading goes on field by field, which says where the damage is.
  std::uint32_t i = 0;
  if (ar.Version() >= 2)
  {
    CByteReader& reader = *ar.Reader();
    const unsigned char* p = reader.Peek(std::size_t{count} * kVentRecordBytes);
    for (; p && i < count; ++i, p += kVentRecordBytes)
    {
      std::uint32_t type = 0;
      std::uint32_t shape = 0;
      double width = 0;
      double height = 0;
      double upper = 0;
      if (!DecodeVentRecord(p, type, shape, width, height, upper))
        break;
      table.AddStored(static_cast<std::int32_t>(type), static_cast<std::int32_t>(shape), width,
                      height, upper);
    }
    reader.Skip(std::size_t{i} * kVentRecordBytes);
  }
  // The figures of the openings read are calculated with their volume's.
  for (; i < count; ++i)
  {
    scope.Number(i + 1);
    CVent* vent = table.Add(VENT_WALL, SHAPE_RECTANGULAR, 0, 0, 1.0);
    if (!SerializeVent(ar, *vent))
      return false;
  }
  return true;
}

bool SerializeDeviceCounts(CByteArchive& ar, CDeviceCounts& counts)
{
  // Files before version 4 knew only the models from 100 g up.
  const int first = ar.Version() >= 4 ? 0 : 2;
  if (ar.IsLoading())
  {
    for (int m = 0; m < first; ++m)
      counts[static_cast<std::size_t>(m)] = 0;
    // All counts in one go when they are there; otherwise count by count,
    // which says where the file ends.
    const std::size_t bytes = 4 * static_cast<std::size_t>(DeviceModelCount - first);
    if (const unsigned char* p = ar.Reader()->Peek(bytes))
    {
      for (int m = first; m < DeviceModelCount; ++m, p += 4)
        counts[static_cast<std::size_t>(m)] = LittleEndian<std::uint32_t>(p);
      ar.Reader()->Skip(bytes);
      return true;
    }
  }
  for (int m = first; m < DeviceModelCount; ++m)
    if (!ar.U32(counts[static_cast<std::size_t>(m)], "device counts"))
      return false;
  return true;
}

namespace
{
// Notes (from version 1) and whether they go into the report (from
// version 3); a file older than either reads as none.
bool SerializeNotes(CByteArchive& ar, std::string& notes, bool& include, const char* notesWhat,
                    const char* includeWhat)
{
  if (ar.Version() >= 1)
  {
    if (!ar.String(notes, notesWhat))
      return false;
  }
  else if (ar.IsLoading())
  {
    notes.clear();
  }
  if (ar.Version() >= 3)
    return ar.Bool(include, includeWhat);
  if (ar.IsLoading())
    include = false;
  return true;
}
} // namespace

bool SerializeArea(CByteArchive& ar, CArea& area)
{
  if (!ar.String(area.mName, "name") || !ar.I32(area.mHazard, "hazard class") ||
      !ar.Measure(area.mLength, "length") || !ar.Measure(area.mWidth, "width") ||
      !ar.Measure(area.mHeight, "height") || !SerializeVentTable(ar, area.mVentTable) ||
      !SerializeDeviceCounts(ar, area.mDevice))
    return false;
  return SerializeNotes(ar, area.mNotes, area.mIncludeNotes, "notes", "include-notes flag");
}

bool SerializeAreaTable(CByteArchive& ar, CAreaTable& table)
{
  std::uint32_t count = static_cast<std::uint32_t>(table.Count());
  if (!ar.Count(count, AreaMinBytes(ar.Version()), "volume count"))
    return false;
  CContextScope scope(ar, "volume");
  if (!ar.IsLoading())
  {
    for (std::size_t i = 0; i < table.Count(); ++i)
    {
      scope.Number(i + 1);
      if (!SerializeArea(ar, *table.Get(i)))
        return false;
    }
    return true;
  }
  table.Clear();
  // The table holds each name once: a second volume of the same name cannot
  // be kept without losing one of them on the next save, so the file is
  // refused. While the names come in order, each is new when it follows the
  // one before; from the first out of order on, they are looked up among
  // the names read. The volumes then take their sorted places in one sort,
  // whatever the order of the file, rather than one insertion each.
  std::vector<std::unique_ptr<CArea>> read;
  read.reserve(count);
  std::unordered_set<std::string_view> names;
  bool ordered = true;
  for (std::uint32_t i = 0; i < count; ++i)
  {
    scope.Number(i + 1);
    auto area = std::make_unique<CArea>(table.Owner(), CArea::CStored{});
    if (!SerializeArea(ar, *area))
      return false;
    area->CalculateArea();
    const std::string_view name = area->mName; // the volume stays where it is
    if (ordered && !read.empty() && !(std::string_view(read.back()->mName) < name))
    {
      ordered = false;
      ar.NoteReordered();
      for (const auto& earlier : read)
        names.insert(earlier->mName);
    }
    if (!ordered && !names.insert(name).second)
      return ar.Fail("volume " + std::to_string(i + 1) + " has the name of an earlier volume (\"" +
                     Shown1252(name) + "\")");
    read.push_back(std::move(area));
  }
  if (!ordered)
    std::sort(read.begin(), read.end(),
              [](const std::unique_ptr<CArea>& a, const std::unique_ptr<CArea>& b)
              { return std::string_view(a->mName) < std::string_view(b->mName); });
  for (auto& area : read)
    table.Insert(std::move(area)); // each after the one before
  return true;
}

bool SerializeProject(CByteArchive& ar, CProject& p)
{
  std::uint32_t version = ar.Version();
  if (!ar.U32(version, "version"))
    return false;
  if (ar.IsLoading())
  {
    p.mVersion = version;
    if (version > kCurrentFileVersion)
      return false; // nothing else is read; the caller names the version
    ar.SetVersion(version);
  }
  bool ok = ar.String(p.mProject_Date, "project date") &&
            ar.String(p.mProject_Reference, "project reference") &&
            ar.String(p.mProject_Designer, "designer");
  if (ok)
  {
    CContextScope scope(ar, "distributor");
    ok = SerializeAddress(ar, p.mDistributor);
  }
  ok = ok && ar.String(p.mDistributor_Reference, "distributor reference");
  if (ok)
  {
    CContextScope scope(ar, "customer");
    ok = SerializeAddress(ar, p.mCustomer);
  }
  ok = ok && ar.String(p.mCustomer_Reference, "customer reference") &&
       ar.U32(p.mUnits, "unit system") && SerializeAreaTable(ar, p.mAreaTable);
  return ok && SerializeNotes(ar, p.mNotes, p.mIncludeNotes, "project notes",
                              "project include-notes flag");
}

namespace
{
// ReadProjectFile, telling also whether the file listed its volumes in the
// order the table holds them.
bool ReadImage(std::string_view bytes, CProject& project, std::string* error, bool& inOrder)
{
  CByteReader reader(bytes);
  CByteArchive ar(reader, 0);
  std::string reason;
  if (!SerializeProject(ar, project))
  {
    if (reader.Failed())
      reason = "damaged file: " + reader.Error();
    else
      reason = "version " + std::to_string(project.mVersion) + " is newer than this program reads (" +
               std::to_string(kCurrentFileVersion) + " at most)";
  }
  else if (!reader.ExpectEnd())
  {
    reason = "damaged file: " + reader.Error();
  }
  inOrder = !ar.Reordered();
  if (reason.empty())
    return true;
  if (error)
    *error = reason;
  return false;
}
} // namespace

bool ReadProjectFile(std::string_view bytes, CProject& project, std::string* error)
{
  bool inOrder = false;
  return ReadImage(bytes, project, error, inOrder);
}

bool ProjectMatchesImage(std::string_view image, const CProject& project)
{
  CByteReader reader(image);
  CByteArchive ar(reader, kCurrentFileVersion, CByteArchive::CCompare{});
  // Comparing only reads the project, as storing does.
  return SerializeProject(ar, const_cast<CProject&>(project)) && !ar.Differs() &&
         reader.ExpectEnd();
}

bool EncodeProjectFile(const CProject& project, std::string& bytes, std::string* error)
{
  CByteWriter writer;
  // About what the file will hold: texts and fixed fields of each volume
  // and 32 bytes an opening.
  std::size_t openings = 0;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    openings += project.mAreaTable.Get(i)->mVentTable.Count();
  writer.Reserve(4096 + 192 * project.mAreaTable.Count() + 32 * openings);
  CByteArchive ar(writer, kCurrentFileVersion);
  // Storing only reads the project; the serialise operations take it by
  // reference because the same code also loads.
  if (!SerializeProject(ar, const_cast<CProject&>(project)))
  {
    if (error)
      *error = "cannot be saved: " + writer.Error();
    return false;
  }
  bytes = writer.TakeBytes();
  if (!FitsReadLimit(bytes.size()))
  {
    if (error)
      *error = "cannot be saved: the file would be too large to be read again (" +
               ReadLimitText(bytes.size()) + ")";
    bytes.clear();
    return false;
  }
  return true;
}

namespace
{
// True when the file at the project's path is not the one of the stamp (the
// one the project last read or wrote), or appeared where there was none.
bool ChangedOnDisk(const CProject& project, const CFileStamp& known)
{
  // A folder in the way is no file to replace: the save says why it fails.
  std::error_code ec;
  if (known.mKind == CFileStamp::CKind::Unknown || std::filesystem::is_directory(project.mPath, ec))
    return false;
  const CFileStamp now = CurrentStamp(project.mPath);
  return now.mKind == CFileStamp::CKind::Present && now != known;
}

const char kChangedElsewhere[] =
    "the file was changed by another program since it was opened here, "
    "and it was kept as it is";
} // namespace

CProjectFileState::CProjectFileState() = default;
CProjectFileState::CProjectFileState(CProjectFileState&&) noexcept = default;
CProjectFileState& CProjectFileState::operator=(CProjectFileState&&) noexcept = default;
CProjectFileState::~CProjectFileState() = default;

namespace
{
// The snapshot of a project just written or read: the file image itself,
// which lists the volumes in the table's order.
std::unique_ptr<CProjectSnapshot> ImageSnapshot(const CProject& project, std::string image)
{
  return std::make_unique<CProjectSnapshot>(
    project, [image = std::move(image)](const CProject& p) { return ProjectMatchesImage(image, p); });
}
} // namespace

bool SaveProject(CProject& project, std::string* error)
{
  CProjectFileState file;
  return SaveProject(project, file, error);
}

bool LoadProject(CProject& project, std::string* error)
{
  CProjectFileState file;
  return LoadProject(project, file, error);
}

bool SaveProject(CProject& project, CProjectFileState& state, std::string* error)
{
  const std::string& path = project.mPath;
  if (path.empty())
  {
    if (error)
      *error = "the project has no file name";
    return false;
  }
  if (state.mReadOnly)
  {
    if (error)
      *error = path + ": another copy of the program had the project open, so it was opened "
                      "read-only here; Save As keeps the changes under another name";
    return false;
  }
  // The file the save may replace: the one last read or written, or the
  // changed one when the user lets the save replace it.
  CFileStamp replaced = state.mDiskStamp;
  if (ChangedOnDisk(project, replaced))
  {
    if (!(state.mChangedFileQuestion && state.mChangedFileQuestion(project)))
    {
      if (error)
        *error = path + ": " + kChangedElsewhere;
      return false;
    }
    replaced = CurrentStamp(path);
  }
  std::string bytes;
  std::string reason;
  if (!EncodeProjectFile(project, bytes, &reason))
  {
    if (error)
      *error = path + ": " + reason;
    return false;
  }
  CSafeFile file(path);
  if (state.mMark)
    file.KeepMarked();
  // Asked again right before the rename, under the lock every save of the
  // file takes: a change another copy saved meanwhile is never replaced.
  file.CheckBeforeReplace(
      [&](std::string* why)
      {
        if (!ChangedOnDisk(project, replaced))
          return true;
        *why = kChangedElsewhere;
        return false;
      });
  if (!file.Open() || !file.Write(bytes) || !file.Commit())
  {
    if (error)
      *error = file.Error();
    return false;
  }
  state.mDiskStamp = file.Stamp();
  if (state.mMark)
    state.mMark->Adopt(file.TakeMarked());
  project.mVersion = kCurrentFileVersion;
  // What was just written is the snapshot: no second pass over the project.
  project.mSaved = ImageSnapshot(project, std::move(bytes));
  return true;
}

bool LoadProject(CProject& project, CProjectFileState& state, std::string* error)
{
  const std::string& path = project.mPath;
  if (path.empty())
  {
    if (error)
      *error = "the project has no file name";
    return false;
  }
  std::string bytes;
  CFileStamp stamp;
  if (!ReadFileBytes(path, bytes, error, &stamp))
    return false;
  // Read into a scratch project and take it over only when the whole file
  // has been read, so a refused file leaves this project as it was.
  CProject scratch;
  std::string reason;
  bool inOrder = false;
  bool read = false;
  try
  {
    read = ReadImage(bytes, scratch, &reason, inOrder);
  }
  catch (const std::bad_alloc&)
  {
    reason = "there is not enough memory to read it";
  }
  if (!read)
  {
    if (error)
      *error = path + ": " + reason;
    return false;
  }
  scratch.mName = project.mName;
  scratch.mPath = path;
  project.TakeFrom(scratch);
  state.mDiskStamp = stamp;
  // The bytes read are the snapshot when they list the volumes in the
  // table's order, as every file the program writes does.
  if (inOrder)
    project.mSaved = ImageSnapshot(project, std::move(bytes));
  else
    project.TakeSnapshot();
  return true;
}
