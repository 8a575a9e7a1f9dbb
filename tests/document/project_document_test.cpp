#include "document/project_document.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
// Records what it is told; may remove itself from the document when told.
class CRecorder : public CDocumentObserver
{
public:
  void DocumentChanged(const CDocumentChange& change) override
  {
    mChanges.push_back(change.mKind);
    if (mLeaveWhenTold)
      mLeaveWhenTold->RemoveObserver(this);
  }
  std::vector<CChangeKind> mChanges;
  CProjectDocument* mLeaveWhenTold = nullptr;
};
} // namespace

TEST(ProjectDocument, EveryCalculationReachesEachObserverOnceUntilItLeaves)
{
  CProjectDocument document;
  CRecorder stays;
  CRecorder leaves;
  leaves.mLeaveWhenTold = &document;
  document.AddObserver(&leaves);
  document.AddObserver(&stays);
  document.AddObserver(&stays); // registered once
  document.SetReportWindow(&stays);

  document.Project().RecalculateProject();
  document.Project().RecalculateProject();
  EXPECT_EQ(stays.mChanges.size(), 2u);
  EXPECT_EQ(leaves.mChanges.size(), 1u);
  EXPECT_EQ(stays.mChanges[0], CChangeKind::Recalculated);

  document.RemoveObserver(&stays);
  EXPECT_EQ(document.ReportWindow(), nullptr); // leaving forgets the report window too
  document.Project().RecalculateProject();
  EXPECT_EQ(stays.mChanges.size(), 2u);

  // A project handed over tells its old document nothing.
  document.AddObserver(&stays);
  std::unique_ptr<CProject> project = document.TakeProject();
  project->RecalculateProject();
  EXPECT_EQ(stays.mChanges.size(), 2u);
}
