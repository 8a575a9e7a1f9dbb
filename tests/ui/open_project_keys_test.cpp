// The Open Project dialog by keyboard: the list has the focus on its first
// row, none selected; Enter opens that row.

#include "tests/ui/shell_fixture.h"
#include "ui/select_project_dialog.h"

#include <QPushButton>
#include <QTreeWidget>

using OpenProjectKeys = CShellTest;

TEST_F(OpenProjectKeys, EnterOpensTheRowUnderTheKeyboardCursor)
{
  SaveProject(mWork, "Alpha");
  SaveProject(mWork, "Beta");
  CSelectProjectDialog dialog;
  ASSERT_TRUE(ShowActive(dialog));
  QTreeWidget* list = dialog.List();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down); // the cursor to the second row
  list->clearSelection();
  ASSERT_FALSE(dialog.OpenButton()->isEnabled());

  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mName, "Beta");
}
