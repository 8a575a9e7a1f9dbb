#pragma once
// An observer of a project document that records what it is told; it may
// remove itself from the document when told.

#include "document/project_document.h"

#include <vector>

class CRecorder : public CDocumentObserver
{
public:
  void DocumentChanged(const CDocumentChange& change) override
  {
    mTold.push_back(change);
    if (mLeaveWhenTold)
      mLeaveWhenTold->RemoveObserver(this);
  }
  std::vector<CDocumentChange> mTold;
  CProjectDocument* mLeaveWhenTold = nullptr;
};
