#pragma once
// Recovery copies: while a project has unsaved changes, the desktop program
// keeps a copy of it in the user's state folder, so that a crash or a power
// cut loses at most the last minute of work. Each copy is two files in the
// recovery folder, both written safely:
//   ID.ad    the project in the project file format;
//   ID.info  a small text record: the project's name, the work folder its
//            file lives in, when the copy was written and the stamp of the
//            file the unsaved changes started from.
// ID is "SESSION-N": SESSION is sixteen hex digits drawn by each running
// program, N counts its copies. No file name is ever built from a project
// name. A running program holds a lock on ".SESSION.lock" (see CLockFile)
// for its whole run, so that the copies of a program that is still running
// are told from those a crashed one left behind.

#include "storage/file_stamp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CLockFile;
class CProject;

struct CRecoveryRecord
{
  std::string mName;         // the project's name
  std::string mFolder;       // the work folder holding its file "NAME.ad"
  std::int64_t mWritten = 0; // seconds since the epoch
  CFileStamp mBase;          // the project file as the unsaved changes started from it
};

std::string EncodeRecoveryRecord(const CRecoveryRecord& record);
// False with the reason when the text is not a complete record, or names a
// project that no project file could have (empty, or with a '/' or '\').
bool DecodeRecoveryRecord(std::string_view text, CRecoveryRecord& record,
                          std::string* error = nullptr);

// A copy found in the recovery folder.
struct CRecoveryCopy
{
  std::string mId;
  CRecoveryRecord mRecord;
  // Why the copy cannot be restored; empty when its record reads (its
  // project image is read only when it is restored).
  std::string mProblem;
};

// $XDG_STATE_HOME/vantor/recovery; an unset or relative XDG_STATE_HOME means
// HOME/.local/state. Empty when neither gives an absolute folder.
std::string RecoveryFolderFor(const char* stateHome, const char* home);
// The same from the environment.
std::string DefaultRecoveryFolder();

class CRecoveryStore
{
public:
  explicit CRecoveryStore(std::string folder);
  CRecoveryStore(const CRecoveryStore&) = delete;
  CRecoveryStore& operator=(const CRecoveryStore&) = delete;
  // Lets go of this program's session and of every session taken over.
  ~CRecoveryStore();

  // Creates the folder (for this user alone) when missing and starts this
  // program's session under a lock; false with the reason when either
  // fails (no copies can then be told apart safely, so none are written).
  bool Open(std::string* error = nullptr);
  const std::string& Folder() const { return mFolder; }

  // A new copy name of this session.
  std::string NewId();
  // Writes the copy's image, then its record, each safely; false with the
  // reason on failure. Safe to call from a worker thread (it touches only
  // the copy's files).
  bool Write(const std::string& id, const CRecoveryRecord& record, std::string_view image,
             std::string* error = nullptr);
  // Removes both files of the copy (missing ones are fine).
  void Remove(const std::string& id);

  // The copies of programs no longer running, oldest first. Their sessions
  // are taken over (locked) until Release, so that two programs starting
  // together never offer the same copy; a session whose lock is held by a
  // running program is skipped, and so is one whose lock cannot be had at
  // all. Lock files of ended sessions without copies, and the leftovers of
  // interrupted writes, are cleared away.
  std::vector<CRecoveryCopy> LeftCopies();
  // Reads the copy's project image into a fresh project (its name and path
  // are left alone); false with the reason when it is missing or damaged.
  bool Read(const CRecoveryCopy& copy, CProject& project, std::string* error = nullptr) const;
  // Lets go of the sessions LeftCopies took over; their remaining copies
  // are offered again at the next start.
  void Release();

  std::string ImagePath(const std::string& id) const;
  std::string RecordPath(const std::string& id) const;

private:
  std::string mFolder;
  std::string mSession;
  std::unique_ptr<CLockFile> mLock;
  unsigned mNext = 0;
  std::vector<std::unique_ptr<CLockFile>> mTaken;
};
