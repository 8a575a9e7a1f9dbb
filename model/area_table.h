#pragma once
// The project's volumes, kept sorted by name.

#include "model/area.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CProject;

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
  // The volume of that identity, or nullptr.
  CArea* FindId(CVolumeId id) const;
  // Collapses the spaces of the name; false for an empty or taken name.
  bool AddNew(std::string_view name, int hazard);
  void RemoveByName(std::string_view name);
  // Gives the volume of that identity a new name (spaces collapsed) and its
  // sorted place; it stays the same object. False, nothing changed, for an
  // empty or taken name or an unknown volume.
  bool Rename(CVolumeId id, std::string_view name);
  // Adds a copy of the volume, openings, devices and notes included, under
  // the name, as a volume of its own; false for an empty or taken name.
  bool AddCopy(const CArea& source, std::string_view name);
  // Gives several volumes the names at once, as an undo brings them back:
  // names may pass from one to another among them. The names must leave
  // the table's names unique.
  void Rename(const std::vector<std::pair<CVolumeId, std::string>>& names);
  bool Differs(const CAreaTable& other) const;
  void Assign(const CAreaTable& other);
  // Takes the other table's volumes over without copying them; the other
  // table is left empty.
  void TakeFrom(CAreaTable& other);
  void Clear() { mAreas.clear(); }

  // For the file reader, which appends volumes in file order: takes the
  // volume into its sorted place; false (volume dropped) for a taken name.
  // A volume without an identity gets a new one; one that has one (a volume
  // the undo history brings back) keeps it.
  bool Insert(std::unique_ptr<CArea> area);
  CProject* Owner() const { return mOwner; }

private:
  void Identify(CArea& area);
  // Takes the volume out of the table, keeping it alive.
  std::unique_ptr<CArea> Take(CVolumeId id);

  CProject* mOwner;
  // The last identity handed out; identities are never handed out twice.
  CVolumeId mLastId = 0;
  std::vector<std::unique_ptr<CArea>> mAreas;
};
