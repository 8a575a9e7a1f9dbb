#include "document/project_document.h"
#include "storage/address_book.h"
#include "storage/name_list.h"
#include "storage/schedule_import.h"
#include "storage/volume_clipboard.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"
#include "tests/document/document_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

TEST(ProjectDocument, EveryCalculationReachesEachObserverOnceUntilItLeaves)
{
  CProjectDocument document;
  CRecorder stays;
  CRecorder leaves;
  leaves.mLeaveWhenTold = &document;
  document.AddObserver(&leaves);
  document.AddObserver(&stays);
  document.AddObserver(&stays); // registered once

  document.Project().RecalculateProject();
  document.Project().RecalculateProject();
  EXPECT_EQ(stays.mTold.size(), 2u);
  EXPECT_EQ(leaves.mTold.size(), 1u);
  EXPECT_FALSE(stays.mTold[0].SaysWhat()); // a bare calculation: the document cannot say what

  document.RemoveObserver(&stays);
  document.Project().RecalculateProject();
  EXPECT_EQ(stays.mTold.size(), 2u);

  // The project's windows are its observers: each told once a calculation,
  // forgotten when it leaves.
  CProjectDocument windows;
  windows.Project().mAreaTable.AddNew("Hall", 0);
  CRecorder projectWindow;
  CRecorder volumeWindow;
  windows.AddObserver(&volumeWindow);
  windows.Project().RecalculateProject(); // no project window yet: only the volume window
  EXPECT_EQ(volumeWindow.mTold.size(), 1u);
  windows.AddObserver(&projectWindow);
  windows.Project().RecalculateProject();
  EXPECT_EQ(projectWindow.mTold.size(), 1u);
  EXPECT_EQ(volumeWindow.mTold.size(), 2u);
  // Which window belongs to what is the windows' own registry (ui/); the
  // document only tells them, and forgets one that leaves.
  windows.RemoveObserver(&volumeWindow);
  windows.RemoveObserver(&projectWindow);
  windows.Project().RecalculateProject();
  EXPECT_EQ(projectWindow.mTold.size(), 1u);
  EXPECT_EQ(volumeWindow.mTold.size(), 2u);

  // A project handed over tells its old document nothing.
  document.AddObserver(&stays);
  std::unique_ptr<CProject> project = document.TakeProject();
  project->RecalculateProject();
  EXPECT_EQ(stays.mTold.size(), 2u);
}

namespace
{
// An open project of one volume "Hall", 10 x 8 x 3 m with one opening, and a
// recorder following it.
struct CEditFixture
{
  CEditFixture()
  {
    document.Project().mAreaTable.AddNew("Hall", 0);
    hall = document.Project().mAreaTable.Find("Hall");
    hall->SetLength(10);
    hall->SetWidth(8);
    hall->SetHeight(3);
    hall->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 1);
    document.Project().RecalculateProject();
    document.AddObserver(&recorder);
  }
  CProjectDocument document;
  CArea* hall = nullptr;
  CRecorder recorder;
};
} // namespace

TEST(ProjectDocument, EachEditIsAppliedCalculatedOnceAndToldWithWhatChanged)
{
  struct CCase
  {
    const char* name;
    CDocumentChange told; // without its volume
    bool aboutHall;
    std::function<bool(CProjectDocument&, CArea&)> edit;
    std::function<bool(const CProject&, const CArea&)> applied;
  };
  const CCase cases[] = {
      {"Volume Size",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::SetVolumeSize{a.Id(), 5, 4, 2});
       },
       [](const CProject&, const CArea& a) { return a.mVolume == 40; }}, // calculated
      {"New Opening",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::AddOpening{a.Id(), {VENT_CEILING, SHAPE_RECTANGULAR, 2, 1, 1}});
       },
       [](const CProject&, const CArea& a)
       { return a.mVentTable.Count() == 2 && a.mSizeVentCeiling == 2; }},
      {"Edit Opening",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::ChangeOpening{a.Id(), 0, {VENT_WALL, SHAPE_RECTANGULAR, 2, 2, 1}});
       },
       [](const CProject&, const CArea& a)
       { return a.mVentTable.Get(0)->mWidth == 2 && a.mSizeVentWallUpper == 4; }},
      {"Duplicate Opening",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::DuplicateOpening{a.Id(), 0});
       },
       [](const CProject&, const CArea& a) { return a.mVentTable.Count() == 2; }},
      {"Delete Opening",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::DeleteOpenings{a.Id(), {0}});
       },
       [](const CProject&, const CArea& a)
       { return a.mVentTable.Count() == 0 && (a.mFlags & AF_NO_OPENINGS); }},
      {"Device Count",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::SetDeviceCount{a.Id(), 1, 3});
       },
       [](const CProject&, const CArea& a) { return a.DeviceCount(1) == 3; }},
      {"Propose Devices",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a)
       {
         CDeviceCounts counts{};
         counts[2] = 4;
         d.Apply(edit::SetDeviceCounts{a.Id(), counts});
         return true;
       },
       [](const CProject&, const CArea& a) { return a.DeviceCount(2) == 4; }},
      {"Hazard Class",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a) {
         return d.Apply(edit::SetHazard{a.Id(), 1});
       },
       [](const CProject&, const CArea& a) { return a.mHazard == 1; }},
      {"Volume Notes",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea& a)
       {
         d.Apply(edit::SetVolumeNotes{a.Id(), "Dry"});
         return true;
       },
       [](const CProject&, const CArea& a) { return a.mNotes == "Dry"; }},
      {"Include Project Notes",
       {.mHeader = true},
       false,
       [](CProjectDocument& d, CArea&)
       {
         d.Apply(edit::SetIncludeProjectNotes{true});
         return true;
       },
       [](const CProject& p, const CArea&) { return p.mIncludeNotes; }},
      {"Units",
       {.mUnits = true},
       false,
       [](CProjectDocument& d, CArea&) { return d.Apply(edit::SetUnits{1}); },
       [](const CProject& p, const CArea&) { return p.mUnits == 1; }},
      {"Project Reference",
       {.mHeader = true},
       false,
       [](CProjectDocument& d, CArea&)
       {
         d.Apply(edit::SetProjectReference{"  A   12 "});
         return true;
       },
       [](const CProject& p, const CArea&) { return p.mProject_Reference == "A 12"; }},
      {"Customer",
       {.mHeader = true},
       false,
       [](CProjectDocument& d, CArea&)
       {
         CAddress customer;
         customer.mName = "Mill";
         d.Apply(edit::SetCustomer{customer});
         return true;
       },
       [](const CProject& p, const CArea&) { return p.mCustomer.mName == "Mill"; }},
      {"New Volume",
       {.mVolumeSet = true},
       false,
       [](CProjectDocument& d, CArea&) {
         return d.Apply(edit::NewVolume{"Store", 2});
       },
       [](const CProject& p, const CArea&) { return p.mAreaTable.Find("Store") != nullptr; }},
      // A schedule of one row is about that one volume.
      {"Import Schedule",
       {.mVolumes = true},
       true,
       [](CProjectDocument& d, CArea&)
       {
         const CSchedule schedule =
             ReadSchedule("name,hazard_class,length_m,width_m,height_m\r\nHall,"
                          "CLASS A - SURFACE FIRES,6,5,2\r\n",
                          d.Project());
         return d.Apply(edit::ImportSchedule{&schedule});
       },
       [](const CProject&, const CArea& a) { return a.mVolume == 60; }},
  };
  for (const CCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    CEditFixture f;
    ASSERT_TRUE(c.edit(f.document, *f.hall));
    EXPECT_TRUE(c.applied(f.document.Project(), *f.hall));
    ASSERT_EQ(f.recorder.mTold.size(), 1u); // one calculation, told once
    CDocumentChange told = c.told;
    told.mVolume = c.told.mVolumeSet ? f.document.Project().mAreaTable.Find("Store")
                   : c.aboutHall     ? f.hall
                                     : nullptr;
    EXPECT_EQ(f.recorder.mTold[0], told);
    EXPECT_EQ(f.document.UndoName(), c.name);
  }

  // Deleting a volume tells of no volume: it is gone.
  CEditFixture f;
  EXPECT_TRUE(f.document.Apply(edit::DeleteVolumes{{VolumeIdOf(f.document.Project(), "Hall")}}));
  ASSERT_EQ(f.recorder.mTold.size(), 1u);
  EXPECT_EQ(f.recorder.mTold[0], CDocumentChange{.mVolumeSet = true});
  EXPECT_EQ(f.recorder.mTold[0].mVolume, nullptr);
  // A bare calculation is told as no edit.
  f.document.Project().RecalculateProject();
  EXPECT_FALSE(f.recorder.mTold.back().SaysWhat());
}

TEST(ProjectDocument, ARefusedEditIsReportedAndChangesNothing)
{
  const std::function<bool(CProjectDocument&, CArea&)> refused[] = {
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::SetVolumeSize{a.Id(), 0, -1, 0});
      },
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::ChangeOpening{a.Id(), 5, {}});
      },
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::DeleteOpenings{a.Id(), {0, 1}});
      },
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::DuplicateOpening{a.Id(), 1});
      },
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::SetDeviceCount{a.Id(), DeviceModelCount, 1});
      },
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::SetHazard{a.Id(), -1});
      },
      [](CProjectDocument& d, CArea&) { return d.Apply(edit::SetUnits{2}); },
      [](CProjectDocument& d, CArea&) {
        return d.Apply(edit::NewVolume{"Hall", 0});
      },
      [](CProjectDocument& d, CArea&) {
        return d.Apply(edit::NewVolume{"  ", 0});
      },
      [](CProjectDocument& d, CArea& a) {
        return d.Apply(edit::RenameVolume{a.Id(), " "});
      },
      [](CProjectDocument& d, CArea& a) { return d.Apply(edit::DuplicateVolume{a.Id() + 99}); },
      [](CProjectDocument& d, CArea&)
      { return d.Apply(edit::DeleteVolumes{{VolumeIdOf(d.Project(), "Store")}}); },
      [](CProjectDocument& d, CArea&)
      {
        const CSchedule schedule = ReadSchedule(
            "name,hazard_class,length_m,width_m,height_m\r\nHall,x,6,5,2\r\n", d.Project());
        return d.Apply(edit::ImportSchedule{&schedule});
      },
  };
  for (std::size_t i = 0; i < std::size(refused); ++i)
  {
    SCOPED_TRACE(i);
    CEditFixture f;
    const CProjectSnapshot before(f.document.Project());
    EXPECT_FALSE(refused[i](f.document, *f.hall));
    EXPECT_FALSE(before.Differs(f.document.Project()));
    EXPECT_TRUE(f.recorder.mTold.empty());
  }

  // Sizes refused in part: the valid one is taken, the call still says no.
  CEditFixture f;
  EXPECT_FALSE(f.document.Apply(edit::SetVolumeSize{f.hall->Id(), 5, 0, 3}));
  EXPECT_EQ(f.hall->mLength, 5);
  EXPECT_EQ(f.hall->mWidth, 8);
  EXPECT_EQ(f.recorder.mTold.size(), 1u);
  // A reference left as it was is no edit.
  f.document.Apply(edit::SetProjectReference{""});
  EXPECT_EQ(f.recorder.mTold.size(), 1u);
}

TEST(ProjectDocument, LengthsOutOfRangeAreRefusedWithTheReason)
{
  const std::string range =
      "is outside the lengths the calculation takes, from 1e-50 m to 1e+50 m.";
  struct CCase
  {
    std::function<bool(CProjectDocument&, CArea&, std::string*)> edit;
    std::string reason;
  };
  const CCase cases[] = {
      {[](CProjectDocument& d, CArea& a, std::string* r) {
         return d.Apply(edit::SetVolumeSize{a.Id(), 1e200, 1e200, 1e200}, r);
       },
       "The length 1e+200 m " + range},
      {[](CProjectDocument& d, CArea& a, std::string* r) {
         return d.Apply(edit::SetVolumeSize{a.Id(), 1e-60, 1e51, 0}, r);
       },
       "The length 1e-60 m " + range},
      {[](CProjectDocument& d, CArea& a, std::string* r) {
         return d.Apply(edit::AddOpening{a.Id(), {VENT_WALL, SHAPE_RECTANGULAR, 1, 1e51, 0.5}}, r);
       },
       "The height 1e+51 m " + range},
      {[](CProjectDocument& d, CArea& a, std::string* r) {
         return d.Apply(edit::ChangeOpening{a.Id(), 0, {VENT_FLOOR, SHAPE_CIRCULAR, 1e200, 0, 0}},
                        r);
       },
       "The diameter 1e+200 m " + range},
      {[](CProjectDocument& d, CArea& a, std::string* r) {
         return d.Apply(edit::ChangeOpening{a.Id(), 0, {VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 2}}, r);
       },
       "The upper share must be from 0% to 100%."},
  };
  for (const CCase& c : cases)
  {
    SCOPED_TRACE(c.reason);
    CEditFixture f;
    const CProjectSnapshot before(f.document.Project());
    std::string reason;
    EXPECT_FALSE(c.edit(f.document, *f.hall, &reason));
    EXPECT_EQ(reason, c.reason);
    EXPECT_FALSE(before.Differs(f.document.Project()));
    EXPECT_TRUE(f.recorder.mTold.empty());
    EXPECT_FALSE(f.hall->mFlags & AF_SIZE_OUT_OF_RANGE);
  }
  // In feet, the reason speaks in feet; the length in range is taken.
  CEditFixture f;
  ASSERT_TRUE(f.document.Apply(edit::SetUnits{UNITS_IMPERIAL}));
  std::string reason;
  EXPECT_FALSE(f.document.Apply(edit::SetVolumeSize{f.hall->Id(), 3.048e60, 5, 3}, &reason));
  EXPECT_EQ(reason, "The length 1e+61 ft is outside the lengths the calculation takes, from "
                    "3.28084e-50 ft to 3.28084e+50 ft.");
  EXPECT_EQ(f.hall->mWidth, 5);
  EXPECT_TRUE(f.document.Apply(edit::SetVolumeSize{f.hall->Id(), 1e50, 1e50, 1e50}, &reason));
  EXPECT_EQ(reason, "");
  EXPECT_TRUE(f.document.Apply(
      edit::AddOpening{f.hall->Id(), {VENT_WALL, SHAPE_RECTANGULAR, 0, 0, 1}}, &reason));
}

// The windows choose a customer or designer by looking the name up in the
// shared list and handing the entry as listed to the document.
TEST(ProjectDocument, CustomerAndDesignerAreTakenOnlyAsListed)
{
  CAddressBook book;
  book.Put({"Acme Corp", "1 Road", "", "York", "", "UK", "YO1"});
  CNameList designers;
  designers.Add("Ann Lee");
  CProjectDocument document;
  const CProject& p = document.Project();
  CAddress entry;
  ASSERT_TRUE(book.Get("  Acme  Corp", entry));
  document.Apply(edit::SetCustomer{entry});
  EXPECT_EQ(p.mCustomer.mAddress1, "1 Road");
  EXPECT_EQ(p.mCustomer.mName, "Acme Corp");
  EXPECT_FALSE(book.Get("Nobody", entry));
  EXPECT_EQ(p.mCustomer.mName, "Acme Corp");

  std::string stored;
  ASSERT_TRUE(designers.Get("Ann Lee", stored));
  document.Apply(edit::SetDesigner{stored});
  EXPECT_EQ(p.mProject_Designer, "Ann Lee");
  EXPECT_FALSE(designers.Get("ann lee", stored));
  EXPECT_EQ(p.mProject_Designer, "Ann Lee");
  document.Project().ClearDesigner();
  EXPECT_EQ(p.mProject_Designer, "");
}

TEST(ProjectDocumentFile, OpenedForChangeItSavesOnlyOverTheFileItRead)
{
  CTempFolder temp;
  const std::string path = (temp.Path() / "Plant.ad").string();
  auto open = [&](CProjectDocument& document, bool mayBeNew, std::string* error)
  {
    document.Project().SetName("Plant");
    document.Project().mPath = path;
    return document.OpenForChange(mayBeNew, error);
  };
  std::string error;
  {
    // No file: new only where that is allowed, and then a file that appears
    // meanwhile is not replaced.
    CProjectDocument missing;
    EXPECT_FALSE(open(missing, false, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    CProjectDocument fresh;
    ASSERT_TRUE(open(fresh, true, &error)) << error;
    WriteBytes(path, "another program's");
    EXPECT_FALSE(fresh.Save(&error));
    EXPECT_NE(error.find("changed by another program"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), "another program's");
    std::filesystem::remove(path);
    ASSERT_TRUE(fresh.Save(&error)) << error;
  }
  // Open here: another opening for change is refused until this one ends.
  auto first = std::make_unique<CProjectDocument>();
  ASSERT_TRUE(open(*first, false, &error)) << error;
  CProjectDocument second;
  EXPECT_FALSE(open(second, false, &error));
  EXPECT_NE(error.find("open in the program"), std::string::npos) << error;
  first.reset();
  CProjectDocument third;
  EXPECT_TRUE(open(third, false, &error)) << error;
}

TEST(ProjectDocument, RenamesAreCheckedAndCopiesGetTheNextFreeNumber)
{
  CProjectDocument document;
  CProject& p = document.Project();
  for (const char* name : {"Hall", "Store", "Hall (2)"})
    p.mAreaTable.AddNew(name, 0);
  const CVolumeId hall = VolumeIdOf(p, "Hall");
  std::string reason;
  EXPECT_FALSE(document.Apply(edit::RenameVolume{hall, "Store"}, &reason));
  EXPECT_EQ(reason, "The name \"Store\" is already used by a volume of this project.  Each volume "
                    "needs a name of its own.");
  EXPECT_TRUE(document.Apply(edit::RenameVolume{hall, "  Main   Hall "}, &reason));
  EXPECT_EQ(p.mAreaTable.FindId(hall)->mName, "Main Hall");
  EXPECT_EQ(p.mAreaTable.Get(0)->Id(), VolumeIdOf(p, "Hall (2)")); // sorted by the new name

  EXPECT_EQ(DuplicateName(p, "Store"), "Store (2)");
  EXPECT_EQ(DuplicateName(p, "Hall (2)"), "Hall (3)");
  EXPECT_EQ(DuplicateName(p, "Lab (x)"), "Lab (x) (2)");
  p.mAreaTable.FindId(hall)->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 1);
  ASSERT_TRUE(document.Apply(edit::DuplicateVolume{hall}));
  const CArea* copy = p.mAreaTable.Find("Main Hall (2)");
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->Id(), hall);
  EXPECT_EQ(copy->mVentTable.Count(), 1u);
}

TEST(ProjectDocument, PastedVolumesGetFreeNamesKeepTheirSizesOrAreRefusedWithTheReason)
{
  // Copied from a project in feet: a hall of 40 x 20 x 10 ft with all it holds.
  CProject feet;
  feet.mUnits = UNITS_IMPERIAL;
  feet.mAreaTable.AddNew("Hall", 1);
  CArea& source = *feet.mAreaTable.Find("Hall");
  source.SetLength(12.192);
  source.SetWidth(6.096);
  source.SetHeight(3.048);
  source.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.3048, 0.6096, 0.5);
  source.SetDeviceCount(2, 7);
  source.SetNotes("Dry");
  source.SetIncludeNotes(true);
  feet.RecalculateProject();
  std::string bytes;
  ASSERT_TRUE(VolumesClipboardBytes(feet, {source.Id()}, bytes));
  CClipboardVolumes copied;
  ASSERT_TRUE(ReadVolumesClipboardBytes(bytes, copied));

  // Pasted into a metric project holding "Hall" and "Hall (2)".
  CProjectDocument document;
  CProject& p = document.Project();
  for (const char* name : {"Hall", "Hall (2)"})
    p.mAreaTable.AddNew(name, 0);
  std::string reason;
  ASSERT_TRUE(document.Apply(edit::PasteVolumes{copied.mVolumes}, &reason)) << reason;
  const CArea* pasted = p.mAreaTable.Find("Hall (3)");
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->mLength, 12.192);
  EXPECT_EQ(pasted->mHeight, 3.048);
  EXPECT_FALSE(pasted->mVentTable.Differs(source.mVentTable));
  EXPECT_EQ(pasted->DeviceCount(2), 7u);
  EXPECT_EQ(pasted->mNotes, "Dry");
  EXPECT_TRUE(pasted->mIncludeNotes);
  EXPECT_EQ(pasted->mMassRequired, source.mMassRequired);

  // Equal names of one paste (rows of a spreadsheet) each get their own.
  CClipboardVolumes rows;
  ASSERT_TRUE(ReadVolumesClipboardText("Room\tCLASS A - SURFACE FIRES\t2\t3\t4\n"
                                       "Room\tCLASS A - SURFACE FIRES\t5\t3\t4\n",
                                       p, rows));
  EXPECT_EQ(PastedNames(p, rows.mVolumes), (std::vector<std::string>{"Room", "Room (2)"}));
  ASSERT_TRUE(document.Apply(edit::PasteVolumes{rows.mVolumes}));
  EXPECT_EQ(p.mAreaTable.Find("Room (2)")->mLength, 5);
  EXPECT_EQ(document.UndoName(), "Paste Volumes");

  // Refused, changing nothing: no volumes, no name, a name or notes too long.
  const std::size_t count = p.mAreaTable.Count();
  auto named = [](std::string name, std::string notes = {})
  {
    auto volume = std::make_shared<CArea>(nullptr, std::move(name), 0);
    volume->SetNotes(std::move(notes));
    return std::vector<std::shared_ptr<const CArea>>{volume};
  };
  const std::string longest(65535, 'x');
  p.mAreaTable.AddNew(longest, 0);
  const std::pair<std::vector<std::shared_ptr<const CArea>>, std::string> refused[] = {
      {{}, "There are no volumes to paste."},
      {{nullptr}, "There are no volumes to paste."},
      {named(" \t "), "A volume needs a name."},
      {named(longest),
       "The name of a pasted volume would be longer than the 65535 characters a name can have."},
      {named("Lab", longest + "x"),
       "The notes of the volume \"Lab\" are longer than the 65535 characters notes can have."},
  };
  for (const auto& [volumes, why] : refused)
  {
    EXPECT_FALSE(document.Apply(edit::PasteVolumes{volumes}, &reason));
    EXPECT_EQ(reason, why);
    EXPECT_EQ(p.mAreaTable.Count(), count + 1);
  }
}
