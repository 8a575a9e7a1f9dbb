// Recovery copies in the program: kept while a project has unsaved changes,
// removed by a save or a close, offered at start-up for restore or discard.

#include "document/open_projects.h"
#include "document/project_document.h"
#include "storage/byte_reader.h"
#include "storage/project_file.h"
#include "storage/recovery_store.h"
#include "storage/work_folder.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/project_tab_project.h"
#include "ui/recovery_keeper.h"
#include "ui/recovery_offer.h"

#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class RecoveryOffer : public ProjectWindowTest
{
protected:
  void SetUp() override
  {
    ProjectWindowTest::SetUp();
    mStore = std::make_unique<CRecoveryStore>((mState.Path() / "recovery").string());
    ASSERT_TRUE(mStore->Open());
    // The interval never passes in a test: each test writes when it wants.
    mKeeper = std::make_unique<CRecoveryKeeper>(*mStore, std::chrono::hours(24));
    SetRecoveryKeeper(mKeeper.get());
  }
  void TearDown() override
  {
    ProjectWindowTest::TearDown();
    SetRecoveryKeeper(nullptr);
    mKeeper.reset();
    mStore.reset();
  }

  // The project images in the recovery folder once the writes are done.
  int CopyCount() const
  {
    mKeeper->Wait();
    int count = 0;
    for (const auto& entry : fs::directory_iterator(mStore->Folder()))
      count += entry.path().extension() == ".ad";
    return count;
  }
  void WriteCopies()
  {
    Settle();
    mKeeper->WriteDue();
    mKeeper->Wait();
  }
  // Writes the project's file into the folder; its stamp.
  static CFileStamp WriteFile(const std::string& folder, const std::string& name,
                              const std::string& reference)
  {
    CProject project;
    project.SetName(name);
    project.mPath = folder + "/" + name + ".ad";
    project.mProject_Reference = reference;
    std::string error;
    EXPECT_TRUE(::SaveProject(project, &error)) << error;
    return CurrentStamp(project.mPath);
  }
  // Leaves a copy as a program that ended without saving does.
  void LeaveCopy(const CProject& project, const std::string& folder, const CFileStamp& base,
                 std::int64_t written, bool damaged = false)
  {
    CRecoveryStore ended(mStore->Folder());
    ASSERT_TRUE(ended.Open());
    std::string image;
    ASSERT_TRUE(EncodeProjectFile(project, image));
    ASSERT_TRUE(ended.Write(ended.NewId(), {project.mName, folder, written, base},
                            damaged ? "damaged" : image));
  }
  CVTXPageProject* Page(const CProject* project) { return Sheet(project)->ProjectPage(); }

  CTempFolder mState, mOther;
  std::unique_ptr<CRecoveryStore> mStore;
  std::unique_ptr<CRecoveryKeeper> mKeeper;
};
} // namespace

TEST_F(RecoveryOffer, ACopyIsKeptWhileChangesAreUnsavedAndGoesWithASaveOrAClose)
{
  WriteFile(".", "Plant", "");
  CProject* project = Open("Plant");
  ASSERT_NE(project, nullptr);
  CProjectDocument& document = *OpenProjects().Document(project);
  WriteCopies();
  EXPECT_EQ(CopyCount(), 0); // nothing unsaved

  document.Apply(edit::SetProjectReference{"R-1"});
  WriteCopies();
  ASSERT_EQ(CopyCount(), 1);
  const std::string image = mStore->ImagePath(mKeeper->CopyOf(project));
  CProject copy;
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(image, bytes));
  ASSERT_TRUE(ReadProjectFile(bytes, copy));
  EXPECT_EQ(copy.mProject_Reference, "R-1");
  // Not written again until something changes.
  fs::remove(image);
  WriteCopies();
  EXPECT_EQ(CopyCount(), 0);

  document.Apply(edit::SetProjectReference{"R-2"});
  WriteCopies();
  EXPECT_EQ(CopyCount(), 1);
  QTest::mouseClick(Page(project)->SaveButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(CopyCount(), 0);

  // Closed without saving: the user dropped the changes, and the copy.
  document.Apply(edit::SetProjectReference{"R-3"});
  WriteCopies();
  EXPECT_EQ(CopyCount(), 1);
  mPrompts.mAnswers = {CPromptAnswer::No};
  Window(project)->close();
  Settle();
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_EQ(CopyCount(), 0);
}

TEST_F(RecoveryOffer, RestoreOpensTheProjectModifiedInItsOwnWorkFolder)
{
  const std::string other = mOther.Path().string();
  const CFileStamp base = WriteFile(other, "Plant", "as saved");
  CProject recovered;
  recovered.SetName("Plant");
  recovered.mProject_Reference = "R-9";
  ASSERT_TRUE(recovered.mAreaTable.AddNew("Store", 0));
  LeaveCopy(recovered, other, base, 1780000000);
  WriteFile(other, "Plant", "written since by another program");

  mPrompts.mAnswers = {CPromptAnswer::Yes};
  OfferRecoveryCopies(&mFrame, *mStore);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].startsWith(
      "The program ended without saving the changes to the project \"Plant\".  A recovery copy of "
      "them was written on "));
  EXPECT_TRUE(mPrompts.mTexts[0].contains(QString("in the work folder \"%1\"").arg(other.c_str())));

  EXPECT_EQ(CurrentFolder(), other);
  CProject* project = OpenProjects().Find("Plant");
  ASSERT_NE(project, nullptr);
  EXPECT_TRUE(project->IsModified());
  EXPECT_EQ(project->mAreaTable.Count(), 1u);
  EXPECT_EQ(Page(project)->ReferenceField()->text(), "R-9");
  EXPECT_TRUE(Page(project)->SaveButton()->isEnabled());
  // The old copy is now this program's own.
  EXPECT_EQ(CopyCount(), 1);
  EXPECT_TRUE(fs::exists(mStore->ImagePath(mKeeper->CopyOf(project))));

  // The file changed since the copy's changes began: the save asks first.
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  QTest::mouseClick(Page(project)->SaveButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_TRUE(mPrompts.mTexts[1].contains("was changed by another program"));
  CProject saved;
  saved.mPath = other + "/Plant.ad";
  ASSERT_TRUE(::LoadProject(saved));
  EXPECT_EQ(saved.mProject_Reference, "R-9");
  EXPECT_EQ(CopyCount(), 0);
}

TEST_F(RecoveryOffer, ANeverSavedProjectIsOfferedWithWhereSaveWillWriteIt)
{
  const std::string other = mOther.Path().string();
  CProject recovered;
  recovered.SetName("Draft");
  LeaveCopy(recovered, other, CFileStamp(), 1780000000);
  mPrompts.mAnswers = {CPromptAnswer::Cancel};
  OfferRecoveryCopies(&mFrame, *mStore);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains(
      QString("It was never saved; Save would write it to \"Draft.ad\" in the work folder \"%1\".")
          .arg(other.c_str())))
      << mPrompts.mTexts[0].toStdString();
  EXPECT_FALSE(mPrompts.mTexts[0].contains("Its file"));
}

TEST_F(RecoveryOffer, DiscardRemovesCopiesAndDamagedOnesAreOfferedWithTheReason)
{
  CProject recovered;
  recovered.SetName("Plant");
  const std::string work = CurrentFolder();
  LeaveCopy(recovered, work, {}, 1780000000);
  LeaveCopy(recovered, work, {}, 1780000100, true);
  LeaveCopy(recovered, work, {}, 1780000200);

  mPrompts.mAnswers = {CPromptAnswer::No, CPromptAnswer::Yes, CPromptAnswer::Cancel};
  OfferRecoveryCopies(&mFrame, *mStore);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 3);
  EXPECT_TRUE(
      mPrompts.mTexts[1].startsWith("The recovery copy of the project \"Plant\", written on "));
  EXPECT_TRUE(mPrompts.mTexts[1].contains("cannot be restored: "));
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_EQ(CopyCount(), 1); // the one kept for the next start
  EXPECT_EQ(mStore->LeftCopies().size(), 1u);
}
