// The Notes and Errors pages.

#include "storage/project_file.h"
#include "tests/ui/project_test_fixture.h"

#include "ui/field_helpers.h"
#include "ui/project_tab_errors.h"
#include "ui/project_tab_notes.h"

#include <QCheckBox>
#include <QListView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QTest>

namespace
{
class NotesAndErrors : public ProjectWindowTest
{
protected:
  // The project's Notes page, shown.
  CVTXPageNotes* ShowNotes(CProject* project)
  {
    CVTXSheet* sheet = Sheet(project);
    Show(sheet, sheet->NotesPage());
    return sheet->NotesPage();
  }
};
} // namespace

TEST_F(NotesAndErrors, TheErrorsPageListsEachVolumeWithItsLabels)
{
  CProject* project = Open("Plant");
  CArea* a = AddVolume(project, "A", 0, 10, 10, 3); // within every limit, but no devices
  project->mAreaTable.AddNew("B", 0);                 // no size yet
  project->RecalculateProject();
  CVTXSheet* sheet = Sheet(project);
  Show(sheet, sheet->ErrorsPage());
  EXPECT_EQ(sheet->ErrorsPage()->Lines(),
            (QStringList{"Volume \"A\":", "", "\tBELOW UL MINIMUM (0 g/cu m selected, minimum 97 g/cu m)",
                         "", "Volume \"B\":", "", "\tZERO VOLUME"}));
  a->SetDeviceCount(7, 20);
  project->RecalculateProject();
  Settle();
  EXPECT_EQ(sheet->ErrorsPage()->Lines().at(2), "\tNO ERRORS");
  // Lines are shown, never selected.
  EXPECT_EQ(sheet->ErrorsPage()->List()->selectionMode(), QAbstractItemView::NoSelection);

  project->mAreaTable.RemoveByName("A");
  project->mAreaTable.RemoveByName("B");
  project->RecalculateProject();
  Settle();
  EXPECT_TRUE(sheet->ErrorsPage()->Lines().isEmpty());
}

TEST(TabStops, ATabIndentsToTheNextStopOfEightCharacters)
{
  QStringListModel lines(QStringList{"\tX", "X"});
  CTabStopDelegate delegate;
  QStyleOptionViewItem option;
  option.font = QFont();
  option.palette.setColor(QPalette::Base, Qt::white);
  option.palette.setColor(QPalette::Text, Qt::black);
  option.rect = QRect(0, 0, 400, 30);
  const QFontMetrics metrics(option.font);
  const qreal stop = CTabStopDelegate::TabStop(metrics);
  EXPECT_EQ(stop, 8.0 * metrics.averageCharWidth());

  auto firstInk = [&](int row)
  {
    QImage image(400, 30, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    delegate.paint(&painter, option, lines.index(row));
    painter.end();
    for (int x = 0; x < 400; ++x)
      for (int y = 0; y < 30; ++y)
        if (QColor(image.pixel(x, y)).lightness() < 128)
          return x;
    return -1;
  };
  const int plain = firstInk(1);
  const int tabbed = firstInk(0);
  ASSERT_GE(plain, 0);
  // The tabbed X starts one tab stop further right than the plain one.
  EXPECT_NEAR(tabbed - plain, stop, 2.0);
  EXPECT_GE(delegate.sizeHint(option, lines.index(0)).width(), static_cast<int>(stop));
}

TEST_F(NotesAndErrors, NotesAreTakenWhenTheEditorLosesTheFocus)
{
  CProject* project = Open("Plant");
  CVTXPageNotes* notes = ShowNotes(project);
  QPlainTextEdit* editor = notes->Editor();
  editor->setFocus();
  QTest::keyClicks(editor, "Hello");
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::keyClicks(editor, "world");
  EXPECT_TRUE(project->mNotes.empty()); // nothing taken while typing
  notes->IncludeBox()->setFocus();
  Settle();
  EXPECT_EQ(project->mNotes, "Hello\r\nworld");

  // The check box writes straight through.
  QCheckBox* include = notes->IncludeBox();
  const QPoint box(6, include->height() / 2);
  QTest::mouseClick(include, Qt::LeftButton, {}, box);
  EXPECT_TRUE(project->mIncludeNotes);
  QTest::mouseClick(include, Qt::LeftButton, {}, box);
  EXPECT_FALSE(project->mIncludeNotes);
}

TEST_F(NotesAndErrors, UntouchedNotesKeepTheirBytesAndLeaveTheProjectUnchanged)
{
  {
    CProject saved;
    saved.SetName("Plant");
    saved.mNotes = "Old\rstyle\r\nbreaks";
    ASSERT_TRUE(::SaveProject(saved));
  }
  CProject* project = Open("Plant");
  ASSERT_FALSE(project->IsModified());
  CVTXPageNotes* notes = ShowNotes(project);
  QPlainTextEdit* editor = notes->Editor();
  EXPECT_EQ(editor->toPlainText(), "Old\nstyle\nbreaks");
  editor->setFocus();
  notes->IncludeBox()->setFocus();
  Settle();
  EXPECT_EQ(project->mNotes, "Old\rstyle\r\nbreaks");
  EXPECT_FALSE(project->IsModified());
}

TEST_F(NotesAndErrors, CharactersTheProgramCannotStoreAreRemovedFromTheNotesAndTheUserIsTold)
{
  CProject* project = Open("Plant");
  CVTXPageNotes* notes = ShowNotes(project);
  QPlainTextEdit* editor = notes->Editor();
  editor->setFocus();
  editor->insertPlainText(QString("Caf") + QChar(0xE9) + " " + QChar(0x263A) + "!");
  notes->IncludeBox()->setFocus();
  Settle();
  EXPECT_EQ(project->mNotes, "Caf\xE9 !"); // e-acute is Windows-1252, the smiley is not
  EXPECT_EQ(editor->toPlainText(), QString("Caf") + QChar(0xE9) + " !");
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mTexts[0], kCharactersRemovedText);
}
