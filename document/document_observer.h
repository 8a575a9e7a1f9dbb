#pragma once
// A window (or anything else) that follows a project document. It registers
// with the document and is told what changed; it decides itself what to
// redraw, and queues the redraw rather than doing it inside the call.

class CArea;

enum class CChangeKind
{
  // Inputs were edited and every figure of the project calculated again.
  Recalculated,
};

// Which edit of the document's edit interface led to a calculation; None for
// a calculation asked for directly (a project just read, a save).
enum class CEditKind
{
  None,
  VolumeSize,
  AddOpening,
  ChangeOpening,
  DeleteOpenings,
  DuplicateOpening,
  DeviceCount,
  DeviceCounts,
  Hazard,
  Units,
  ProjectReference,
  DistributorReference,
  CustomerReference,
  Designer,
  Distributor,
  Customer,
  NewVolume,
  DeleteVolume,
  Schedule,
  VolumeNotes,
  IncludeVolumeNotes,
  ProjectNotes,
  IncludeProjectNotes,
};

struct CDocumentChange
{
  CChangeKind mKind = CChangeKind::Recalculated;
  CEditKind mEdit = CEditKind::None;
  // The volume the change is about; nullptr for the whole project.
  const CArea* mVolume = nullptr;
};

class CDocumentObserver
{
public:
  virtual ~CDocumentObserver() = default;
  virtual void DocumentChanged(const CDocumentChange& change) = 0;
};
