#pragma once
// The edits of a project, one small type a kind. Each names the volumes it
// is about by identity (which survives a rename), says what it touches,
// checks and applies itself and has its name for the Edit menu.
// CProjectDocument::Apply is the one place that runs them: it keeps the
// undo images of what the edit touches, calculates the project once and
// tells the observers what changed.

#include "model/address.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/vent.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

class CProject;
struct CSchedule;

// What an edit may change, declared before it is applied: the undo history
// keeps exact images of these and of nothing else.
struct CEditTouches
{
  // Volumes it may change or remove.
  std::vector<CVolumeId> mVolumes;
  // Volumes it may add, by the names they get (names are unique).
  std::vector<std::string> mNewNames;
  // The project's own fields: references, designer, addresses, notes, units.
  bool mHeader = false;
  // The unit system: every figure the windows show changes with it.
  bool mUnits = false;

  static CEditTouches Volumes(std::vector<CVolumeId> volumes)
  {
    CEditTouches touches;
    touches.mVolumes = std::move(volumes);
    return touches;
  }
  static CEditTouches Header(bool units = false)
  {
    CEditTouches touches;
    touches.mHeader = true;
    touches.mUnits = units;
    return touches;
  }
};

namespace edit
{
// The volume's length, width and height in metres; a size that is no usable
// length keeps its old value and is named in the refusal.
struct SetVolumeSize
{
  static constexpr const char* kName = "Volume Size";
  CVolumeId mVolume = 0;
  double mLength = 0, mWidth = 0, mHeight = 0;
  std::string Refusal(const CProject& project) const;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct AddOpening
{
  static constexpr const char* kName = "New Opening";
  CVolumeId mVolume = 0;
  CVentValues mValues{};
  std::string Refusal(const CProject& project) const;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct ChangeOpening
{
  static constexpr const char* kName = "Edit Opening";
  CVolumeId mVolume = 0;
  std::size_t mIndex = 0;
  CVentValues mValues{};
  std::string Refusal(const CProject& project) const;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

// The openings at the indices, in any order; refused when one is out of range.
struct DeleteOpenings
{
  CVolumeId mVolume = 0;
  std::vector<std::size_t> mIndices;
  std::string Name() const;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

// The copy sorts right behind its source.
struct DuplicateOpening
{
  static constexpr const char* kName = "Duplicate Opening";
  CVolumeId mVolume = 0;
  std::size_t mIndex = 0;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct SetDeviceCount
{
  static constexpr const char* kName = "Device Count";
  CVolumeId mVolume = 0;
  int mModel = 0;
  std::uint32_t mCount = 0;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

// Every model's count at once, as Propose sets them.
struct SetDeviceCounts
{
  static constexpr const char* kName = "Propose Devices";
  CVolumeId mVolume = 0;
  CDeviceCounts mCounts{};
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct SetHazard
{
  static constexpr const char* kName = "Hazard Class";
  CVolumeId mVolume = 0;
  int mHazard = 0;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct SetVolumeNotes
{
  static constexpr const char* kName = "Volume Notes";
  CVolumeId mVolume = 0;
  // As stored: the caller has made them fit the file's character set.
  std::string mNotes;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct SetIncludeVolumeNotes
{
  static constexpr const char* kName = "Include Volume Notes";
  CVolumeId mVolume = 0;
  bool mInclude = false;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

struct SetUnits
{
  static constexpr const char* kName = "Units";
  std::uint32_t mUnits = 0;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(true); }
  bool Apply(CProject& project) const;
};

// The three references collapse their spaces; a text that leaves the
// reference as it was changes nothing.
struct SetProjectReference
{
  static constexpr const char* kName = "Project Reference";
  std::string mText;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

struct SetDistributorReference
{
  static constexpr const char* kName = "Distributor Reference";
  std::string mText;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

struct SetCustomerReference
{
  static constexpr const char* kName = "Customer Reference";
  std::string mText;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

// The designer's name as listed; empty for none.
struct SetDesigner
{
  static constexpr const char* kName = "Designer";
  std::string mName;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

struct SetDistributor
{
  static constexpr const char* kName = "Distributor";
  CAddress mAddress;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

struct SetCustomer
{
  static constexpr const char* kName = "Customer";
  CAddress mAddress;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

// Notes as stored (the caller has made them fit the file's character set).
struct SetProjectNotes
{
  static constexpr const char* kName = "Project Notes";
  std::string mNotes;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

struct SetIncludeProjectNotes
{
  static constexpr const char* kName = "Include Project Notes";
  bool mInclude = false;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Header(); }
  bool Apply(CProject& project) const;
};

// Collapses the spaces of the name; refused for an empty or taken name.
struct NewVolume
{
  static constexpr const char* kName = "New Volume";
  std::string mName;
  int mHazard = 0;
  CEditTouches Touches(const CProject& project) const;
  bool Apply(CProject& project) const;
};

// Collapses the spaces of the name (anything invisible is a space); refused,
// with the reason, for an empty or taken name.
struct RenameVolume
{
  static constexpr const char* kName = "Rename Volume";
  CVolumeId mVolume = 0;
  std::string mName;
  std::string Refusal(const CProject& project) const;
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes({mVolume}); }
  bool Apply(CProject& project) const;
};

// A copy with its openings, device counts and notes, named as
// DuplicateName gives.
struct DuplicateVolume
{
  static constexpr const char* kName = "Duplicate Volume";
  CVolumeId mVolume = 0;
  CEditTouches Touches(const CProject& project) const;
  bool Apply(CProject& project) const;
};

// The volumes' windows must have gone first; refused when none of them is
// in the project. A cut (the volumes copied to the clipboard first) is the
// same edit under its own name.
struct DeleteVolumes
{
  std::vector<CVolumeId> mVolumes;
  bool mCut = false;
  std::string Name() const
  {
    return std::string(mCut ? "Cut" : "Delete") + (mVolumes.size() == 1 ? " Volume" : " Volumes");
  }
  CEditTouches Touches(const CProject&) const { return CEditTouches::Volumes(mVolumes); }
  bool Apply(CProject& project) const;
};

// Adds copies of the volumes (from the clipboard), each a new volume with
// its openings, device counts, notes and include-notes flag, named as
// PastedNames gives. The figures are SI whatever units the source project
// shows, so the sizes stay as they are. Refused, with the reason, for no
// volumes, an empty name or a name or notes longer than the file holds.
struct PasteVolumes
{
  std::vector<std::shared_ptr<const CArea>> mVolumes;
  std::string Name() const { return mVolumes.size() == 1 ? "Paste Volume" : "Paste Volumes"; }
  std::string Refusal(const CProject& project) const;
  CEditTouches Touches(const CProject& project) const;
  bool Apply(CProject& project) const;
};

// Adds and updates the schedule's volumes; refused (nothing changed) for a
// schedule with faults. The schedule must outlive the command.
struct ImportSchedule
{
  static constexpr const char* kName = "Import Schedule";
  const CSchedule* mSchedule = nullptr;
  CEditTouches Touches(const CProject& project) const;
  bool Apply(CProject& project) const;
};
} // namespace edit

using CEditCommand =
    std::variant<edit::SetVolumeSize, edit::AddOpening, edit::ChangeOpening, edit::DeleteOpenings,
                 edit::DuplicateOpening, edit::SetDeviceCount, edit::SetDeviceCounts,
                 edit::SetHazard, edit::SetVolumeNotes, edit::SetIncludeVolumeNotes, edit::SetUnits,
                 edit::SetProjectReference, edit::SetDistributorReference,
                 edit::SetCustomerReference, edit::SetDesigner, edit::SetDistributor,
                 edit::SetCustomer, edit::SetProjectNotes, edit::SetIncludeProjectNotes,
                 edit::NewVolume, edit::DeleteVolumes, edit::ImportSchedule, edit::RenameVolume,
                 edit::DuplicateVolume, edit::PasteVolumes>;

// The name of a copy of the volume: its name without a trailing " (n)",
// then " (2)", or the first higher number no volume of the project has.
std::string DuplicateName(const CProject& project, const std::string& name);

// The names pasted volumes get in the project, in their order: each its own
// name (spaces collapsed) unless the project or an earlier volume of the
// paste has it; then as DuplicateName gives, past the earlier ones too.
std::vector<std::string> PastedNames(const CProject& project,
                                     const std::vector<std::shared_ptr<const CArea>>& volumes);

// The identity of the project's volume of that name; 0 when it has none.
CVolumeId VolumeIdOf(const CProject& project, std::string_view name);

// What the edit does in a user's words, for the Edit menu ("Delete Volume").
std::string EditName(const CEditCommand& command);
// Why the edit's values cannot all be taken; empty when they can. An edit
// with a refusal changes nothing, except a volume size, whose usable sizes
// are still taken.
std::string EditRefusal(const CEditCommand& command, const CProject& project);
CEditTouches EditTouches(const CEditCommand& command, const CProject& project);
// Changes the project's inputs as the edit says, without calculating; false
// when the edit was refused or found nothing to change.
bool ApplyEdit(const CEditCommand& command, CProject& project);
