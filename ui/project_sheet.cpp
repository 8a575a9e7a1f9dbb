#include "ui/project_sheet.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/project.h"
#include "ui/app.h"
#include "ui/dialog_support.h"
#include "ui/field_helpers.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_distributor.h"
#include "ui/project_tab_errors.h"
#include "ui/project_tab_notes.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/report_window.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_window.h"

// ---- CVTXSheet

CVTXSheet::CVTXSheet(CProject* project, QWidget* parent)
  : CVTXSheetBase(parent), mProject(project),
    mCaption(ToQt(project->mName) + (IsReadOnly(*project) ? " (read-only)" : ""))
{
  setWindowTitle(mCaption);
  mProjectPage = new CVTXPageProject(*this);
  mVolumesPage = new CVTXPageArea(*this);
  mNotesPage = new CVTXPageNotes(*this);
  mErrorsPage = new CVTXPageSummary(*this);
  mDistributorPage = new CVTXPageDistributor(*this);
  mCustomerPage = new CVTXPageCustomer(*this);
  AddPage(mProjectPage, "Project");
  AddPage(mVolumesPage, "Volumes");
  AddPage(mNotesPage, "Notes");
  AddPage(mErrorsPage, "Errors");
  AddPage(mDistributorPage, "Distributor");
  AddPage(mCustomerPage, "Customer");
}

CVTXSheet::~CVTXSheet() = default;

void CVTXSheet::RefreshActivePage()
{
  if (!mProject)
    return;
  setWindowTitle(mCaption);
  CVTXSheetBase::RefreshActivePage();
}

void CVTXSheet::CommitEdits()
{
  for (int i = 0; i < count(); ++i)
    if (auto* page = qobject_cast<CVTXProjectPage*>(widget(i)))
      page->CommitEdits();
}

bool CVTXSheet::QueryClose()
{
  if (!mProject)
    return false;
  // A text still being typed belongs to the project that is about to be saved.
  CommitEdits();
  if (mProject->CombinedWarnings() & AW_BELOW_UL_DENSITY)
  {
    if (AskToStay(this, kULWarningCaption, ToQt(ULCloseProjectText(mProject->VolumesBelowULDensity()))))
      return true;
  }
  CloseChildWindows();
  return AskToSave(true);
}

void CVTXSheet::ReleaseProject()
{
  if (!mProject)
    return;
  CommitEdits();
  CloseChildWindows();
  if (CSheetWnd* window = ProjectWindowOf(mProject))
    window->Leave();
  if (!mSaveAsked)
    AskToSave(false);
  mProject = nullptr;
}

void CVTXSheet::CloseChildWindows()
{
  // Volume windows and the report window never outlive the project window.
  const CAreaTable& table = mProject->mAreaTable;
  for (std::size_t i = 0; i < table.Count(); ++i)
    if (CArea* area = table.Get(i); VolumeWindowOf(area))
      CloseVolumeWindow(area);
  CloseReportWindow(mProject);
}

bool CVTXSheet::AskToSave(bool mayStayOpen)
{
  mSaveAsked = true;
  if (!mProject->IsModified())
    return false;
  const QString name = ToQt(mProject->mName);
  // Escape and the close button never discard the work: they call the close
  // off or, where the window can no longer stay, they save as Yes does.
  const CPromptAnswer answer =
    Prompts().Ask(this, kAppTitle,
                  QString("The project \"%1\" is not saved.  Do you want to save it?").arg(name),
                  CPromptIcon::Question,
                  mayStayOpen ? CPromptButtons::YesNoCancel : CPromptButtons::YesNoEscapeYes);
  if (answer == CPromptAnswer::No)
    return false;
  if (answer == CPromptAnswer::Cancel)
  {
    mSaveAsked = false; // the next close asks again
    return true;
  }
  std::string error;
  bool declined = false;
  if (SaveFromWindow(*mProject, error, declined))
  {
    RememberRecentProject(*mProject);
    return false;
  }
  const QString failure = NotSavedText(*mProject, error, declined);
  const CPromptIcon icon = declined ? CPromptIcon::Information : CPromptIcon::Error;
  if (!mayStayOpen)
  {
    ShowMessage(this, kAppTitle, failure, icon);
    return false;
  }
  if (AskToStay(
          this, kAppTitle,
          failure +
              "\r\n\r\nDo you want to keep the project open so that your changes are not lost?",
          declined ? CPromptIcon::Question : CPromptIcon::Exclamation))
  {
    mSaveAsked = false; // the next close asks again
    return true;
  }
  return false;
}
