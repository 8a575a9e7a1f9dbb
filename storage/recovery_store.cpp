#include "storage/recovery_store.h"

#include "storage/byte_reader.h"
#include "storage/catalogue.h"
#include "storage/lock_file.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "text/shown_text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
constexpr char kRecordHead[] = "Vantor recovery copy 1";
constexpr char kImageSuffix[] = ".ad";
constexpr char kRecordSuffix[] = ".info";
constexpr std::size_t kSessionLength = 16;

bool IsHex(char c)
{
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}
bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

bool IsSession(std::string_view text)
{
  return text.size() == kSessionLength && std::all_of(text.begin(), text.end(), IsHex);
}

// "SESSION-N" exactly as NewId makes it.
bool IsCopyId(std::string_view id)
{
  if (id.size() < kSessionLength + 2 || id.size() > kSessionLength + 11 ||
      id[kSessionLength] != '-')
    return false;
  const std::string_view number = id.substr(kSessionLength + 1);
  return IsSession(id.substr(0, kSessionLength)) &&
         std::all_of(number.begin(), number.end(), IsDigit);
}

// The copy a file name of the folder belongs to; empty for any other name.
std::string CopyIdOf(std::string_view name)
{
  for (std::string_view suffix : {std::string_view(kImageSuffix), std::string_view(kRecordSuffix)})
    if (name.size() > suffix.size() && name.ends_with(suffix) &&
        IsCopyId(name.substr(0, name.size() - suffix.size())))
      return std::string(name.substr(0, name.size() - suffix.size()));
  return {};
}

// The session of a lock file ".SESSION.lock"; empty for any other name.
std::string LockedSessionOf(std::string_view name)
{
  constexpr std::string_view suffix = ".lock";
  if (name.size() != 1 + kSessionLength + suffix.size() || name[0] != '.' ||
      !name.ends_with(suffix))
    return {};
  const std::string_view session = name.substr(1, kSessionLength);
  return IsSession(session) ? std::string(session) : std::string();
}

// Bytes that would break a line, and '%' itself, become %XX.
std::string Escape(std::string_view text)
{
  std::string out;
  for (unsigned char c : text)
  {
    if (c < 0x20 || c == 0x7f || c == '%')
    {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
    else
      out += static_cast<char>(c);
  }
  return out;
}

bool Unescape(std::string_view text, std::string& out)
{
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i)
  {
    if (text[i] != '%')
    {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
      return false;
    out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
    i += 2;
  }
  return true;
}

bool ParseInt(std::string_view text, std::int64_t& value)
{
  const std::string copy(text);
  if (copy.empty())
    return false;
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(copy.c_str(), &end, 10);
  if (errno != 0 || end != copy.c_str() + copy.size())
    return false;
  value = parsed;
  return true;
}

std::string EncodeStamp(const CFileStamp& stamp)
{
  const char* kind = stamp.mKind == CFileStamp::CKind::Present  ? "present"
                     : stamp.mKind == CFileStamp::CKind::Absent ? "absent"
                                                                : "unknown";
  char fields[100];
  std::snprintf(fields, sizeof fields, " %llu %llu %lld %lld",
                static_cast<unsigned long long>(stamp.mDevice),
                static_cast<unsigned long long>(stamp.mInode), static_cast<long long>(stamp.mSize),
                static_cast<long long>(stamp.mModified));
  return std::string(kind) + (stamp.mKind == CFileStamp::CKind::Present ? fields : "");
}

bool DecodeStamp(std::string_view text, CFileStamp& stamp)
{
  stamp = {};
  if (text == "unknown")
    return true;
  if (text == "absent")
  {
    stamp.mKind = CFileStamp::CKind::Absent;
    return true;
  }
  unsigned long long device = 0, inode = 0;
  long long size = 0, modified = 0;
  char tail = 0;
  const std::string copy(text);
  if (std::sscanf(copy.c_str(), "present %llu %llu %lld %lld%c", &device, &inode, &size, &modified,
                  &tail) != 4)
    return false;
  stamp.mKind = CFileStamp::CKind::Present;
  stamp.mDevice = device;
  stamp.mInode = inode;
  stamp.mSize = size;
  stamp.mModified = modified;
  return true;
}

std::string DrawSession()
{
  std::random_device device;
  std::string session;
  while (session.size() < kSessionLength)
    session += "0123456789abcdef"[device() % 16];
  return session;
}

bool Fail(std::string* error, std::string text)
{
  if (error)
    *error = std::move(text);
  return false;
}
} // namespace

std::string EncodeRecoveryRecord(const CRecoveryRecord& record)
{
  return std::string(kRecordHead) + "\nname=" + Escape(record.mName) +
         "\nfolder=" + Escape(record.mFolder) + "\nwritten=" + std::to_string(record.mWritten) +
         "\nbase=" + EncodeStamp(record.mBase) + "\n";
}

bool DecodeRecoveryRecord(std::string_view text, CRecoveryRecord& record, std::string* error)
{
  record = {};
  const std::string head = std::string(kRecordHead) + "\n";
  if (!text.starts_with(head))
    return Fail(error, "it is not a recovery record");
  text.remove_prefix(head.size());
  bool name = false, folder = false, written = false, base = false;
  while (!text.empty())
  {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos)
      return Fail(error, "its record is cut short");
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    const std::size_t equals = line.find('=');
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? "" : line.substr(equals + 1);
    bool ok = equals != std::string_view::npos;
    if (key == "name")
      ok = ok && Unescape(value, record.mName) && (name = true);
    else if (key == "folder")
      ok = ok && Unescape(value, record.mFolder) && (folder = true);
    else if (key == "written")
      ok = ok && ParseInt(value, record.mWritten) && (written = true);
    else if (key == "base")
      ok = ok && DecodeStamp(value, record.mBase) && (base = true);
    // Other keys are for later versions of the record.
    if (!ok)
      return Fail(error, "its record has a damaged line \"" + Shown1252(key) + "\"");
  }
  if (!name || !folder || !written || !base)
    return Fail(error, "its record is incomplete");
  if (record.mName.empty() || HasPathSeparator(record.mName) ||
      record.mName.find('\0') != std::string::npos)
    return Fail(error, "its record names no valid project");
  if (!record.mFolder.starts_with('/') || record.mFolder.find('\0') != std::string::npos)
    return Fail(error, "its record names no valid work folder");
  return true;
}

std::string RecoveryFolderFor(const char* stateHome, const char* home)
{
  fs::path base;
  if (stateHome && stateHome[0] == '/')
    base = stateHome;
  else if (home && home[0] == '/')
    base = fs::path(home) / ".local" / "state";
  else
    return {};
  return (base / "vantor" / "recovery").string();
}

std::string DefaultRecoveryFolder()
{
  return RecoveryFolderFor(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

CRecoveryStore::CRecoveryStore(std::string folder) : mFolder(std::move(folder))
{
}

CRecoveryStore::~CRecoveryStore() = default;

bool CRecoveryStore::Open(std::string* error)
{
  if (mFolder.empty())
    return Fail(error, "no folder for recovery copies is known");
  std::error_code ec;
  fs::create_directories(mFolder, ec);
  if (ec || !fs::is_directory(mFolder, ec))
    return Fail(error, "the folder \"" + mFolder + "\" cannot be made: " + ec.message());
  // The copies hold the user's projects: this user alone may read them.
  ::chmod(mFolder.c_str(), S_IRWXU);
  mSession = DrawSession();
  mLock = std::make_unique<CLockFile>(mFolder + "/" + mSession);
  if (mLock->TryLock() != CLockFile::CState::Held)
  {
    mLock.reset();
    mSession.clear();
    return Fail(error, "the folder \"" + mFolder + "\" cannot be locked");
  }
  return true;
}

std::string CRecoveryStore::NewId()
{
  return mSession + "-" + std::to_string(++mNext);
}

std::string CRecoveryStore::ImagePath(const std::string& id) const
{
  return mFolder + "/" + id + kImageSuffix;
}

std::string CRecoveryStore::RecordPath(const std::string& id) const
{
  return mFolder + "/" + id + kRecordSuffix;
}

bool CRecoveryStore::Write(const std::string& id, const CRecoveryRecord& record,
                           std::string_view image, std::string* error)
{
  return WriteFileSafely(ImagePath(id), image, error) &&
         WriteFileSafely(RecordPath(id), EncodeRecoveryRecord(record), error);
}

void CRecoveryStore::Remove(const std::string& id)
{
  // The record first: an image left alone is still offered, for discard.
  std::error_code ec;
  fs::remove(RecordPath(id), ec);
  fs::remove(ImagePath(id), ec);
}

std::vector<CRecoveryCopy> CRecoveryStore::LeftCopies()
{
  std::vector<std::string> ids;
  std::vector<std::string> sessions;
  std::error_code ec;
  for (fs::directory_iterator it(mFolder, ec), end; !ec && it != end; it.increment(ec))
  {
    const std::string name = it->path().filename().string();
    if (std::string id = CopyIdOf(name); !id.empty())
    {
      ids.push_back(id);
      sessions.push_back(id.substr(0, kSessionLength));
    }
    else if (std::string session = LockedSessionOf(name); !session.empty())
      sessions.push_back(session);
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  std::sort(sessions.begin(), sessions.end());
  sessions.erase(std::unique(sessions.begin(), sessions.end()), sessions.end());

  std::vector<std::string> ended;
  for (const std::string& session : sessions)
  {
    if (session == mSession)
      continue;
    auto lock = std::make_unique<CLockFile>(mFolder + "/" + session);
    if (lock->TryLock() != CLockFile::CState::Held)
      continue;
    ended.push_back(session);
    mTaken.push_back(std::move(lock));
  }
  RemoveLeftoverTemporariesIn(mFolder,
                              [](std::string_view name) { return !CopyIdOf(name).empty(); });

  std::vector<CRecoveryCopy> copies;
  for (const std::string& id : ids)
  {
    if (!std::binary_search(ended.begin(), ended.end(), id.substr(0, kSessionLength)))
      continue;
    CRecoveryCopy copy;
    copy.mId = id;
    std::string text;
    std::string why;
    if (!fs::exists(RecordPath(id), ec))
      copy.mProblem = "its record is missing";
    else if (!ReadFileBytes(RecordPath(id), text, &why))
      copy.mProblem = "its record cannot be read: " + why;
    else if (!DecodeRecoveryRecord(text, copy.mRecord, &why))
      copy.mProblem = why;
    else if (!fs::exists(ImagePath(id), ec))
      copy.mProblem = "its project file is missing";
    copies.push_back(std::move(copy));
  }
  std::stable_sort(copies.begin(), copies.end(),
                   [](const CRecoveryCopy& a, const CRecoveryCopy& b)
                   { return a.mRecord.mWritten < b.mRecord.mWritten; });
  return copies;
}

bool CRecoveryStore::Read(const CRecoveryCopy& copy, CProject& project, std::string* error) const
{
  std::string image;
  if (!ReadFileBytes(ImagePath(copy.mId), image, error))
    return false;
  return ReadProjectFile(image, project, error);
}

void CRecoveryStore::Release()
{
  mTaken.clear();
}
