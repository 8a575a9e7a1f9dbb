#pragma once
// A window (or anything else) that follows a project document. It registers
// with the document and is told what changed; it decides itself what to
// redraw, and queues the redraw rather than doing it inside the call.

class CArea;

// What a notice says changed, filled in by the document. Every notice but
// a save's follows one calculation of the whole project. A notice with
// nothing set is a calculation asked for directly (a project just read):
// the document cannot say what changed.
struct CDocumentChange
{
  // The project's own fields: references, designer, addresses, notes.
  bool mHeader = false;
  // The inputs of volumes that were there before and after.
  bool mVolumes = false;
  // The one volume the change is about, when it is about one; nullptr for
  // several, or for one that is gone.
  const CArea* mVolume = nullptr;
  // Volumes were added or removed.
  bool mVolumeSet = false;
  // The unit system: every figure shows anew.
  bool mUnits = false;
  // The project was saved: its saved state changed, nothing of its content.
  bool mSaved = false;

  bool SaysWhat() const { return mHeader || mVolumes || mVolumeSet || mUnits || mSaved; }
  bool operator==(const CDocumentChange&) const = default;
};

class CDocumentObserver
{
public:
  virtual ~CDocumentObserver() = default;
  virtual void DocumentChanged(const CDocumentChange& change) = 0;
};
