#include "document/project_document.h"
#include "storage/project_file.h"
#include "storage/schedule_import.h"
#include "tests/common/temp_folder.h"
#include "tests/document/document_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace
{
// A project of two volumes, "Hall" with two openings, devices and notes, and
// "Store", and a header with something in every edited field.
struct CHistoryFixture
{
  CHistoryFixture()
  {
    CProject& p = document.Project();
    p.SetName("Plant");
    p.mProject_Reference = "R-1";
    p.mNotes = "Project notes";
    p.mCustomer.mName = "Mill";
    p.mAreaTable.AddNew("Store", 1);
    p.mAreaTable.AddNew("Hall", 0);
    hall = p.mAreaTable.Find("Hall");
    hall->SetLength(10);
    hall->SetWidth(8);
    hall->SetHeight(3);
    hall->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 1);
    hall->mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, 2, 1, 1);
    hall->SetDeviceCount(1, 4);
    hall->SetNotes("Dry");
    p.RecalculateProject();
    document.AddObserver(&counter);
  }
  std::string Image() const
  {
    std::string bytes;
    EXPECT_TRUE(EncodeProjectFile(document.Project(), bytes));
    return bytes;
  }
  CProjectDocument document;
  CArea* hall = nullptr;
  CRecorder counter;
};

using CEditCall = std::function<void(CProjectDocument&, CArea&)>;
} // namespace

TEST(EditHistory, EachKindOfEditIsUndoneToTheSameFileImageAndRedone)
{
  CAddress address;
  address.mName = "Agent";
  const std::string schedule = "name,hazard_class,length_m,width_m,height_m\r\n"
                               "Hall,CLASS A - SURFACE FIRES,6,5,2\r\n"
                               "Yard,CLASS A - SURFACE FIRES,4,4,4\r\n";
  const std::pair<const char*, CEditCall> cases[] = {
      {"Volume Size", [](auto& d, auto& a) { d.SetVolumeSize(a, 5, 4, 2); }},
      {"New Opening",
       [](auto& d, auto& a) {
         d.AddOpening(a, {VENT_FLOOR, SHAPE_RECTANGULAR, 2, 1, 0});
       }},
      {"Edit Opening",
       [](auto& d, auto& a) {
         d.ChangeOpening(a, 1, {VENT_WALL, SHAPE_RECTANGULAR, 3, 2, 1});
       }},
      {"Delete Opening", [](auto& d, auto& a) { d.DeleteOpenings(a, {1}); }},
      {"Delete Openings",
       [](auto& d, auto& a) {
         d.DeleteOpenings(a, {1, 0});
       }},
      {"Duplicate Opening", [](auto& d, auto& a) { d.DuplicateOpening(a, 0); }},
      {"Device Count", [](auto& d, auto& a) { d.SetDeviceCount(a, 1, 9); }},
      {"Propose Devices",
       [](auto& d, auto& a) {
         d.SetDeviceCounts(a, CDeviceCounts{1, 2});
       }},
      {"Hazard Class", [](auto& d, auto& a) { d.SetHazard(a, 2); }},
      {"Volume Notes", [](auto& d, auto& a) { d.SetVolumeNotes(a, "Wet"); }},
      {"Include Volume Notes", [](auto& d, auto& a) { d.SetIncludeVolumeNotes(a, true); }},
      {"Units", [](auto& d, auto&) { d.SetUnits(1); }},
      {"Project Reference", [](auto& d, auto&) { d.SetProjectReference("R-2"); }},
      {"Distributor Reference", [](auto& d, auto&) { d.SetDistributorReference("D-2"); }},
      {"Customer Reference", [](auto& d, auto&) { d.SetCustomerReference("C-2"); }},
      {"Designer", [](auto& d, auto&) { d.SetDesigner("Ann"); }},
      {"Distributor", [&](auto& d, auto&) { d.SetDistributor(address); }},
      {"Customer", [&](auto& d, auto&) { d.SetCustomer(address); }},
      {"New Volume", [](auto& d, auto&) { d.NewVolume(" Yard ", 1); }},
      {"Delete Volume", [](auto& d, auto&) { d.DeleteVolume("Hall"); }},
      {"Import Schedule",
       [&](auto& d, auto&) { d.ImportSchedule(ReadSchedule(schedule, d.Project())); }},
      {"Project Notes", [](auto& d, auto&) { d.SetProjectNotes("Other"); }},
      {"Include Project Notes", [](auto& d, auto&) { d.SetIncludeProjectNotes(true); }},
  };
  for (const auto& [name, edit] : cases)
  {
    SCOPED_TRACE(name);
    CHistoryFixture f;
    const std::string before = f.Image();
    EXPECT_EQ(f.document.UndoName(), "");
    edit(f.document, *f.hall);
    const std::string after = f.Image();
    ASSERT_NE(after, before);
    EXPECT_EQ(f.document.UndoName(), name);
    EXPECT_EQ(f.document.RedoName(), "");

    f.counter.mTold.clear();
    ASSERT_TRUE(f.document.Undo());
    EXPECT_EQ(f.Image(), before);
    ASSERT_EQ(f.counter.mTold.size(), 1u); // calculated and told once, like an edit
    EXPECT_EQ(f.counter.mTold[0].mEdit, f.document.History().RedoStep()->mKind);
    EXPECT_EQ(f.document.RedoName(), name);
    EXPECT_FALSE(f.document.Undo());

    ASSERT_TRUE(f.document.Redo());
    EXPECT_EQ(f.Image(), after);
    EXPECT_FALSE(f.document.Redo());
    ASSERT_TRUE(f.document.Undo());
    EXPECT_EQ(f.Image(), before);
    // A volume kept through the steps is the same volume: its window stays valid.
    if (std::string(name) != "Delete Volume")
    {
      EXPECT_EQ(f.document.Project().mAreaTable.Find("Hall"), f.hall);
    }
  }
}

TEST(EditHistory, NewEditsDropRedoNoOpsLeaveNoStepAndTheHistoryIsBounded)
{
  CHistoryFixture f;
  f.document.SetHazard(*f.hall, 2);
  f.document.SetUnits(1);
  ASSERT_TRUE(f.document.Undo());
  f.document.SetDesigner("Ann");
  EXPECT_EQ(f.document.RedoName(), ""); // the undone units are gone
  EXPECT_EQ(f.document.UndoName(), "Designer");
  f.document.SetDesigner("Ann"); // no change, no step
  f.document.SetProjectReference("R-1");
  EXPECT_EQ(f.document.History().Steps(), 2u);

  f.document.History().SetBounds(3, CEditHistory::kDefaultBytes);
  for (std::uint32_t count = 1; count <= 5; ++count)
    f.document.SetDeviceCount(*f.hall, 0, count);
  EXPECT_EQ(f.document.History().Steps(), 3u);
  int undone = 0;
  while (f.document.Undo())
    ++undone;
  EXPECT_EQ(undone, 3);
  EXPECT_EQ(f.hall->DeviceCount(0), 2u); // the oldest steps were let go

  // Over the memory bound only the newest step stays.
  f.document.History().SetBounds(100, 1);
  f.document.DeleteVolume("Hall");
  EXPECT_EQ(f.document.History().Steps(), 1u);
  EXPECT_TRUE(f.document.Undo());
  EXPECT_NE(f.document.Project().mAreaTable.Find("Hall"), nullptr);
}

TEST(EditHistory, UndoingBackToTheSavedStateLeavesTheProjectUnmodified)
{
  const CTempFolder folder;
  CHistoryFixture f;
  CProject& p = f.document.Project();
  p.mPath = (folder.Path() / "Plant.ad").string();
  ASSERT_TRUE(f.document.Save());
  EXPECT_FALSE(p.IsModified());

  f.document.DeleteOpenings(*f.hall, {0, 1});
  f.document.SetProjectReference("R-2");
  EXPECT_TRUE(p.IsModified());
  f.document.Undo();
  EXPECT_TRUE(p.IsModified());
  f.document.Undo();
  EXPECT_FALSE(p.IsModified());
  f.document.Redo();
  EXPECT_TRUE(p.IsModified());

  // The history survives a save: undo then leaves the saved state.
  ASSERT_TRUE(f.document.Save());
  EXPECT_FALSE(p.IsModified());
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(f.hall->mVentTable.Count(), 2u);
  EXPECT_TRUE(p.IsModified());
  ASSERT_TRUE(f.document.Redo());
  EXPECT_FALSE(p.IsModified());
}

TEST(EditHistory, AStepNeverRemovesAVolumeWhoseWindowIsOpen)
{
  CHistoryFixture f;
  ASSERT_TRUE(f.document.NewVolume("Yard", 0));
  CArea* yard = f.document.Project().mAreaTable.Find("Yard");
  CRecorder window;
  f.document.SetVolumeWindow(yard, &window);
  EXPECT_EQ(f.document.VolumesUndoRemoves(), std::vector<CArea*>{yard});
  const std::string image = f.Image();
  EXPECT_FALSE(f.document.Undo()); // refused, nothing changed
  EXPECT_EQ(f.Image(), image);
  f.document.RemoveObserver(&window);
  EXPECT_TRUE(f.document.Undo());
  EXPECT_EQ(f.document.Project().mAreaTable.Find("Yard"), nullptr);
  EXPECT_TRUE(f.document.VolumesRedoRemoves().empty());
  EXPECT_TRUE(f.document.Redo());
  f.document.DeleteVolume("Yard");
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(f.document.VolumesRedoRemoves().size(), 1u);
}
