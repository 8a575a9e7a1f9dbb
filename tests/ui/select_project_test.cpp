// The Open Project dialog over a scratch work folder.

#include "storage/project_file.h"
#include "ui/select_project_dialog.h"

#include "storage/recent_projects.h"
#include "tests/common/child_processes.h"
#include "ui/qt_settings_store.h"

#include "tests/ui/shell_fixture.h"
#include "ui/open_project.h"
#include "ui/string_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
class SelectProject : public CShellTest
{
protected:
  QStringList Names(const CSelectProjectDialog& dialog) const
  {
    QStringList names;
    for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i)
      names << dialog.List()->topLevelItem(i)->text(0);
    return names;
  }
  void Select(CSelectProjectDialog& dialog, std::initializer_list<int> rows)
  {
    dialog.List()->clearSelection();
    for (int row : rows)
      dialog.List()->topLevelItem(row)->setSelected(true);
  }
  void PickFolder(CSelectProjectDialog& dialog, const QString& folder)
  {
    dialog.mPickFolder = [folder](QWidget*, const QString&) { return folder; };
  }
  static QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }
};
} // namespace

TEST_F(SelectProject, ListsReadableProjectFilesThatAreNotOpen)
{
  SaveProject(mWork, "beta", "Ann Lee", "R-2");
  SaveProject(mWork, "Alpha", "", "R-1");
  SaveProject(mWork, "Open one");
  fs::create_directory(mWork / "folder.ad");
  std::ofstream(mWork / "Future.ad", std::ios::binary) << std::string("\x05\0\0\0", 4);
  std::ofstream(mWork / "junk.ad", std::ios::binary) << "junk";
  fs::copy_file(mWork / "beta.ad", mWork / "upper.AD");
  ASSERT_TRUE(OpenProject("Open one", nullptr));

  CSelectProjectDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "Open Project");
  EXPECT_EQ(dialog.FolderLabel()->text(), Q(mWork));
  EXPECT_EQ(Names(dialog), QStringList({"Alpha", "beta"}));
  ASSERT_EQ(dialog.List()->columnCount(), 4);
  QTreeWidgetItem* beta = dialog.List()->topLevelItem(1);
  EXPECT_EQ(beta->text(2), "Ann Lee");
  EXPECT_EQ(beta->text(3), "R-2");
  EXPECT_FALSE(beta->text(1).isEmpty()); // the stored date
  // The file that failed to read cannot be opened by name either.
  EXPECT_FALSE(OpenProject("Future", nullptr));
}

TEST_F(SelectProject, ButtonsFollowTheNumberOfSelectedRows)
{
  SaveProject(mWork, "a");
  SaveProject(mWork, "b");
  CSelectProjectDialog dialog;
  dialog.show();
  auto states = [&]
  {
    return std::vector<bool>{dialog.OpenButton()->isEnabled(), dialog.RenameButton()->isEnabled(),
                             dialog.MoveButton()->isEnabled(), dialog.DeleteButton()->isEnabled()};
  };
  EXPECT_EQ(states(), std::vector<bool>({false, false, false, false}));
  Select(dialog, {1});
  EXPECT_EQ(states(), std::vector<bool>({true, true, true, true}));
  Select(dialog, {0, 1});
  EXPECT_EQ(states(), std::vector<bool>({false, false, true, true}));
  EXPECT_TRUE(dialog.ChangeDirectoryButton()->isEnabled());

  // Open hands back the one selected name.
  Select(dialog, {1});
  dialog.OpenButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mName, "b");
}

TEST_F(SelectProject, DeleteAsksForEachFileInListOrder)
{
  for (const char* name : {"a", "b", "c"})
    SaveProject(mWork, name);
  CSelectProjectDialog dialog;
  Select(dialog, {2, 0});
  mPrompts.mAnswers = {CPromptAnswer::Ok, CPromptAnswer::Cancel};
  dialog.DeleteButton()->click();
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_EQ(mPrompts.mCaptions[0], "Confirmation");
  EXPECT_EQ(mPrompts.mTexts[0], "If you are sure you want to permanently delete the project file "
                                "for \"a\", click \"OK\", otherwise click \"CANCEL\".");
  EXPECT_TRUE(mPrompts.mTexts[1].contains("\"c\""));
  EXPECT_FALSE(fs::exists(mWork / "a.ad"));
  EXPECT_TRUE(fs::exists(mWork / "c.ad"));
  EXPECT_EQ(Names(dialog), QStringList({"b", "c"}));
}

TEST_F(SelectProject, MoveRefusesTheSameFolderHoweverItIsWritten)
{
  SaveProject(mWork, "job");
  fs::create_directory_symlink(mWork, mRoot / "alias");
  for (const QString& same : {Q(mWork), Q(mWork) + "/.", Q(mRoot / "alias")})
  {
    CSelectProjectDialog dialog;
    Select(dialog, {0});
    PickFolder(dialog, same);
    mPrompts.mTexts.clear();
    mPrompts.mCaptions.clear();
    dialog.MoveButton()->click();
    ASSERT_EQ(mPrompts.mTexts.size(), 1) << same.toStdString();
    EXPECT_EQ(mPrompts.mCaptions[0], "Error");
    EXPECT_EQ(mPrompts.mTexts[0],
              "The directory you choose must be different than the directory they are in "
              "already.");
    EXPECT_TRUE(fs::exists(mWork / "job.ad"));
  }
}

TEST_F(SelectProject, MoveAsksBeforeReplacingAFileInTheTarget)
{
  const fs::path other = mRoot / "other";
  fs::create_directory(other);
  SaveProject(mWork, "kept", "", "mine");
  SaveProject(mWork, "replaced", "", "new");
  SaveProject(mWork, "solo");
  SaveProject(other, "kept", "", "theirs");
  SaveProject(other, "replaced", "", "old");

  CSelectProjectDialog dialog;
  ASSERT_EQ(Names(dialog), QStringList({"kept", "replaced", "solo"}));
  Select(dialog, {0, 1, 2});
  PickFolder(dialog, Q(other));
  mPrompts.mAnswers = {CPromptAnswer::Cancel, CPromptAnswer::Ok};
  dialog.MoveButton()->click();
  ASSERT_EQ(mPrompts.mTexts.size(), 2); // solo needs no question
  EXPECT_EQ(mPrompts.mCaptions[0], "Confirmation");
  EXPECT_EQ(mPrompts.mTexts[0],
            QString("The project file for \"kept\" already exists in \"%1\".  If you would like "
                    "to overwrite the file that is in \"%1\", click \"OK\", otherwise, if you "
                    "would like to cancel this operation, click \"CANCEL\".")
              .arg(Q(other)));
  EXPECT_EQ(Names(dialog), QStringList({"kept"}));
  EXPECT_TRUE(fs::exists(other / "solo.ad"));

  CProject moved;
  moved.SetName("replaced");
  moved.mPath = (other / "replaced.ad").string();
  ASSERT_TRUE(::LoadProject(moved));
  EXPECT_EQ(moved.mProject_Reference, "new");
}

TEST_F(SelectProject, RenameTakesANewNameAndRefusesTheOldOne)
{
  SaveProject(mWork, "old");
  CSelectProjectDialog dialog;
  Select(dialog, {0});
  QString initial;
  RunSoon(&dialog,
          [&]
          {
            auto* prompt = ActiveDialog<CStringDialog>();
            ASSERT_NE(prompt, nullptr);
            initial = prompt->TextField()->text();
            prompt->OkButton()->click(); // the unchanged name is in use
            QApplication::processEvents();
            EXPECT_TRUE(prompt->isVisible());
            prompt->TextField()->setText("sub/new"); // refused, not cut short
            prompt->OkButton()->click();
            QApplication::processEvents();
            EXPECT_TRUE(prompt->isVisible());
            EXPECT_EQ(prompt->TextField()->text(), "sub/new");
            prompt->TextField()->setText("new");
            prompt->OkButton()->click();
            QApplication::processEvents();
            if (prompt->isVisible())
              prompt->reject();
          });
  dialog.RenameButton()->click();
  EXPECT_EQ(initial, "old");
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("\"old\" is already in use"));
  EXPECT_TRUE(mPrompts.mTexts[1].contains("\"sub/new\" cannot be used"));
  EXPECT_TRUE(fs::exists(mWork / "new.ad"));
  EXPECT_FALSE(fs::exists(mWork / "old.ad"));
  EXPECT_EQ(Names(dialog), QStringList({"new"}));
  // The renamed file stays selected.
  EXPECT_TRUE(dialog.List()->topLevelItem(0)->isSelected());
  EXPECT_TRUE(dialog.RenameButton()->isEnabled());
}

TEST_F(SelectProject, RenameMoveAndDeleteKeepTheRecentListTrue)
{
  const fs::path other = mRoot / "other", here = fs::current_path();
  fs::create_directory(other);
  for (const char* name : {"a", "b", "c"})
    SaveProject(mWork, name);
  for (const fs::path& path :
       {mRoot / "elsewhere.ad", mWork / "a.ad", mWork / "b.ad", mWork / "c.ad"})
    AddRecentProject(mSettings, path.string());
  auto listed = [&](std::initializer_list<fs::path> paths)
  {
    std::vector<std::string> expected;
    for (const fs::path& path : paths)
      expected.push_back(path.string());
    EXPECT_EQ(ReadRecentProjects(mSettings), expected);
  };
  CSelectProjectDialog dialog;
  Select(dialog, {1});
  RunSoon(&dialog,
          [&]
          {
            auto* prompt = ActiveDialog<CStringDialog>();
            ASSERT_NE(prompt, nullptr);
            prompt->TextField()->setText("renamed");
            prompt->OkButton()->click();
          });
  dialog.RenameButton()->click();
  listed({mWork / "c.ad", here / "renamed.ad", mWork / "a.ad", mRoot / "elsewhere.ad"});

  ASSERT_EQ(Names(dialog), QStringList({"a", "c", "renamed"}));
  Select(dialog, {1});
  PickFolder(dialog, Q(other));
  dialog.MoveButton()->click();
  listed({other / "c.ad", here / "renamed.ad", mWork / "a.ad", mRoot / "elsewhere.ad"});

  Select(dialog, {0});
  mPrompts.mAnswers = {CPromptAnswer::Ok};
  dialog.DeleteButton()->click();
  listed({other / "c.ad", here / "renamed.ad", mRoot / "elsewhere.ad"});
}

TEST(RecentProjectsInTheSettingsFile, CopiesChangingItAtOnceLoseNoEntry)
{
  const CTempFolder temp;
  const QString config = QString::fromStdString(temp.Path().string());
  // Four copies put their two projects first, again and again: eight
  // entries in all, so none ever falls off the end.
  int failed = 0;
  RunChildren(
      4,
      [&](int child, int)
      {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        CQtSettingsStore store;
        for (int round = 0; round < 25; ++round)
          for (int i = 0; i < 2; ++i)
            AddRecentProject(store,
                             "/jobs/P" + std::to_string(child) + "-" + std::to_string(i) + ".ad");
        return 0;
      },
      failed);
  EXPECT_EQ(failed, 0);
  QSettings file(config + "/Vantor/Vantor (R) System Calculation Program.ini",
                 QSettings::IniFormat);
  QStringList paths;
  for (int i = 1; i <= 8; ++i)
    paths << file.value(QString("Recent Projects/File%1").arg(i)).toString();
  paths.removeDuplicates();
  paths.removeAll("");
  EXPECT_EQ(paths.size(), 8) << paths.join(' ').toStdString();
}

TEST_F(SelectProject, RemembersItsSizeAndTheColumnWidthsTheUserSet)
{
  SaveProject(mWork, "Warehouse West");
  QSize size;
  {
    CSelectProjectDialog dialog;
    dialog.show();
    QApplication::processEvents();
    dialog.resize(dialog.width() + 120, dialog.height() + 80);
    QApplication::processEvents();
    size = dialog.size();
    dialog.List()->header()->resizeSection(0, 210);
    dialog.reject();
  }
  EXPECT_EQ(mSettings.Read(CSelectProjectDialog::kSettingsSection, CSelectProjectDialog::kSizeKey),
            QString("%1x%2").arg(size.width()).arg(size.height()).toStdString());
  CSelectProjectDialog again;
  again.show();
  QApplication::processEvents();
  EXPECT_EQ(again.size(), size);
  EXPECT_EQ(again.List()->header()->sectionSize(0), 210);
  again.resize(size + QSize(40, 0)); // the user's widths stay as they are
  QApplication::processEvents();
  EXPECT_EQ(again.List()->header()->sectionSize(0), 210);
}

TEST_F(SelectProject, ChangeDirectoryRemembersAFolderThatCanBeEntered)
{
  const fs::path other = mRoot / "other";
  fs::create_directory(other);
  SaveProject(other, "elsewhere");
  CSelectProjectDialog dialog;
  EXPECT_TRUE(Names(dialog).isEmpty());

  PickFolder(dialog, Q(mRoot / "gone"));
  dialog.ChangeDirectoryButton()->click();
  EXPECT_EQ(mPrompts.mTexts.size(), 1); // told, and nothing changed
  EXPECT_FALSE(mSettings.Contains("Settings", "Directory"));
  EXPECT_EQ(fs::current_path(), mWork);

  PickFolder(dialog, Q(other));
  dialog.ChangeDirectoryButton()->click();
  EXPECT_EQ(fs::current_path(), other);
  EXPECT_EQ(mSettings.Read("Settings", "Directory"), other.string());
  EXPECT_EQ(dialog.FolderLabel()->text(), Q(other));
  EXPECT_EQ(Names(dialog), QStringList({"elsewhere"}));

  // Nothing picked: the list is simply read again.
  PickFolder(dialog, QString());
  SaveProject(other, "added");
  dialog.ChangeDirectoryButton()->click();
  EXPECT_EQ(Names(dialog), QStringList({"added", "elsewhere"}));
}

TEST_F(SelectProject, EnterPressesTheFocusedButtonRatherThanOpen)
{
  SaveProject(mWork, "a");
  CSelectProjectDialog dialog;
  ASSERT_TRUE(ShowActive(dialog));
  Select(dialog, {0});
  int picked = 0;
  dialog.mPickFolder = [&picked](QWidget*, const QString&)
  {
    ++picked;
    return QString();
  };
  for (QPushButton* button : {dialog.DeleteButton(), dialog.MoveButton()})
  {
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Return);
    QApplication::processEvents();
  }
  EXPECT_EQ(mPrompts.mCaptions, QStringList({"Confirmation"})); // Delete asked (and was cancelled)
  EXPECT_EQ(picked, 1);                                          // Move asked for a folder
  EXPECT_TRUE(dialog.isVisible());                               // Open was never pressed
  EXPECT_TRUE(OpenProjects().Empty());
}
