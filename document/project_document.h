#pragma once
// An open project: the project itself and what this copy of the program
// knows of its file while it is open. Saving and reading go through here so
// that the file's stamp and mark stay with the project they belong to.

#include "document/document_observer.h"
#include "document/edit_history.h"
#include "model/project.h"
#include "storage/project_file.h"

struct CSchedule;

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The observers are told after every calculation of the project.
class CProjectDocument
{
public:
  CProjectDocument();
  explicit CProjectDocument(std::unique_ptr<CProject> project);
  CProjectDocument(const CProjectDocument&) = delete;
  CProjectDocument& operator=(const CProjectDocument&) = delete;
  ~CProjectDocument();

  CProject& Project() { return *mProject; }
  const CProject& Project() const { return *mProject; }
  CProjectFileState& File() { return mFile; }
  bool ReadOnly() const { return mFile.mReadOnly; }

  // Opening the project's file for change, in two steps so that the
  // desktop program can ask in between. MarkFile marks the file as open in
  // this copy of the program; false, with nothing marked, when another copy
  // has it open: the project is then opened read-only (SetReadOnly) or not
  // at all. A project without a file yet is marked by its first save.
  bool MarkFile();
  void SetReadOnly() { mFile.mReadOnly = true; }
  // Reads the file when there is one. Without one the project is new, and a
  // file that appears before the first save is not replaced unasked.
  bool ReadFile(std::string* error = nullptr);
  // Both steps, for the batch tool, which never opens a project read-only:
  // false with the reason when another copy of the program has it open, when
  // the file does not read, or when there is none and `mayBeNew` is not set.
  bool OpenForChange(bool mayBeNew, std::string* error = nullptr);

  // The project file at the project's path; false with a reason on failure.
  bool Save(std::string* error = nullptr) { return SaveProject(*mProject, mFile, error); }
  // A project read again starts a new history.
  bool Load(std::string* error = nullptr)
  {
    const bool read = LoadProject(*mProject, mFile, error);
    if (read)
      mHistory.Clear();
    return read;
  }

  // Hands the project over; the document is then empty and tells nobody.
  std::unique_ptr<CProject> TakeProject();

  // An observer registered twice is told once; one that goes away must
  // remove itself first.
  void AddObserver(CDocumentObserver* observer);
  void RemoveObserver(CDocumentObserver* observer);
  // Tells every observer, in the order they registered; an observer may
  // remove itself or another while being told.
  void Notify(const CDocumentChange& change);

  // The one way the windows change a project: each edit is checked, applied,
  // followed by one calculation of the project and told to the observers
  // with what it was. An edit that refuses its value returns false and
  // leaves the project as it was, uncalculated and untold.

  // Each size that is no usable length (not above 0, or outside the range
  // the calculation takes) keeps its old value; false when any was refused,
  // with the reason for the first, and nothing happens when all were.
  bool SetVolumeSize(CArea& volume, double length, double width, double height,
                     std::string* reason = nullptr);
  // Refused, with the reason, for values VentRefusalText does not take.
  bool AddOpening(CArea& volume, const CVentValues& values, std::string* reason = nullptr);
  bool ChangeOpening(CArea& volume, std::size_t index, const CVentValues& values,
                     std::string* reason = nullptr);
  // Removes the openings at the indices (any order); false when one is out of range.
  bool DeleteOpenings(CArea& volume, std::vector<std::size_t> indices);
  // The copy sorts right behind its source.
  bool DuplicateOpening(CArea& volume, std::size_t index);
  bool SetDeviceCount(CArea& volume, int model, std::uint32_t count);
  void SetDeviceCounts(CArea& volume, const CDeviceCounts& counts);
  bool SetHazard(CArea& volume, int hazard);
  bool SetUnits(std::uint32_t units);
  // The references collapse their spaces; a text that leaves the reference
  // as it was changes nothing.
  void SetProjectReference(std::string_view text);
  void SetDistributorReference(std::string_view text);
  void SetCustomerReference(std::string_view text);
  // The designer's name as listed; empty for none.
  void SetDesigner(std::string_view name);
  void SetDistributor(const CAddress& address);
  void SetCustomer(const CAddress& address);
  // Collapses the spaces of the name; false for an empty or taken name.
  bool NewVolume(std::string_view name, int hazard);
  // The volume's windows must have gone first; false for an unknown name.
  bool DeleteVolume(std::string_view name);
  // Adds and updates the schedule's volumes; false (nothing changed) for a
  // schedule with faults.
  bool ImportSchedule(const CSchedule& schedule);
  // Notes as stored (the caller has made them fit the file's character set).
  void SetVolumeNotes(CArea& volume, std::string notes);
  void SetIncludeVolumeNotes(CArea& volume, bool include);
  void SetProjectNotes(std::string notes);
  void SetIncludeProjectNotes(bool include);

  // Undo and redo: every edit above that changed something is one step of
  // the project's history (which a save keeps). A step taken back or done
  // again is calculated and told like the edit itself, as its kind and
  // volume. False when there is no step, or when the step would remove a
  // volume whose window is still open: that window must close first.
  bool Undo();
  bool Redo();
  // What the next undo or redo does in a user's words ("Delete Volume");
  // empty when there is nothing to undo or redo.
  std::string UndoName() const;
  std::string RedoName() const;
  // The volumes the next undo or redo would remove.
  std::vector<CArea*> VolumesUndoRemoves() const;
  std::vector<CArea*> VolumesRedoRemoves() const;
  CEditHistory& History() { return mHistory; }

  // The windows of the project: its project window, its one report
  // window and one window a volume, each registered as an observer too;
  // an observer that leaves is forgotten in these places as well.
  CDocumentObserver* ProjectWindow() const { return mProjectWindow; }
  void SetProjectWindow(CDocumentObserver* window);
  CDocumentObserver* ReportWindow() const { return mReportWindow; }
  void SetReportWindow(CDocumentObserver* window);
  CDocumentObserver* VolumeWindow(const CArea* volume) const;
  void SetVolumeWindow(const CArea* volume, CDocumentObserver* window);

private:
  // One edit as handed to Apply: its kind, the volume it is about and its
  // values. Every edit method above fills one in and passes it on, so that
  // whatever must happen around every edit happens in one place.
  struct CEdit
  {
    explicit CEdit(CEditKind kind, CArea* volume = nullptr) : mKind(kind), mVolume(volume) {}
    CEditKind mKind;
    CArea* mVolume;
    std::size_t mIndex = 0;
    std::vector<std::size_t> mIndices;
    double mLength = 0, mWidth = 0, mHeight = 0;
    CVentValues mVent;
    int mNumber = 0; // device model, hazard class or unit system
    std::uint32_t mCount = 0;
    CDeviceCounts mCounts{};
    std::string mText;
    CAddress mAddress;
    const CSchedule* mSchedule = nullptr;
    bool mFlag = false; // whether notes go into the report
  };
  // Checks and applies the edit; on success calculates the project once and
  // tells the observers. False (nothing changed) when the edit was refused.
  bool Apply(const CEdit& edit);
  // Changes the project as the edit says; false when it refused the edit.
  bool Change(const CEdit& edit);
  void Attach();
  // The step of an edit about to be applied, holding what it touches as it
  // stands; Record completes it once the edit has been applied.
  CEditStep BeginStep(const CEdit& edit) const;
  void Record(CEditStep step);
  bool TakeStep(bool redo);
  std::vector<CArea*> VolumesRemovedBy(const CEditStep* step, bool redo) const;

  std::unique_ptr<CProject> mProject;
  CProjectFileState mFile;
  std::vector<CDocumentObserver*> mObservers;
  CDocumentObserver* mProjectWindow = nullptr;
  CDocumentObserver* mReportWindow = nullptr;
  std::vector<std::pair<const CArea*, CDocumentObserver*>> mVolumeWindows;
  // What the calculation under way was for; told in place of a bare
  // calculation.
  CDocumentChange mPending;
  CEditHistory mHistory;
};
