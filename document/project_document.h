#pragma once
// An open project: the project itself and what this copy of the program
// knows of its file while it is open. Saving and reading go through here so
// that the file's stamp and mark stay with the project they belong to.

#include "document/document_observer.h"
#include "document/edit_commands.h"
#include "document/edit_history.h"
#include "model/project.h"
#include "storage/project_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
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
  // SetReadOnly marks the file as open read-only here, so that no copy
  // renames, moves or deletes it meanwhile.
  bool MarkFile();
  void SetReadOnly();
  // Reads the file when there is one. Without one the project is new, and a
  // file that appears before the first save is not replaced unasked.
  bool ReadFile(std::string* error = nullptr);
  // Both steps, for the batch tool, which never opens a project read-only:
  // false with the reason when another copy of the program has it open, when
  // the file does not read, or when there is none and `mayBeNew` is not set.
  bool OpenForChange(bool mayBeNew, std::string* error = nullptr);

  // The project file at the project's path; false with a reason on failure.
  // A save tells the observers that only the saved state changed.
  bool Save(std::string* error = nullptr);
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

  // The one way the windows and the batch tool change a project: the edit
  // is checked and applied, its step recorded for undo, the project
  // calculated once and the observers told what changed. False when the
  // edit was refused, with the reason when there is one to give; a refused
  // edit leaves the project as it was, uncalculated and untold. A volume
  // size with one unusable length takes the others and is still false.
  bool Apply(const CEditCommand& command, std::string* reason = nullptr);

  // Edits applied while a step group lives make one step of the history,
  // undone and redone whole, calculated and told once when the group ends.
  // A group made with a name is a step of that name; one made without
  // joins its edits to the step the next undo would take back (typing a
  // closing window hands over just before that step is undone). Groups
  // may nest: the outermost decides.
  class CStepGroup
  {
  public:
    CStepGroup(CProjectDocument& document, std::string name);
    explicit CStepGroup(CProjectDocument& document);
    CStepGroup(const CStepGroup&) = delete;
    CStepGroup& operator=(const CStepGroup&) = delete;
    ~CStepGroup();

  private:
    CProjectDocument& mDocument;
  };

  // Undo and redo: every edit that changed something is one step of the
  // project's history (which a save keeps). A step taken back or done again
  // is calculated and told like the edit itself. False when there is no step. The
  // document knows no windows: the caller closes those of the volumes the
  // step would remove (VolumesUndoRemoves) first.
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

private:
  // The step being made: by one edit, or by the edits of a step group.
  struct COpenStep
  {
    CEditStep mStep;
    bool mJoinLast = false;
    int mDepth = 0;
    // Whether any edit in it was applied.
    bool mApplied = false;
  };
  void OpenStep(std::string name, bool joinLast);
  // Adds what the edit touches, as it stands, to the open step.
  void Capture(const CEditTouches& touches);
  // Completes the outermost open step, records it and, when anything
  // changed, calculates the project and tells the observers.
  void CloseStep();
  void Attach();
  // The step of an edit about to be applied, holding what it touches as it
  // stands; Record completes it once the edit has been applied.
  bool TakeStep(bool redo);
  // The notice of a step: its change, about its one volume when it has one.
  CDocumentChange ChangeOf(const CEditStep& step) const;
  std::vector<CArea*> VolumesRemovedBy(const CEditStep* step, bool redo) const;

  std::unique_ptr<CProject> mProject;
  CProjectFileState mFile;
  std::vector<CDocumentObserver*> mObservers;
  // What the calculation under way was for; told in place of a bare
  // calculation.
  CDocumentChange mPending;
  std::optional<COpenStep> mOpen;
  // A calculation inside an edit is not told: the edit tells once it ends.
  bool mQuiet = false;
  CEditHistory mHistory;
};
