#pragma once
// What a project held when it was last saved or read, for the change test.

#include "model/address.h"
#include "model/device_model.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CArea;
class CProject;
class CVent;

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
