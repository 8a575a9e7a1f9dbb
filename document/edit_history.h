#pragma once
// The undo and redo history of one open project. Every edit of the project
// document leaves one step: the stored fields it declared it touches, as
// they were before and after it (whole volumes by identity, absent for a
// volume the edit added or removed, and the project's own fields). Undoing writes the
// "before" side back, redoing the "after" side, so either restores exactly
// what the project held, openings and device counts included.

#include "document/document_observer.h"
#include "model/address.h"
#include "model/area.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CArea;
class CProject;

// The project's own edited fields (name, path and date are not edited).
struct CProjectHeader
{
  static CProjectHeader Of(const CProject& project);
  void RestoreTo(CProject& project) const;
  bool operator==(const CProjectHeader&) const = default;

  std::string mNotes;
  bool mIncludeNotes = false;
  std::string mProject_Reference;
  std::string mProject_Designer;
  CAddress mDistributor;
  std::string mDistributor_Reference;
  CAddress mCustomer;
  std::string mCustomer_Reference;
  std::uint32_t mUnits = 0;
};

struct CEditStep
{
  // One volume as the step found it and left it; nullptr where it did not exist.
  struct CVolumeState
  {
    CVolumeId mId = 0;
    std::unique_ptr<CArea> mBefore;
    std::unique_ptr<CArea> mAfter;
  };

  CEditStep();
  CEditStep(CEditStep&&) noexcept;
  CEditStep& operator=(CEditStep&&) noexcept;
  ~CEditStep();

  // True when the edit left everything it touched as it was.
  bool ChangesNothing() const;
  // A rough count of the memory the step holds.
  std::size_t Bytes() const;
  // The state of the volume in the step; nullptr when the step has none.
  CVolumeState* Volume(CVolumeId id);
  // Takes in a later step: what both touched keeps this step's "before" and
  // the later step's "after"; what only the later one touched is added.
  void Join(CEditStep&& later);

  // What the step did in a user's words: "Delete Volume", "Volume Size"...
  std::string mName;
  // What its undo and redo change, told as the edit was (without a volume).
  CDocumentChange mChange;
  std::vector<CVolumeState> mVolumes;
  std::optional<CProjectHeader> mHeaderBefore;
  std::optional<CProjectHeader> mHeaderAfter;
};

// A copy of the volume's stored fields, owned by no project.
std::unique_ptr<CArea> StoredCopy(const CArea& volume);
// Writes the stored fields of the copy into the volume, which keeps its
// place, its address and its name.
void RestoreStored(CArea& volume, const CArea& copy);

// The steps in order; those past the cursor can be redone. Bounded by a
// number of steps and by the memory they hold: the oldest go first, the
// newest step always stays.
class CEditHistory
{
public:
  static constexpr std::size_t kDefaultSteps = 100;
  static constexpr std::size_t kDefaultBytes = 32u << 20;

  explicit CEditHistory(std::size_t maxSteps = kDefaultSteps, std::size_t maxBytes = kDefaultBytes);

  // A new step drops the steps that could have been redone.
  void Record(CEditStep step);
  // Joins the step to the one the next undo takes back (see
  // CEditStep::Join), or records it when there is none; drops the steps
  // that could have been redone.
  void JoinLast(CEditStep step);
  // The step the next undo or redo applies; nullptr when none.
  const CEditStep* UndoStep() const;
  const CEditStep* RedoStep() const;
  // Moves the cursor over the step just undone or redone.
  void Undone();
  void Redone();
  void Clear();
  void SetBounds(std::size_t maxSteps, std::size_t maxBytes);

  std::size_t Steps() const { return mSteps.size(); }
  // How many steps were ever recorded: tells whether an edit came in between.
  std::uint64_t Recorded() const { return mRecorded; }
  std::size_t Bytes() const { return mBytes; }

private:
  void Trim();

  std::deque<CEditStep> mSteps;
  std::size_t mNext = 0; // steps before it are undoable
  std::size_t mBytes = 0;
  std::uint64_t mRecorded = 0;
  std::size_t mMaxSteps;
  std::size_t mMaxBytes;
};
