#include "ui/project_tab_project.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "document/report_files.h"
#include "document/shared_lists.h"
#include "model/project.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "storage/address_book.h"
#include "storage/project_json.h"
#include "storage/safe_file.h"
#include "storage/schedule_export.h"
#include "storage/settings_store.h"
#include "text/units.h"
#include "ui/app.h"
#include "ui/dialog_support.h"
#include "ui/field_helpers.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/report_window.h"
#include "ui/string_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
// The hidden dump button is shown only in the diagnostic mode of the settings.
bool DiagnosticsOn() { return Settings().Read("Settings", "Diagnostics") == "1"; }

QString PickExportFileWithDialog(QWidget* parent, const QString& start)
{
  // Replacing a file is asked about afterwards, once its extension is known.
  return QFileDialog::getSaveFileName(parent, "Export", start,
                                      "CSV room schedule (*.csv);;JSON project (*.json)", nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}
} // namespace

CVTXPageProject::CVTXPageProject(CProjectPageHost& sheet)
    : CVTXProjectPage(sheet), mDate(new QLineEdit(this)), mUnits(new QComboBox(this)),
      mDesigners(new QComboBox(this)), mNewDesigner(new QPushButton("&New", this)),
      mDeleteDesigner(new QPushButton("&Delete", this)), mReference(new QLineEdit(this)),
      mDump(new QPushButton("Create Data Dump File", this)), mSave(new QPushButton("&Save", this)),
      mSaveAs(new QPushButton("Save &As", this)),
      mVisualReport(new QPushButton("Create Visual Report", this)),
      mTextReport(new QPushButton("Create Text File Report", this)),
      mPrint(new QPushButton("Print Report", this)),
      mExportPdf(new QPushButton("Export PDF...", this))
{
  const int fieldWidth = fontMetrics().averageCharWidth() * 36;

  MakeValueField(mDate);
  mDate->setMaximumWidth(fieldWidth);
  mUnits->addItem("METER");
  mUnits->addItem("FOOT");
  mUnits->setMaximumWidth(fieldWidth);
  mDesigners->setEditable(false);
  mDesigners->setMinimumWidth(fieldWidth);
  mReference->setMaximumWidth(fieldWidth);

  auto* designer = new QGroupBox("Designer", this);
  auto* designerRow = new QHBoxLayout(designer);
  designerRow->addWidget(mDesigners, 1);
  designerRow->addWidget(mNewDesigner);
  designerRow->addWidget(mDeleteDesigner);

  auto* reference = new QGroupBox("Reference #", this);
  auto* referenceRow = new QHBoxLayout(reference);
  referenceRow->addWidget(mReference);
  referenceRow->addStretch(1);

  auto* fields = new QGridLayout;
  fields->addWidget(Group("Date", mDate, this, {.mStretchAfter = true}), 0, 0);
  fields->addWidget(Group("Unit of Measure", mUnits, this, {.mStretchAfter = true}), 0, 1);
  fields->addWidget(designer, 1, 0, 1, 2);
  fields->addWidget(reference, 2, 0);
  fields->addWidget(mDump, 2, 1, Qt::AlignRight | Qt::AlignBottom);
  mExport = new QPushButton("Export...", this);
  mPickExportFile = PickExportFileWithDialog;
  fields->addWidget(mExport, 3, 1, Qt::AlignRight);
  connect(mExport, &QPushButton::clicked, this, &CVTXPageProject::OnExport);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {mSave, mSaveAs, mVisualReport, mTextReport, mPrint, mExportPdf})
    buttons->addWidget(b);
  buttons->addStretch(1); // a wider window leaves the buttons their size

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch(1);
  layout->addLayout(buttons);

  mDump->setVisible(DiagnosticsOn());
  mDeleteDesigner->setEnabled(false);
  mSave->setEnabled(false);

  connect(mUnits, &QComboBox::activated, this, &CVTXPageProject::OnUnitChosen);
  connect(mDesigners, &QComboBox::activated, this, &CVTXPageProject::OnDesignerChosen);
  connect(mNewDesigner, &QPushButton::clicked, this, &CVTXPageProject::OnNewDesigner);
  connect(mDeleteDesigner, &QPushButton::clicked, this, &CVTXPageProject::OnDeleteDesigner);
  connect(mSave, &QPushButton::clicked, this, &CVTXPageProject::OnSave);
  connect(mSaveAs, &QPushButton::clicked, this, &CVTXPageProject::OnSaveAs);
  connect(mVisualReport, &QPushButton::clicked, this, &CVTXPageProject::OnVisualReport);
  connect(mTextReport, &QPushButton::clicked, this, &CVTXPageProject::OnTextReport);
  connect(mPrint, &QPushButton::clicked, this, &CVTXPageProject::OnPrint);
  connect(mExportPdf, &QPushButton::clicked, this, &CVTXPageProject::OnExportPdf);
  connect(mDump, &QPushButton::clicked, this, &CVTXPageProject::OnDump);
  WatchReference(mReference, &CProject::mProject_Reference,
                 [](std::string text) -> CEditCommand
                 { return edit::SetProjectReference{std::move(text)}; });
}

void CVTXPageProject::Refresh()
{
  CProject* project = Project();
  if (!project)
    return;
  const CNameList& designers = Designers();
  const int selected = FillSortedNames(mDesigners, designers.Names(), project->mProject_Designer);
  mDesigners->setEnabled(mDesigners->count() > 0);
  // A designer missing from this computer's list (a project from elsewhere)
  // is still the project's: shown greyed, not selected.
  mDesigners->setPlaceholderText(selected < 0 ? ToQt(project->mProject_Designer) : QString());
  mDeleteDesigner->setEnabled(selected >= 0);
  ShowFieldText(mDate, ToQt(project->mProject_Date));
  ShowReference();
  mUnits->setCurrentIndex(project->mUnits < 2 ? static_cast<int>(project->mUnits) : -1);
  mSave->setEnabled(project->IsModified());
  mDump->setVisible(DiagnosticsOn());
}

void CVTXPageProject::ChooseListedDesigner(const std::string& name, const CNameList& designers)
{
  std::string stored;
  CProjectDocument* document = Document();
  if (document && designers.Get(name, stored))
    document->Apply(edit::SetDesigner{stored});
  else
    PostRefresh();
}

void CVTXPageProject::OnUnitChosen(int index)
{
  CProject* project = Project();
  if (!project || index < 0)
    return;
  if (CProjectDocument* document = Document())
    document->Apply(edit::SetUnits{static_cast<std::uint32_t>(index)});
}

void CVTXPageProject::OnDesignerChosen(int index)
{
  CProject* project = Project();
  if (!project || index < 0)
    return;
  ChooseListedDesigner(ListedName(mDesigners, index), Designers());
}

void CVTXPageProject::OnNewDesigner()
{
  CStringDialog dialog(this);
  dialog.mTitle = "Designer's Name";
  if (dialog.exec() != QDialog::Accepted)
    return;
  CProject* project = Project();
  if (!project)
    return;
  // The list holds the name with its spaces collapsed; the project takes
  // that same form, and a blank name adds nothing.
  const std::string name = CollapseSpaces(dialog.mText);
  if (name.empty())
    return;
  CNameList& designers = Designers();
  std::string error;
  // A name already listed adds nothing; only a failed write is a fault.
  if (!designers.AddAndSave(name, kDesignerFileName, &error) && !error.empty())
    ReportListNotSaved("designer", error);
  ChooseListedDesigner(name, designers);
}

void CVTXPageProject::OnDeleteDesigner()
{
  const std::string name = ListedName(mDesigners, mDesigners->currentIndex());
  DeleteFromSharedList(
      name, "designer",
      [&name](std::string& error)
      { return Designers().RemoveAndSave(name, kDesignerFileName, &error); },
      [](CProjectDocument& document) { document.Apply(edit::SetDesigner{}); });
}

void CVTXPageProject::OnSave()
{
  CProject* project = Project();
  if (!project)
    return;
  Sheet().CommitEdits();
  SaveAndSay(this, *project);
}

void CVTXPageProject::OnSaveAs()
{
  CProject* project = Project();
  if (!project)
    return;
  Sheet().CommitEdits();
  const CProjectDocument* source = Document();
  if (!source)
    return;
  std::string name;
  if (!AskProjectName(this, std::string(), name) || !OpenProjectCopy(name, source))
    return;
  // The copy's file is written at once, as the name it was given promises.
  if (CProject* copy = OpenProjects().Find(name))
    SaveAndSay(this, *copy);
}

void CVTXPageProject::OnVisualReport()
{
  if (CProject* project = Project())
  {
    Sheet().CommitEdits();
    OpenReportWindow(project);
  }
}

void CVTXPageProject::OnPrint()
{
  if (CProject* project = Project())
  {
    Sheet().CommitEdits();
    PrintReportFlow(this, project);
  }
}

void CVTXPageProject::OnExportPdf()
{
  if (CProject* project = Project())
  {
    Sheet().CommitEdits();
    ExportPdfFlow(this, project);
  }
}

void CVTXPageProject::OnTextReport()
{
  CProject* project = Project();
  if (!project)
    return;
  Sheet().CommitEdits();
  std::string path;
  std::string error;
  if (CreateTextFileReport(*project, std::string(), path, &error))
    ShowMessage(this, "Information", ToQt(TextFileReportMessage(path)), CPromptIcon::Information);
  else
    ShowMessage(this, kAppTitle,
                QString("The text file version of the report could not be created.\r\n%1")
                  .arg(ToQt(error)),
                CPromptIcon::Error);
}

void CVTXPageProject::OnDump()
{
  CProject* project = Project();
  if (!project)
    return;
  Sheet().CommitEdits();
  std::string error;
  if (DumpProject(*project, &error))
    ShowMessage(this, kAppTitle,
                QString("The data dump was written to \"%1\".").arg(ToQt(DumpFilePath(*project))),
                CPromptIcon::Information);
  else
    ShowMessage(this, kAppTitle,
                QString("The data dump could not be written.\r\n%1").arg(ToQt(error)),
                CPromptIcon::Error);
}

void CVTXPageProject::OnExport()
{
  CProject* project = Project();
  if (!project)
    return;
  Sheet().CommitEdits();
  // NAME.csv in the work folder, unless the user goes elsewhere.
  const QString path = ConfirmedSavePath(this, mPickExportFile(this, ToQt(project->mName) + ".csv"),
                                         ".csv", {".csv", ".json"});
  if (path.isEmpty())
    return;
  const bool json = path.endsWith(".json", Qt::CaseInsensitive);
  const std::string bytes = json ? ProjectJson(*project) : ScheduleCsv(*project);
  std::string error;
  if (WriteFileSafely(QFile::encodeName(path).toStdString(), bytes, &error))
    ShowMessage(this, kAppTitle, QString("The project was exported to \"%1\".").arg(path),
                CPromptIcon::Information);
  else
    ShowMessage(this, kAppTitle,
                QString("The project could not be exported.\r\n%1").arg(ToQt(error)),
                CPromptIcon::Error);
}
