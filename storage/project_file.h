#pragma once
// The project file "NAME.ad": a version word, then the project record with
// its addresses, volumes, openings and device counts. Every serialise
// operation below writes its record when the archive is storing and reads it
// back otherwise, in the same field order, following the archive's version
// (0 to 4 are read, 4 is written). Computed figures are not stored; a read
// volume is calculated again.

#include "model/device_model.h"
#include "storage/byte_archive.h"
#include "storage/file_stamp.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class CArea;
class CFileMark;
class CAreaTable;
class CProject;
class CVent;
class CVentTable;
struct CAddress;

bool SerializeAddress(CByteArchive& ar, CAddress& address);
bool SerializeVent(CByteArchive& ar, CVent& vent);
bool SerializeVentTable(CByteArchive& ar, CVentTable& table);
bool SerializeDeviceCounts(CByteArchive& ar, CDeviceCounts& counts);
bool SerializeArea(CByteArchive& ar, CArea& area);
bool SerializeAreaTable(CByteArchive& ar, CAreaTable& table);
// Reads the version at the head of the file into the archive and mVersion.
bool SerializeProject(CByteArchive& ar, CProject& project);

// Reads a whole project file image into a fresh project (name and path are
// left alone). False with the reason, saying where, when the bytes are
// damaged or of a newer version; the project is then partly read and must be
// thrown away.
bool ReadProjectFile(std::string_view bytes, CProject& project, std::string* error = nullptr);

// True when the stored fields of the project are what the image holds,
// volume by volume in the table's order (name and path are not stored): the
// change test against what was last saved or read.
bool ProjectMatchesImage(std::string_view image, const CProject& project);

// The current-version image of the project; false with the reason when a
// text is too long for the format or the image too large to be read again.
bool EncodeProjectFile(const CProject& project, std::string& bytes, std::string* error = nullptr);

// Asked before a save replaces a project file that is not the one the
// project last read or wrote (another program wrote it meanwhile, or made
// it where there was none); true lets the save replace it.
using CChangedFileQuestion = std::function<bool(const CProject& project)>;

// What this copy of the program knows of the file of a project it has open,
// never stored: the file as the project last read or wrote it (a save asks
// before replacing a file changed since); whether another copy of the
// program had the project open when it was opened here (a save over its
// file is refused: Save As keeps the changes); and this copy's mark on the
// file while the project is open (none outside the desktop program),
// carried over to the new file by each save. The question is set by whoever
// opens the project (the desktop program asks its user); without one a save
// over a changed file is refused.
struct CProjectFileState
{
  CProjectFileState();
  CProjectFileState(CProjectFileState&&) noexcept;
  CProjectFileState& operator=(CProjectFileState&&) noexcept;
  ~CProjectFileState();

  CFileStamp mDiskStamp;
  bool mReadOnly = false;
  std::unique_ptr<CFileMark> mMark;
  CChangedFileQuestion mChangedFileQuestion;
};

// Reads and writes the project file at the project's mPath; false with a
// reason on failure. A save writes the whole file safely and replaces the
// project's snapshot; it checks that the file is still the one it may
// replace and renames the new one over it as one step for the other copies
// of the program (see CSafeFile::CheckBeforeReplace); a read takes the file over only when all of
// it reads. Without a state of its own each call starts from nothing known of the file.
bool SaveProject(CProject& project, CProjectFileState& file, std::string* error = nullptr);
bool LoadProject(CProject& project, CProjectFileState& file, std::string* error = nullptr);
bool SaveProject(CProject& project, std::string* error = nullptr);
bool LoadProject(CProject& project, std::string* error = nullptr);
