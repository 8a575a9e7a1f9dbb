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

  // The project's windows are its observers: each told once a calculation,
  // forgotten when it leaves.
  CProjectDocument windows;
  windows.Project().mAreaTable.AddNew("Hall", 0);
  const CArea* hall = windows.Project().mAreaTable.Get(0);
  CRecorder projectWindow;
  CRecorder volumeWindow;
  windows.SetVolumeWindow(hall, &volumeWindow);
  windows.Project().RecalculateProject(); // no project window yet: only the volume window
  EXPECT_EQ(volumeWindow.mChanges.size(), 1u);
  windows.SetProjectWindow(&projectWindow);
  windows.Project().RecalculateProject();
  EXPECT_EQ(projectWindow.mChanges.size(), 1u);
  EXPECT_EQ(volumeWindow.mChanges.size(), 2u);
  EXPECT_EQ(windows.VolumeWindow(hall), &volumeWindow);
  EXPECT_EQ(windows.ProjectWindow(), &projectWindow);
  windows.RemoveObserver(&volumeWindow);
  windows.RemoveObserver(&projectWindow);
  EXPECT_EQ(windows.VolumeWindow(hall), nullptr);
  EXPECT_EQ(windows.ProjectWindow(), nullptr);

  // A project handed over tells its old document nothing.
  document.AddObserver(&stays);
  std::unique_ptr<CProject> project = document.TakeProject();
  project->RecalculateProject();
  EXPECT_EQ(stays.mChanges.size(), 2u);
}
