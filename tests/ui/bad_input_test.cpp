// Hostile input through the windows: every text field of the project
// window, the volume window and the entry and address dialogs gets very long
// text, control characters and characters the program cannot store, and
// every numeric field gets text that is no number or no usable one. The
// program must go on working, say where it refuses input, and save and
// read back exactly what its pages show.

#include "document/open_projects.h"
#include "document/report_files.h"
#include "document/shared_lists.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/sheet_wnd.h"

#include "model/area.h"
#include "model/device_model.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "text/units.h"
#include "ui/address_dialog.h"
#include "ui/field_helpers.h"
#include "ui/new_volume_dialog.h"
#include "ui/opening_dialog.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_distributor.h"
#include "ui/project_tab_notes.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/qt_settings_store.h"
#include "ui/qt_text.h"
#include "ui/report_window.h"
#include "ui/string_dialog.h"
#include "ui/volume_dialog.h"
#include "ui/volume_sheet.h"
#include "ui/volume_tab_device.h"
#include "ui/volume_tab_notes.h"
#include "ui/volume_tab_openings.h"
#include "ui/volume_tab_volume.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>

namespace
{
// The hostile texts, each with a name for the messages.
std::vector<std::pair<const char*, QString>> BadTexts()
{
  QString longText;
  while (longText.size() < 100000)
    longText += QString::fromUtf8("Long text \xc3\xa9\xe2\x82\xac ");
  longText.truncate(100000);
  QString controls = QString::fromUtf8("a\x01" "b\x02\tc\x0b\x0c" "d\x1b" "e\x7f" "f\r\ng\nh\xc2\x85i\xc2\x81j");
  controls += QChar(0);
  controls += "k";
  return {
    {"100,000 characters", longText},
    {"control characters", controls},
    {"outside Windows-1252", QString::fromUtf8("Z\xc3\xbcrich \xce\xa9 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80 ok")},
    {"format and markup", QString::fromUtf8("{\\rtf1 %s %n %% \\par } <b>&amp;</b> \"q\" 'a'")},
    {"blanks only", QString::fromUtf8(" \t \xc2\xa0 ")},
  };
}

const char* const kBadNumbers[] = {"inf",  "-inf", "nan",    "1e999",  "-0",    "",     " 12 ft ",
                                   "-5",   "1e308", "1e-320", "0x1A",  "12,5",  "1.5.5", "3 FT",
                                   "abc",  "99999999999999999999"};
const char* const kBadCounts[] = {"4294967295", "4294967296", "99999999999999999999", "-1", "+7",
                                  " 12 ",       "1e3",        "",                     "nan", "0x10"};

// Puts the text into the field as a paste would, then moves the focus on.
// The focus moves, and fields commit, only in the active window.
void Activate(QWidget* widget)
{
  QWidget* window = widget->window();
  if (QApplication::activeWindow() == window)
    return;
  QApplication::setActiveWindow(window);
}

void Enter(QLineEdit* field, const QString& text, QWidget* next)
{
  Activate(field);
  field->setFocus();
  EXPECT_TRUE(field->hasFocus());
  field->selectAll();
  field->insert(text);
  next->setFocus();
  Settle();
}

void EnterNotes(QPlainTextEdit* editor, const QString& text, QWidget* next)
{
  Activate(editor);
  editor->setFocus();
  EXPECT_TRUE(editor->hasFocus());
  editor->selectAll();
  editor->insertPlainText(text);
  next->setFocus();
  Settle();
}

// Presses OK until the dialog closes (a text from which characters were
// removed is shown once more first); cancels one that will not close.
// Presses OK until the dialog closes. While it stays open, a refused text
// still in its field, `putRight` mends the fields before the next try; after
// the last try the dialog is cancelled.
void ConfirmUntilClosed(QDialog* dialog, QPushButton* ok, std::function<void()> putRight = {},
                        int tries = 4)
{
  QPointer<QDialog> guard(dialog);
  QTest::mouseClick(ok, Qt::LeftButton);
  QTimer::singleShot(20,
                     [guard, ok, putRight, tries]
                     {
                       if (!guard || !guard->isVisible())
                         return;
                       if (putRight)
                         putRight();
                       if (tries > 0)
                         ConfirmUntilClosed(guard, ok, putRight, tries - 1);
                       else
                         guard->reject();
                     });
}

QStringList ModelTexts(const QAbstractItemModel* model)
{
  QStringList texts;
  for (int row = 0; row < model->rowCount(); ++row)
    for (int column = 0; column < model->columnCount(); ++column)
      texts << model->index(row, column).data().toString();
  return texts;
}
} // namespace

class BadInput : public ProjectWindowTest
{
protected:
  // Every text the project window's pages show, page by page.
  QStringList ShownProject(CProject* project)
  {
    CVTXSheet* sheet = Sheet(project);
    QStringList shown;
    CVTXPageProject* main = sheet->ProjectPage();
    Show(sheet, main);
    shown << main->DateField()->text() << main->UnitList()->currentText()
          << main->DesignerList()->currentText() << main->ReferenceField()->text();
    CVTXPageCustomer* customer = sheet->CustomerPage();
    Show(sheet, customer);
    shown << customer->CompanyList()->currentText() << customer->ReferenceField()->text();
    for (int i = 0; i < 6; ++i)
      shown << customer->AddressLine(i)->text();
    CVTXPageDistributor* distributor = sheet->DistributorPage();
    Show(sheet, distributor);
    shown << distributor->ReferenceField()->text();
    for (int i = 0; i < 7; ++i)
      shown << distributor->AddressLine(i)->text();
    CVTXPageNotes* notes = sheet->NotesPage();
    Show(sheet, notes);
    shown << notes->Editor()->toPlainText() << QString::number(notes->IncludeBox()->isChecked());
    Show(sheet, sheet->VolumesPage());
    shown << ModelTexts(sheet->VolumesPage()->List()->model());
    Show(sheet, main);
    return shown;
  }

  // Every text the volume window's pages show.
  QStringList ShownVolume(CArea* area)
  {
    CVTXAreaSheet* sheet = OpenVolumeSheet(area);
    QStringList shown;
    CVTXAreaPageHazard* volume = sheet->VolumePage();
    sheet->setCurrentWidget(volume);
    Settle();
    shown << sheet->windowTitle() << volume->HazardList()->currentText();
    for (QLineEdit* field : {volume->LengthField(), volume->WidthField(), volume->HeightField(),
                             volume->VolumeField(), volume->ClosedField(), volume->OpenField(),
                             volume->K1Field(), volume->K2Field(), volume->K3Field(),
                             volume->LRField(), volume->LPField(), volume->LHField()})
      shown << field->text();
    CVTXAreaPageDimension* openings = sheet->OpeningsPage();
    sheet->setCurrentWidget(openings);
    Settle();
    shown << ModelTexts(openings->List()->model()) << openings->TotalField()->text();
    CVTXAreaPageDevice* devices = sheet->DevicePage();
    sheet->setCurrentWidget(devices);
    Settle();
    for (int model = 0; model < DeviceModelCount; ++model)
      shown << devices->SelectedField(model)->text() << devices->RequiredField(model)->text();
    shown << devices->MassSelectedField()->text() << devices->DensitySelectedField()->text();
    CVTXAreaPageNotes* notes = sheet->NotesPage();
    sheet->setCurrentWidget(notes);
    Settle();
    shown << notes->Editor()->toPlainText();
    sheet->setCurrentWidget(volume);
    Settle();
    return shown;
  }

  // Saves through the Save button; the messages it gave.
  QStringList Save(CProject* project)
  {
    mPrompts.mTexts.clear();
    CVTXSheet* sheet = Sheet(project);
    Show(sheet, sheet->ProjectPage());
    QTest::mouseClick(sheet->ProjectPage()->SaveButton(), Qt::LeftButton);
    Settle();
    return mPrompts.mTexts;
  }

  // Closes the saved project's window and opens the project from its file.
  CProject* Reopen(CProject* project)
  {
    const std::string name = project->mName;
    EXPECT_FALSE(project->IsModified());
    QPointer<CSheetWnd> window = Window(project);
    window->close();
    Settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(OpenProjects().Find(name), nullptr);
    return Open(name);
  }

  // Writes every report of the project; none may fail on what was typed.
  void WriteReports(CProject* project)
  {
    std::string path;
    std::string error;
    EXPECT_TRUE(CreateTextFileReport(*project, std::string(), path, &error)) << error;
    EXPECT_TRUE(DumpProject(*project, &error)) << error;
    OpenReportWindow(project);
    Settle();
    CloseReportWindow(project);
    Settle();
  }

  int mTried = 0; // bad inputs given to a field
};

TEST_F(BadInput, EveryTextFieldOfTheProjectAndVolumeWindowsKeepsWhatItShows)
{
  int index = 0;
  for (const auto& [label, text] : BadTexts())
  {
    SCOPED_TRACE(label);
    const std::string name = "Bad " + std::to_string(++index);
    CProject* project = Open(name);
    ASSERT_NE(project, nullptr);
    CVTXSheet* sheet = Sheet(project);
    mPrompts.mTexts.clear();

    CVTXPageProject* main = sheet->ProjectPage();
    Show(sheet, main);
    Enter(main->ReferenceField(), text, main->UnitList());
    WhenDialogOpens<CStringDialog>([&text](CStringDialog* dialog)
                                   {
                                     dialog->TextField()->setText(text);
                                     ConfirmUntilClosed(dialog, dialog->OkButton());
                                   });
    QTest::mouseClick(main->NewDesignerButton(), Qt::LeftButton);
    Settle();
    mTried += 2;

    CVTXPageCustomer* customer = sheet->CustomerPage();
    Show(sheet, customer);
    Enter(customer->ReferenceField(), text, customer->CompanyList());
    auto fillAddress = [&text](CAddressDialog* dialog)
    {
      for (int i = 0; i < CAddressDialog::FieldCount; ++i)
        Enter(dialog->Edit(static_cast<CAddressDialog::Field>(i)), text, dialog->OkButton());
      // A name of blanks only is no name: give the dialog one so it can close.
      if (dialog->Edit(CAddressDialog::Name)->text().isEmpty())
        dialog->Edit(CAddressDialog::Name)->setText("Named");
      ConfirmUntilClosed(dialog, dialog->OkButton());
    };
    WhenDialogOpens<CAddressDialog>(fillAddress);
    QTest::mouseClick(customer->NewButton(), Qt::LeftButton);
    Settle();
    mTried += 1 + CAddressDialog::FieldCount;

    CVTXPageDistributor* distributor = sheet->DistributorPage();
    Show(sheet, distributor);
    Enter(distributor->ReferenceField(), text, distributor->EditButton());
    WhenDialogOpens<CAddressDialog>(fillAddress);
    QTest::mouseClick(distributor->EditButton(), Qt::LeftButton);
    Settle();
    mTried += 1 + CAddressDialog::FieldCount;

    CVTXPageNotes* notes = sheet->NotesPage();
    Show(sheet, notes);
    EnterNotes(notes->Editor(), text, notes->IncludeBox());
    notes->IncludeBox()->click();
    ++mTried;

    // A volume named with the text, with notes of the text.
    CVTXPageArea* volumes = sheet->VolumesPage();
    Show(sheet, volumes);
    WhenDialogOpens<CNewAreaDialog>([&text](CNewAreaDialog* dialog)
                                    {
                                      Enter(dialog->NameField(), text, dialog->HazardList());
                                      if (dialog->NameField()->text().isEmpty())
                                        dialog->NameField()->setText("Unnamed");
                                      dialog->HazardList()->setCurrentIndex(2);
                                      ConfirmUntilClosed(dialog, ButtonNamed(dialog, "OK"));
                                    });
    QTest::mouseClick(volumes->NewButton(), Qt::LeftButton);
    Settle();
    ++mTried;
    ASSERT_EQ(project->mAreaTable.Count(), 1u);
    CArea* area = project->mAreaTable.Get(0);
    CVTXAreaSheet* volumeSheet = OpenVolumeSheet(area);
    CVTXAreaPageNotes* volumeNotes = volumeSheet->NotesPage();
    volumeSheet->setCurrentWidget(volumeNotes);
    Settle();
    EnterNotes(volumeNotes->Editor(), text, volumeNotes->IncludeBox());
    volumeSheet->setCurrentWidget(volumeSheet->VolumePage());
    Settle();
    ++mTried;

    // Characters the program cannot store are refused with a message, not dropped unseen.
    bool lost = false;
    FromQt(text, &lost);
    if (lost)
    {
      EXPECT_TRUE(mPrompts.mTexts.join("\n").contains("cannot be stored"))
        << mPrompts.mTexts.join("\n").toStdString();
    }

    const QStringList shownProject = ShownProject(project);
    const QStringList shownVolume = ShownVolume(area);
    WriteReports(project);

    QStringList told = Save(project);
    if (project->IsModified())
    {
      // Only a text too long for the file refuses the save: the user is told
      // why, and the work stays as it is, unsaved.
      ASSERT_EQ(told.size(), 1) << told.join("\n").toStdString();
      EXPECT_TRUE(told[0].contains("could not be saved")) << told[0].toStdString();
      EXPECT_TRUE(told[0].contains("holds at most 65535")) << told[0].toStdString();
      EXPECT_EQ(ShownProject(project), shownProject);
      EXPECT_EQ(ShownVolume(area), shownVolume);
      // Shortened notes let it go through.
      Show(sheet, notes);
      EnterNotes(notes->Editor(), notes->Editor()->toPlainText().left(30000), notes->IncludeBox());
      volumeSheet = OpenVolumeSheet(area);
      volumeSheet->setCurrentWidget(volumeNotes);
      Settle();
      EnterNotes(volumeNotes->Editor(), volumeNotes->Editor()->toPlainText().left(30000),
                 volumeNotes->IncludeBox());
      volumeSheet->setCurrentWidget(volumeSheet->VolumePage());
      Settle();
      const QStringList shortened = ShownProject(project);
      const QStringList shortenedVolume = ShownVolume(area);
      told = Save(project);
      EXPECT_TRUE(told.isEmpty()) << told.join("\n").toStdString();
      CProject* reopened = Reopen(project);
      ASSERT_NE(reopened, nullptr);
      EXPECT_EQ(ShownProject(reopened), shortened);
      EXPECT_EQ(ShownVolume(reopened->mAreaTable.Get(0)), shortenedVolume);
    }
    else
    {
      EXPECT_TRUE(told.isEmpty()) << told.join("\n").toStdString();
      CProject* reopened = Reopen(project);
      ASSERT_NE(reopened, nullptr);
      EXPECT_EQ(ShownProject(reopened), shownProject);
      ASSERT_EQ(reopened->mAreaTable.Count(), 1u);
      EXPECT_EQ(ShownVolume(reopened->mAreaTable.Get(0)), shownVolume);
    }

    // The lists on disk hold what the program holds.
    CAddressBook customers;
    ASSERT_TRUE(customers.Load());
    ASSERT_EQ(customers.Count(), Customers().Count());
    for (std::size_t i = 0; i < customers.Count(); ++i)
      EXPECT_EQ(customers.At(i), Customers().At(i));
    CNameList designers;
    ASSERT_TRUE(designers.Load());
    EXPECT_EQ(designers.Names(), Designers().Names());
  }
  std::printf("[ inputs   ] %d bad texts tried\n", mTried);
}

TEST_F(BadInput, EveryNumericFieldRefusesWhatIsNoUsableNumberAndKeepsWhatItShows)
{
  // The numbers, then the hostile texts in the numeric fields too.
  std::vector<QString> inputs;
  for (const char* number : kBadNumbers)
    inputs.push_back(QString::fromUtf8(number));
  for (const auto& [label, text] : BadTexts())
    inputs.push_back(text);
  int index = 0;
  for (const QString& text : inputs)
  {
    SCOPED_TRACE("\"" + text.left(40).toStdString() + "\"");
    const std::string name = "Numbers " + std::to_string(++index);
    CProject* project = Open(name);
    ASSERT_NE(project, nullptr);
    CArea* area = AddVolume(project, "Hall", 1, 10, 8, 4);
    CVTXAreaSheet* sheet = OpenVolumeSheet(area);

    WhenDialogOpens<CVolumeDialog>(
      [&text](CVolumeDialog* dialog)
      {
        for (QLineEdit* field : {dialog->LengthField(), dialog->WidthField(), dialog->HeightField()})
          Enter(field, text, ButtonNamed(dialog, "OK"));
        ConfirmUntilClosed(dialog, ButtonNamed(dialog, "OK"),
                           [dialog]
                           {
                             for (QLineEdit* field : {dialog->LengthField(), dialog->WidthField(),
                                                      dialog->HeightField()})
                               field->setText("2 m");
                           });
      });
    QTest::mouseClick(sheet->VolumePage()->DimensionsButton(), Qt::LeftButton);
    Settle();
    mTried += 3;
    EXPECT_GT(area->mLength, 0);
    EXPECT_TRUE(std::isfinite(area->mLength) && std::isfinite(area->mVolume));

    CVTXAreaPageDimension* openings = sheet->OpeningsPage();
    sheet->setCurrentWidget(openings);
    Settle();
    WhenDialogOpens<CVentDialog>(
      [&text](CVentDialog* dialog)
      {
        dialog->ShapeList()->setCurrentIndex(0);
        for (QLineEdit* field : {dialog->UpperField(), dialog->WidthField(), dialog->HeightField()})
          Enter(field, text, ButtonNamed(dialog, "OK"));
        // A refused text stays until it is put right.
        ConfirmUntilClosed(dialog, ButtonNamed(dialog, "OK"),
                           [dialog]
                           {
                             dialog->UpperField()->setText("50%");
                             dialog->WidthField()->setText("1 m");
                             dialog->HeightField()->setText("1 m");
                           });
      });
    QTest::mouseClick(openings->NewButton(), Qt::LeftButton);
    Settle();
    mTried += 3;
    ASSERT_EQ(area->mVentTable.Count(), 1u);
    const CVent* vent = area->mVentTable.Get(0);
    EXPECT_TRUE(std::isfinite(vent->mWidth) && std::isfinite(vent->mHeight) && std::isfinite(vent->mUpper));

    CVTXAreaPageDevice* devices = sheet->DevicePage();
    sheet->setCurrentWidget(devices);
    Settle();
    const char* count = kBadCounts[index % std::size(kBadCounts)];
    for (int model = DeviceModelCount - 1; model >= 0; --model)
      Enter(devices->SelectedField(model), model % 2 ? text : QString::fromUtf8(count),
            model > 0 ? static_cast<QWidget*>(devices->SelectedField(model - 1))
                      : static_cast<QWidget*>(devices->SelectedField(DeviceModelCount - 1)));
    // A count that cannot be read or stored is refused with a word and
    // stays as typed until the user puts it right.
    for (int model = DeviceModelCount - 1; model >= 0; --model)
    {
      const QString typed = model % 2 ? text : QString::fromUtf8(count);
      std::uint32_t stored = 0;
      bool lost = false;
      if (ParseCount(FromQt(typed, &lost), stored) && !lost)
        continue;
      // A pasted text is cut at the field's length, as in any field.
      EXPECT_EQ(devices->SelectedField(model)->text(),
                typed.left(devices->SelectedField(model)->maxLength()));
      Enter(devices->SelectedField(model), "0",
            devices->SelectedField((model + 1) % DeviceModelCount));
    }
    sheet->setCurrentWidget(sheet->VolumePage());
    Settle();
    mTried += DeviceModelCount;

    const QStringList shownVolume = ShownVolume(area);
    const QStringList shownProject = ShownProject(project);
    // No figure turns negative, not even as "-0".
    for (const QString& shown : shownVolume)
      EXPECT_FALSE(shown.startsWith('-')) << shown.toStdString();
    WriteReports(project);
    const QStringList told = Save(project);
    EXPECT_TRUE(told.isEmpty()) << told.join("\n").toStdString();
    CProject* reopened = Reopen(project);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(ShownProject(reopened), shownProject);
    EXPECT_EQ(ShownVolume(reopened->mAreaTable.Get(0)), shownVolume);
  }
  // Every count text on its own in the first count field.
  CProject* project = Open("Counts");
  CArea* area = AddVolume(project, "Hall", 1, 10, 8, 4);
  CVTXAreaSheet* sheet = OpenVolumeSheet(area);
  CVTXAreaPageDevice* devices = sheet->DevicePage();
  sheet->setCurrentWidget(devices);
  Settle();
  for (const char* count : kBadCounts)
  {
    SCOPED_TRACE(count);
    const std::uint32_t before = area->DeviceCount(7);
    Enter(devices->SelectedField(7), QString::fromUtf8(count), devices->SelectedField(6));
    ++mTried;
    std::uint32_t parsed = 0;
    const bool read = ParseCount(count, parsed);
    // Kept as typed when refused (and the user told); otherwise the stored
    // count is shown.
    EXPECT_EQ(devices->SelectedField(7)->text(),
              read ? QString::number(area->DeviceCount(7)) : QString::fromUtf8(count));
    if (!read)
    {
      EXPECT_EQ(area->DeviceCount(7), before);
    }
  }
  // The last one put right, as the page asks.
  Enter(devices->SelectedField(7), "12", devices->SelectedField(6));
  EXPECT_TRUE(Save(project).isEmpty());
  const QStringList shown = ShownVolume(area);
  CProject* reopened = Reopen(project);
  EXPECT_EQ(ShownVolume(reopened->mAreaTable.Get(0)), shown);
  std::printf("[ inputs   ] %d bad numbers tried\n", mTried);
}

TEST_F(BadInput, AProjectNameIsTheNameOfTheFileItIsSavedIn)
{
  CProject* source = Open("Source");
  ASSERT_NE(source, nullptr);
  AddVolume(source, "Hall", 1, 10, 8, 4);
  for (const auto& [label, text] : BadTexts())
  {
    SCOPED_TRACE(label);
    const std::vector<std::string> before = FolderNames(".");
    const std::size_t open = OpenProjects().Count();
    mPrompts.mTexts.clear();
    WhenDialogOpens<CStringDialog>([&text](CStringDialog* dialog)
                                   {
                                     Enter(dialog->TextField(), text, dialog->OkButton());
                                     ConfirmUntilClosed(dialog, dialog->OkButton());
                                   });
    QTest::mouseClick(Sheet(source)->ProjectPage()->SaveAsButton(), Qt::LeftButton);
    Settle();
    ++mTried;
    if (OpenProjects().Count() == open)
    {
      // Refused: the user was told why, or the dialog could not be closed.
      EXPECT_FALSE(mPrompts.mTexts.isEmpty());
      continue;
    }
    CProject* copy = nullptr;
    for (std::size_t i = 0; i < OpenProjects().Count(); ++i)
      if (OpenProjects().Get(i) != source && Window(OpenProjects().Get(i)) &&
          std::find(before.begin(), before.end(), OpenProjects().Get(i)->mPath) == before.end() &&
          OpenProjects().Get(i)->mName != "Source")
        copy = OpenProjects().Get(i);
    ASSERT_NE(copy, nullptr);
    const std::string name = copy->mName;
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_LE(name.size() + 3, 255u);
    EXPECT_TRUE(Save(copy).isEmpty());
    // The one new file is the project's, under its name.
    std::vector<std::string> added;
    for (const std::string& entry : FolderNames("."))
      if (std::find(before.begin(), before.end(), entry) == before.end())
        added.push_back(entry);
    EXPECT_EQ(added, std::vector<std::string>{name + ".ad"});
    const QStringList shown = ShownProject(copy);
    CProject* reopened = Reopen(copy);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->mName, name);
    EXPECT_EQ(ShownProject(reopened), shown);
    Window(reopened)->close();
    Settle();
  }
  // File names in Windows-1252 are no UTF-8: the scratch folder's own
  // clean-up would not find them.
  for (const auto& entry : std::filesystem::directory_iterator("."))
    std::filesystem::remove(entry.path());
  std::printf("[ inputs   ] %d project names tried\n", mTried);
}

TEST_F(BadInput, TheDistributorReadsBackFromTheSettingsFileAsTheDialogLeftIt)
{
  // The settings file of this test only, in the scratch folder.
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, mFolder.Path());
  std::vector<QString> texts;
  for (const auto& [label, text] : BadTexts())
    texts.push_back(text);
  // What the settings file's own syntax gives meaning to.
  for (const char* syntax : {"@Variant(QString)", "a=b;c", "[Distributor]", "#not a comment", "\\x\\",
                             "\"quoted\"", "line\\nbreak", "comma, and more"})
    texts.push_back(QString::fromUtf8(syntax));
  for (const QString& text : texts)
  {
    SCOPED_TRACE(text.left(40).toStdString());
    // The address as the dialog stores it.
    const std::string stored = FromQt(text);
    CAddress address{CleanFileName(stored), CollapseSpaces(stored), CollapseSpaces(stored),
                     CollapseSpaces(stored), CollapseSpaces(stored), CollapseSpaces(stored),
                     CollapseSpaces(stored)};
    {
      CQtSettingsStore store;
      SaveDistributor(store, address);
    }
    CQtSettingsStore reread;
    EXPECT_EQ(LoadDistributor(reread), address);
    ++mTried;
  }
  std::printf("[ inputs   ] %d distributor texts tried\n", mTried);
}
