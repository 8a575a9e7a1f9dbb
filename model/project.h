#pragma once
// One design job: identity, addresses, units, notes and its volumes.

#include "model/address.h"
#include "model/area.h"
#include "storage/file_stamp.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CProject;
class CTextLines;
class CWindowNotifier;
class CAddressBook;
class CNameList;
class CFileMark;

constexpr std::uint32_t kCurrentFileVersion = 4;

// "Volume" then, for a named volume, a space and the name in double quotes; then ":".
std::string VolumeTitle(const CArea& area);

// Today's local date in the locale's short form ("%x"); empty if it cannot be formed.
std::string TodayDate();

// The project's volumes, sorted by name in byte order, names unique.
class CAreaTable
{
public:
  explicit CAreaTable(CProject* owner) : mOwner(owner) {}
  CAreaTable(const CAreaTable&) = delete;
  CAreaTable& operator=(const CAreaTable&) = delete;

  std::size_t Count() const { return mAreas.size(); }
  CArea* Get(std::size_t index) const
  {
    return index < mAreas.size() ? mAreas[index].get() : nullptr;
  }
  // Bisection by name: the volume or nullptr, and where it would be inserted.
  CArea* Find(std::string_view name, std::size_t* position = nullptr) const;
  // Collapses the spaces of the name; false for an empty or taken name.
  bool AddNew(std::string_view name, int hazard);
  void RemoveByName(std::string_view name);
  bool Differs(const CAreaTable& other) const;
  void Assign(const CAreaTable& other);
  // Takes the other table's volumes over without copying them; the other
  // table is left empty.
  void TakeFrom(CAreaTable& other);
  void Clear() { mAreas.clear(); }

  // For the file reader, which appends volumes in file order: takes the
  // volume into its sorted place; false (volume dropped) for a taken name.
  bool Insert(std::unique_ptr<CArea> area);
  CProject* Owner() const { return mOwner; }

private:
  CProject* mOwner;
  std::vector<std::unique_ptr<CArea>> mAreas;
};

// The stored fields of a project as it was last saved or read, kept for the
// change test. Nothing of the model is copied: after a save or a read the
// snapshot is the file image itself, compared field by field when asked;
// otherwise volumes and openings are held as flat records. Either way
// keeping the snapshot of a project of ten thousand volumes costs at most
// one pass and two allocations.
class CProjectSnapshot
{
public:
  // Records of the project's stored fields as they stand.
  explicit CProjectSnapshot(const CProject& project);
  // The file image just written or read for the project, which lists the
  // volumes in the table's order.
  CProjectSnapshot(const CProject& project, std::string image);
  // True when a field held here differs in the project.
  bool Differs(const CProject& project) const;

private:
  struct CVentRecord
  {
    std::int32_t mType;
    std::int32_t mShape;
    double mWidth;
    double mHeight;
    double mUpper;
  };
  struct CAreaRecord
  {
    std::string mName;
    std::string mNotes;
    bool mIncludeNotes;
    std::int32_t mHazard;
    double mLength;
    double mWidth;
    double mHeight;
    CDeviceCounts mDevice;
    std::size_t mVents; // its openings, next in mVents
  };
  static CVentRecord Record(const CVent& vent);
  static bool Same(const CAreaRecord& record, const CArea& area);

  std::string mName;
  std::string mPath;
  std::string mProject_Date;
  std::string mProject_Reference;
  std::string mProject_Designer;
  CAddress mDistributor;
  std::string mDistributor_Reference;
  CAddress mCustomer;
  std::string mCustomer_Reference;
  std::uint32_t mUnits;
  std::string mNotes;
  bool mIncludeNotes;
  std::vector<CAreaRecord> mAreas;
  std::vector<CVentRecord> mVents;
  // When set, every stored field is compared with it; the fields above
  // other than name and path are then unused.
  std::string mImage;
  bool mHasImage = false;
};

class CProject
{
public:
  // A new project: empty texts, metric, no volumes, no snapshot, and the
  // program's default distributor.
  CProject();
  CProject(const CProject&) = delete;
  CProject& operator=(const CProject&) = delete;
  ~CProject();

  // Name, path name.ad and today's date.
  void SetName(std::string_view name);
  void SetProjectReference(std::string_view text);
  void SetDistributorReference(std::string_view text);
  void SetCustomerReference(std::string_view text);
  // Only when the designer list holds the name.
  bool SetDesigner(std::string_view name, const CNameList& designers);
  void ClearDesigner() { mProject_Designer.clear(); }
  // Only when the customer book holds the name.
  bool SetCustomer(std::string_view name, const CAddressBook& customers);
  // Accepts 0 and 1 only.
  bool SetUnits(std::uint32_t units);

  bool IsModified() const;
  // Bitwise OR of every volume's mWarnings.
  std::uint32_t CombinedWarnings() const;
  // The names of the volumes below their UL minimum density, in table order.
  std::vector<std::string> VolumesBelowULDensity() const;
  // Copies the persistent fields (as the snapshot does) from another project.
  void CopyFrom(const CProject& other);
  // The same fields taken over from a project about to be thrown away: its
  // volumes move here instead of being copied.
  void TakeFrom(CProject& other);
  // Overwrites the snapshot with the current persistent fields.
  void TakeSnapshot();
  // Calculates every volume, then asks the open windows to refresh.
  void RecalculateProject();
  // The list of the project's Errors page.
  void ErrorSummary(CTextLines& lines) const;
  // Sum of the volumes' mVolume, in table order.
  double TotalVolume() const;
  // The device counts summed model by model.
  CDeviceCounts TotalDevices() const;

  // Reads and writes the project file at mPath; false with a reason on failure.
  bool Save(std::string* error = nullptr);
  bool Load(std::string* error = nullptr);

  std::string mNotes;
  bool mIncludeNotes = false;
  CAreaTable mAreaTable;
  std::string mName;
  std::string mPath;
  std::string mProject_Date;
  std::string mProject_Reference;
  std::string mProject_Designer;
  CAddress mDistributor;
  std::string mDistributor_Reference;
  CAddress mCustomer;
  std::string mCustomer_Reference;
  std::uint32_t mUnits = 0;
  std::unique_ptr<CProjectSnapshot> mSaved;
  std::uint32_t mVersion = 0;
  CWindowNotifier* mProjectWindow = nullptr; // run time only
  CWindowNotifier* mReportWindow = nullptr;  // run time only
  // Run time only, never copied: the file as this project last read or
  // wrote it (a save asks before replacing a file changed since); whether
  // another copy of the program had the project open when it was opened
  // here (a save over its file is refused: Save As keeps the changes); and
  // this copy's mark on the file while the project is open (none outside
  // the desktop program), carried over to the new file by each save.
  CFileStamp mDiskStamp;
  bool mReadOnly = false;
  std::unique_ptr<CFileMark> mMark;
};

// The projects that have a window, sorted by name, found by bisection.
class COpenProjects
{
public:
  std::size_t Count() const { return mProjects.size(); }
  bool Empty() const { return mProjects.empty(); }
  CProject* Get(std::size_t index) const;
  CProject* Find(std::string_view name) const;
  // False (project not taken) when a project of that name is open already.
  bool Insert(std::unique_ptr<CProject> project);
  // Takes the project out and hands it back; nullptr when not open.
  std::unique_ptr<CProject> Remove(const CProject* project);
  std::vector<std::string> Names() const;

private:
  std::size_t LowerBound(std::string_view name) const;
  std::vector<std::unique_ptr<CProject>> mProjects;
};

// The program's one set of open projects.
COpenProjects& OpenProjects();

// The default distributor kept by the program for its whole run; new
// projects start with it.
const CAddress& DefaultDistributor();
void SetDefaultDistributor(const CAddress& address);
