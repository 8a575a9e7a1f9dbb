#include "ui/main_frame.h"

#include "document/open_projects.h"
#include "tests/ui/shell_fixture.h"
#include "ui/about_dialog.h"
#include "ui/open_project.h"
#include "ui/string_dialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

TEST(MainFrame, HasTheApplicationTitleAndAClientArea)
{
  CMainFrame frame;
  frame.show();
  EXPECT_EQ(frame.windowTitle(), "Vantor (R) System Calculation Program");
  EXPECT_NE(frame.MdiArea(), nullptr);
}

namespace
{
using MainFrameShell = CShellTest;

// Answers the Project Name prompt with a name, or cancels it when empty.
void AnswerProjectName(QObject* context, const QString& name)
{
  CShellTest::RunSoon(context,
                      [name]
                      {
                        auto* dialog = ActiveDialog<CStringDialog>();
                        ASSERT_NE(dialog, nullptr);
                        EXPECT_EQ(dialog->windowTitle(), "Project Name");
                        if (name.isEmpty())
                        {
                          dialog->reject();
                          return;
                        }
                        dialog->TextField()->setText(name);
                        dialog->OkButton()->click();
                        QApplication::processEvents();
                        if (dialog->isVisible())
                          dialog->reject();
                      });
}
} // namespace

TEST_F(MainFrameShell, ExitAsksAboutAnOpenProjectAndCancelKeepsIt)
{
  ASSERT_TRUE(OpenProject("Plant room", nullptr));
  ASSERT_EQ(OpenProjects().Count(), 1u);
  EXPECT_EQ(mFrame->MdiArea()->subWindowList().size(), 1);
  OpenProjects().Find("Plant room")->SetProjectReference("R-1");

  mPrompts.mAnswers = {CPromptAnswer::Cancel};
  mFrame->ExitAction()->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(mFrame->isVisible());
  EXPECT_EQ(OpenProjects().Count(), 1u);
  ASSERT_EQ(mPrompts.mCaptions.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], kAppTitle);
  EXPECT_EQ(mPrompts.mTexts[0],
            "The project \"Plant room\" is not saved.  Do you want to save it?");
  EXPECT_EQ(mPrompts.mIcons[0], CPromptIcon::Question);

  // Answering No to saving lets the program end.
  mPrompts.mCaptions.clear();
  mFrame->ExitAction()->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_FALSE(mFrame->isVisible());
  EXPECT_EQ(mPrompts.mCaptions.size(), 1);
}

TEST_F(MainFrameShell, FileNewOpensAWindowUnderTheTypedNameAndCancelOpensNothing)
{
  AnswerProjectName(mFrame.get(), "");
  mFrame->NewAction()->trigger();
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_TRUE(mFrame->MdiArea()->subWindowList().isEmpty());

  // Ctrl+N is a real shortcut; a typed path is refused with a word rather
  // than cut down to its last component.
  mFrame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(mFrame.get()));
  AnswerProjectName(mFrame.get(), "jobs/Warehouse");
  QTest::keyClick(mFrame.get(), Qt::Key_N, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_TRUE(OpenProjects().Empty());
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].startsWith("The project name \"jobs/Warehouse\" cannot be used"));
  mFrame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(mFrame.get()));
  AnswerProjectName(mFrame.get(), "Warehouse");
  QTest::keyClick(mFrame.get(), Qt::Key_N, Qt::ControlModifier);
  QApplication::processEvents();
  ASSERT_NE(OpenProjects().Find("Warehouse"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(mWork / "Warehouse.ad")); // not written until saved
  ASSERT_EQ(mFrame->MdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(mFrame->MdiArea()->subWindowList()[0]->windowTitle(), "Warehouse");
  EXPECT_TRUE(mFrame->windowTitle().contains("Warehouse"));

  // The same name again is refused while the first is open.
  EXPECT_FALSE(OpenProject("Warehouse", nullptr));
  EXPECT_EQ(OpenProjects().Count(), 1u);
}

TEST_F(MainFrameShell, AProjectFileThatDoesNotReadOpensNothingAndSaysSo)
{
  std::ofstream(mWork / "Broken.ad", std::ios::binary) << "not a project";
  // Version 5 is newer than this program reads.
  std::ofstream(mWork / "Future.ad", std::ios::binary) << std::string("\x05\0\0\0", 4);
  for (const char* name : {"Broken", "Future"})
  {
    mPrompts.mTexts.clear();
    EXPECT_FALSE(OpenProject(name, nullptr)) << name;
    EXPECT_EQ(OpenProjects().Find(name), nullptr);
    ASSERT_EQ(mPrompts.mTexts.size(), 1) << name;
    EXPECT_TRUE(mPrompts.mTexts[0].contains(QString("\"%1\"").arg(name)));
  }
  EXPECT_TRUE(mFrame->MdiArea()->subWindowList().isEmpty());

  // A readable file opens with what it holds.
  SaveProject(mWork, "Good", "", "REF-7");
  ASSERT_TRUE(OpenProject("Good", nullptr));
  EXPECT_EQ(OpenProjects().Find("Good")->mProject_Reference, "REF-7");
}

TEST_F(MainFrameShell, ProjectNamePromptRefusesEmptyTakenAndFolderNames)
{
  SaveProject(mWork, "Taken");
  std::string name;
  bool ok = true;
  RunSoon(mFrame.get(),
          [&]
          {
            auto* dialog = ActiveDialog<CStringDialog>();
            ASSERT_NE(dialog, nullptr);
            for (const char* typed : {"  ", "x/..", "Taken", "a\\Taken"})
            {
              dialog->TextField()->setText(typed);
              dialog->TextField()->setModified(true);
              dialog->OkButton()->click();
              QApplication::processEvents();
              EXPECT_TRUE(dialog->isVisible()) << typed;
              EXPECT_EQ(dialog->TextField()->text(), typed); // kept as typed
            }
            dialog->reject();
          });
  ok = AskProjectName(mFrame.get(), "", name);
  EXPECT_FALSE(ok);
  ASSERT_EQ(mPrompts.mTexts.size(), 4);
  EXPECT_EQ(mPrompts.mTexts[0],
            "Each project must have a unique name.  Please choose a name for this project.");
  // A folder part would be lost: refused, not cut away.
  const auto separator = [](const char* name)
  {
    return QString("The project name \"%1\" cannot be used: a project name cannot contain "
                   "\"/\" or \"\\\", which would lose the part before it.  Please choose a "
                   "name without them.")
      .arg(name);
  };
  EXPECT_EQ(mPrompts.mTexts[1], separator("x/.."));
  EXPECT_EQ(mPrompts.mTexts[2],
            "The project name \"Taken\" is already in use.  Each project name must be unique.  "
            "Please choose a different name for this project.");
  EXPECT_EQ(mPrompts.mTexts[3], separator("a\\Taken"));
  for (const QString& caption : mPrompts.mCaptions)
    EXPECT_EQ(caption, "Vantor (R) System Calculation Program");
}

TEST_F(MainFrameShell, TheAboutBoxNamesTheProgramAndItsVersion)
{
  QStringList texts;
  bool hasIcon = false;
  RunSoon(mFrame.get(),
          [&]
          {
            auto* about = ActiveDialog<CAboutDialog>();
            ASSERT_NE(about, nullptr);
            for (QLabel* label : about->findChildren<QLabel*>())
            {
              texts << label->text();
              hasIcon = hasIcon || !label->pixmap().isNull();
            }
            QPushButton* ok = about->findChild<QPushButton*>();
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->text(), "OK");
            ok->click();
          });
  mFrame->AboutAction()->trigger();
  EXPECT_TRUE(texts.contains("Vantor (R) System Calculation Program"));
  EXPECT_TRUE(texts.contains("Version 2.7"));
  EXPECT_TRUE(hasIcon);
}

TEST_F(MainFrameShell, TheClientAreaPictureFollowsItsSize)
{
  mFrame->resize(900, 700);
  QApplication::processEvents();
  const QSize first = mFrame->MdiArea()->viewport()->size();
  EXPECT_EQ(mFrame->MdiArea()->Picture().size(), first);
  mFrame->resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(mFrame->MdiArea()->Picture().size(), mFrame->MdiArea()->viewport()->size());
  EXPECT_NE(mFrame->MdiArea()->Picture().size(), first);
}
