#pragma once
// One design job: identity, addresses, units, notes and its volumes.

#include "model/address.h"
#include "model/area_table.h"
#include "model/project_snapshot.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CTextLines;

constexpr std::uint32_t kCurrentFileVersion = 4;

class CProject
{
public:
  // A new project: empty texts and addresses, metric, no volumes, no
  // snapshot. The desktop program gives a new project its default
  // distributor (storage/default_distributor.h).
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
