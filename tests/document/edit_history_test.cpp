#include "document/project_document.h"
#include "storage/project_file.h"
#include "storage/schedule_import.h"
#include "tests/common/temp_folder.h"
#include "tests/document/document_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>

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

// The edit a case makes, from the fixture's project and its hall.
using CMakeEdit = std::function<CEditCommand(const CProject&, const CArea&)>;
} // namespace

TEST(EditHistory, EachKindOfEditIsUndoneToTheSameFileImageAndRedone)
{
  CAddress address;
  address.mName = "Agent";
  const std::string text = "name,hazard_class,length_m,width_m,height_m\r\n"
                           "Hall,CLASS A - SURFACE FIRES,6,5,2\r\n"
                           "Yard,CLASS A - SURFACE FIRES,4,4,4\r\n";
  std::optional<CSchedule> schedule; // read against each fixture's project
  const std::pair<const char*, CMakeEdit> cases[] = {
      {"Volume Size",
       [](auto&, auto& a) {
         return edit::SetVolumeSize{a.Id(), 5, 4, 2};
       }},
      {"New Opening",
       [](auto&, auto& a) {
         return edit::AddOpening{a.Id(), {VENT_FLOOR, SHAPE_RECTANGULAR, 2, 1, 0}};
       }},
      {"Edit Opening",
       [](auto&, auto& a) {
         return edit::ChangeOpening{a.Id(), 1, {VENT_WALL, SHAPE_RECTANGULAR, 3, 2, 1}};
       }},
      {"Delete Opening",
       [](auto&, auto& a) {
         return edit::DeleteOpenings{a.Id(), {1}};
       }},
      {"Delete Openings",
       [](auto&, auto& a) {
         return edit::DeleteOpenings{a.Id(), {1, 0}};
       }},
      {"Duplicate Opening",
       [](auto&, auto& a) {
         return edit::DuplicateOpening{a.Id(), 0};
       }},
      {"Device Count",
       [](auto&, auto& a) {
         return edit::SetDeviceCount{a.Id(), 1, 9};
       }},
      {"Propose Devices",
       [](auto&, auto& a) {
         return edit::SetDeviceCounts{a.Id(), CDeviceCounts{1, 2}};
       }},
      {"Hazard Class",
       [](auto&, auto& a) {
         return edit::SetHazard{a.Id(), 2};
       }},
      {"Volume Notes",
       [](auto&, auto& a) {
         return edit::SetVolumeNotes{a.Id(), "Wet"};
       }},
      {"Include Volume Notes",
       [](auto&, auto& a) {
         return edit::SetIncludeVolumeNotes{a.Id(), true};
       }},
      {"Units", [](auto&, auto&) { return edit::SetUnits{1}; }},
      {"Project Reference", [](auto&, auto&) { return edit::SetProjectReference{"R-2"}; }},
      {"Distributor Reference", [](auto&, auto&) { return edit::SetDistributorReference{"D-2"}; }},
      {"Customer Reference", [](auto&, auto&) { return edit::SetCustomerReference{"C-2"}; }},
      {"Designer", [](auto&, auto&) { return edit::SetDesigner{"Ann"}; }},
      {"Distributor", [&](auto&, auto&) { return edit::SetDistributor{address}; }},
      {"Customer", [&](auto&, auto&) { return edit::SetCustomer{address}; }},
      {"New Volume",
       [](auto&, auto&) {
         return edit::NewVolume{" Yard ", 1};
       }},
      {"Delete Volume", [](auto&, auto& a) { return edit::DeleteVolumes{{a.Id()}}; }},
      {"Delete Volumes",
       [](auto& p, auto& a) {
         return edit::DeleteVolumes{{a.Id(), VolumeIdOf(p, "Store")}};
       }},
      {"Import Schedule",
       [&](auto& p, auto&)
       {
         schedule.emplace(ReadSchedule(text, p));
         return edit::ImportSchedule{&*schedule};
       }},
      {"Rename Volume",
       [](auto&, auto& a) {
         return edit::RenameVolume{a.Id(), "Great Hall"};
       }},
      {"Duplicate Volume", [](auto&, auto& a) { return edit::DuplicateVolume{a.Id()}; }},
      {"Paste Volume", [](auto&, auto& a)
       { return edit::PasteVolumes{{std::make_shared<const CArea>(nullptr, a)}}; }},
      {"Paste Volumes", // "Hall (2)", "Hall (3)" and "Store (2)"
       [](auto& p, auto& a)
       {
         const auto copy = std::make_shared<const CArea>(nullptr, a);
         return edit::PasteVolumes{
             {copy, std::make_shared<const CArea>(nullptr, *p.mAreaTable.Find("Store")), copy}};
       }},
      {"Cut Volume",
       [](auto&, auto& a) {
         return edit::DeleteVolumes{{a.Id()}, true};
       }},
      {"Cut Volumes",
       [](auto& p, auto& a) {
         return edit::DeleteVolumes{{a.Id(), VolumeIdOf(p, "Store")}, true};
       }},
      {"Project Notes", [](auto&, auto&) { return edit::SetProjectNotes{"Other"}; }},
      {"Include Project Notes", [](auto&, auto&) { return edit::SetIncludeProjectNotes{true}; }},
  };
  std::set<std::size_t> kinds;
  for (const auto& [name, make] : cases)
  {
    SCOPED_TRACE(name);
    CHistoryFixture f;
    const std::string before = f.Image();
    EXPECT_EQ(f.document.UndoName(), "");
    const CEditCommand command = make(f.document.Project(), *f.hall);
    kinds.insert(command.index());
    ASSERT_TRUE(f.document.Apply(command));
    const std::string after = f.Image();
    ASSERT_NE(after, before);
    EXPECT_EQ(f.document.UndoName(), name);
    EXPECT_EQ(f.document.RedoName(), "");
    ASSERT_EQ(f.counter.mTold.size(), 1u);
    CDocumentChange told = f.counter.mTold[0];

    f.counter.mTold.clear();
    ASSERT_TRUE(f.document.Undo());
    EXPECT_EQ(f.Image(), before);
    ASSERT_EQ(f.counter.mTold.size(), 1u); // calculated and told once, like an edit
    // Told as the edit was; a volume the edit removed is back and named.
    told.mVolume = f.counter.mTold[0].mVolume;
    EXPECT_EQ(f.counter.mTold[0], told);
    EXPECT_EQ(f.document.RedoName(), name);
    EXPECT_FALSE(f.document.Undo());

    ASSERT_TRUE(f.document.Redo());
    EXPECT_EQ(f.Image(), after);
    EXPECT_FALSE(f.document.Redo());
    ASSERT_TRUE(f.document.Undo());
    EXPECT_EQ(f.Image(), before);
    // A volume kept through the steps is the same volume: its window stays valid.
    if (!std::string(name).starts_with("Delete Volume") &&
        !std::string(name).starts_with("Cut Volume"))
    {
      EXPECT_EQ(f.document.Project().mAreaTable.Find("Hall"), f.hall);
    }
  }
  EXPECT_EQ(kinds.size(), std::variant_size_v<CEditCommand>); // every kind of edit
}

TEST(EditHistory, AStepGroupIsOneStepOverTheHeaderAndSeveralVolumes)
{
  CHistoryFixture f;
  CProject& p = f.document.Project();
  const CVolumeId store = VolumeIdOf(p, "Store");
  const CVolumeId hall = f.hall->Id();
  const std::string before = f.Image();
  {
    const CProjectDocument::CStepGroup group(f.document, "Change Everything");
    f.document.Apply(edit::SetUnits{1});
    f.document.Apply(edit::SetVolumeSize{hall, 7, 6, 5});
    f.document.Apply(edit::SetDeviceCount{store, 2, 3});
    f.document.Apply(edit::NewVolume{"Yard", 2});
    f.document.Apply(edit::DeleteVolumes{{hall}});
    EXPECT_TRUE(f.counter.mTold.empty()); // told once, when the group ends
  }
  const std::string after = f.Image();
  ASSERT_EQ(f.counter.mTold.size(), 1u);
  EXPECT_EQ(f.counter.mTold[0],
            (CDocumentChange{.mVolumes = true, .mVolumeSet = true, .mUnits = true}));
  EXPECT_EQ(f.document.History().Steps(), 1u);
  EXPECT_EQ(f.document.UndoName(), "Change Everything");
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(f.Image(), before);
  EXPECT_EQ(p.mUnits, 0u);
  EXPECT_FALSE(f.document.Undo());
  ASSERT_TRUE(f.document.Redo());
  EXPECT_EQ(f.Image(), after);
  // The volumes are found by identity: a volume brought back is the one taken.
  ASSERT_TRUE(f.document.Undo());
  ASSERT_NE(p.mAreaTable.Find("Hall"), nullptr);
  EXPECT_EQ(p.mAreaTable.Find("Hall")->Id(), hall);

  // Names passed from one volume to another come back in one step.
  const std::string named = f.Image();
  {
    const CProjectDocument::CStepGroup swap(f.document, "Swap Names");
    ASSERT_TRUE(f.document.Apply(edit::RenameVolume{store, "Depot"}));
    ASSERT_TRUE(f.document.Apply(edit::RenameVolume{hall, "Store"}));
    ASSERT_TRUE(f.document.Apply(edit::RenameVolume{store, "Hall"}));
  }
  EXPECT_EQ(p.mAreaTable.Find("Hall")->Id(), store);
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(f.Image(), named);
  EXPECT_EQ(p.mAreaTable.Find("Hall")->Id(), hall);
  ASSERT_TRUE(f.document.Redo());
  EXPECT_EQ(p.mAreaTable.Find("Store")->Id(), hall);
  ASSERT_TRUE(f.document.Undo());

  // A group without a name joins the step the next undo takes back.
  ASSERT_TRUE(f.document.Apply(edit::NewVolume{"Shed", 0}));
  {
    const CProjectDocument::CStepGroup joined(f.document);
    f.document.Apply(edit::SetVolumeNotes{VolumeIdOf(p, "Shed"), "typed"});
  }
  EXPECT_EQ(f.document.UndoName(), "New Volume");
  EXPECT_EQ(f.document.RedoName(), ""); // the redo of the group went with the new edit
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(p.mAreaTable.Find("Shed"), nullptr);
  ASSERT_TRUE(f.document.Redo());
  EXPECT_EQ(p.mAreaTable.Find("Shed")->mNotes, "typed");
}

TEST(EditHistory, NewEditsDropRedoNoOpsLeaveNoStepAndTheHistoryIsBounded)
{
  CHistoryFixture f;
  f.document.Apply(edit::SetHazard{f.hall->Id(), 2});
  f.document.Apply(edit::SetUnits{1});
  ASSERT_TRUE(f.document.Undo());
  f.document.Apply(edit::SetDesigner{"Ann"});
  EXPECT_EQ(f.document.RedoName(), ""); // the undone units are gone
  EXPECT_EQ(f.document.UndoName(), "Designer");
  f.document.Apply(edit::SetDesigner{"Ann"}); // no change, no step
  f.document.Apply(edit::SetProjectReference{"R-1"});
  EXPECT_EQ(f.document.History().Steps(), 2u);

  f.document.History().SetBounds(3, CEditHistory::kDefaultBytes);
  for (std::uint32_t count = 1; count <= 5; ++count)
    f.document.Apply(edit::SetDeviceCount{f.hall->Id(), 0, count});
  EXPECT_EQ(f.document.History().Steps(), 3u);
  int undone = 0;
  while (f.document.Undo())
    ++undone;
  EXPECT_EQ(undone, 3);
  EXPECT_EQ(f.hall->DeviceCount(0), 2u); // the oldest steps were let go

  // Over the memory bound only the newest step stays.
  f.document.History().SetBounds(100, 1);
  f.document.Apply(edit::DeleteVolumes{{VolumeIdOf(f.document.Project(), "Hall")}});
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

  f.document.Apply(edit::DeleteOpenings{f.hall->Id(), {0, 1}});
  f.document.Apply(edit::SetProjectReference{"R-2"});
  EXPECT_TRUE(p.IsModified());
  f.document.Undo();
  EXPECT_TRUE(p.IsModified());
  f.document.Undo();
  EXPECT_FALSE(p.IsModified());
  f.document.Redo();
  EXPECT_TRUE(p.IsModified());

  // The history survives a save: undo then leaves the saved state. The save
  // tells only that: the project is not calculated for it.
  f.counter.mTold.clear();
  ASSERT_TRUE(f.document.Save());
  EXPECT_EQ(f.counter.mTold, std::vector<CDocumentChange>{CDocumentChange{.mSaved = true}});
  EXPECT_FALSE(p.IsModified());
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(f.hall->mVentTable.Count(), 2u);
  EXPECT_TRUE(p.IsModified());
  ASSERT_TRUE(f.document.Redo());
  EXPECT_FALSE(p.IsModified());
}

// The caller closes the windows of the volumes a step removes (the Edit
// menu's test checks that); the document names them.
TEST(EditHistory, TheDocumentNamesTheVolumesAStepWouldRemove)
{
  CHistoryFixture f;
  ASSERT_TRUE(f.document.Apply(edit::NewVolume{"Yard", 0}));
  CArea* yard = f.document.Project().mAreaTable.Find("Yard");
  EXPECT_EQ(f.document.VolumesUndoRemoves(), std::vector<CArea*>{yard});
  EXPECT_TRUE(f.document.Undo());
  EXPECT_EQ(f.document.Project().mAreaTable.Find("Yard"), nullptr);
  EXPECT_TRUE(f.document.VolumesRedoRemoves().empty());
  EXPECT_TRUE(f.document.Redo());
  f.document.Apply(edit::DeleteVolumes{{VolumeIdOf(f.document.Project(), "Yard")}});
  ASSERT_TRUE(f.document.Undo());
  EXPECT_EQ(f.document.VolumesRedoRemoves().size(), 1u);
}
