#pragma once
// One design job: identity, addresses, units, notes and its volumes.

#include "model/address.h"
#include "model/area.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CProject;
class CTextLines;

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
// snapshot is a test the file side hands over (the file image itself,
// compared field by field when asked); otherwise volumes and openings are
// held as flat records. Either way
// keeping the snapshot of a project of ten thousand volumes costs at most
// one pass and two allocations.
class CProjectSnapshot
{
public:
  // Records of the project's stored fields as they stand.
  explicit CProjectSnapshot(const CProject& project);
  // True when the project's stored fields (other than name and path) are
  // still what was written or read.
  using CMatches = std::function<bool(const CProject& project)>;
  CProjectSnapshot(const CProject& project, CMatches matches);
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
  // When set, every stored field is compared through it; the fields above
  // other than name and path are then unused.
  CMatches mMatches;
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
  void ClearDesigner() { mProject_Designer.clear(); }
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
  // Calculates every volume, then tells mRecalculated.
  void RecalculateProject();
  // The list of the project's Errors page.
  void ErrorSummary(CTextLines& lines) const;
  // Sum of the volumes' mVolume, in table order.
  double TotalVolume() const;
  // The device counts summed model by model.
  CDeviceCounts TotalDevices() const;

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
  // Run time only: told after every calculation (the document that holds
  // the project passes it on to its observers).
  std::function<void()> mRecalculated;
};

// The default distributor kept by the program for its whole run; new
// projects start with it.
const CAddress& DefaultDistributor();
void SetDefaultDistributor(const CAddress& address);
