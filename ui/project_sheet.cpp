#include "ui/project_sheet.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/address.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/project.h"
#include "ui/app.h"
#include "ui/dialog_support.h"
#include "ui/field_helpers.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_distributor.h"
#include "ui/project_tab_errors.h"
#include "ui/notes_tab.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/sheet_wnd.h"
#include "ui/windows.h"

#include <QFormLayout>
#include <QLineEdit>


// ---- CVTXProjectPage

CVTXProjectPage::CVTXProjectPage(CVTXSheet& sheet) : mSheet(sheet) {}

CProject* CVTXProjectPage::Project() const { return mSheet.Project(); }

CProjectDocument* CVTXProjectPage::Document() const
{
  const CProject* project = Project();
  return project ? OpenProjects().Document(project) : nullptr;
}

QSize CVTXProjectPage::PageSize() const
{
  return {DialogUnitsX(this, 397), DialogUnitsY(this, 175)};
}

QSize CVTXProjectPage::sizeHint() const { return CVTXPage::sizeHint().expandedTo(PageSize()); }

void CVTXProjectPage::WatchReference(QLineEdit* field, std::string CProject::*reference,
                                     CEditCommand (*store)(std::string text))
{
  mReference = field;
  mReferenceText = reference;
  mStoreReference = store;
  OnFocusOut(field, [this] { CommitEdits(); });
}

void CVTXProjectPage::ShowReference()
{
  if (const CProject* project = Project(); project && mReference)
    ShowFieldText(mReference, ToQt(project->*mReferenceText));
}

void CVTXProjectPage::CommitEdits()
{
  CProject* project = Project();
  CProjectDocument* document = Document();
  if (project && document && mReference)
    CommitTypedField(this, mReference, project->*mReferenceText,
                     [this, document](const std::string& text)
                     { document->Apply(mStoreReference(text)); });
}

void CVTXProjectPage::ReportListNotSaved(const char* list, const std::string& error)
{
  ShowMessage(this, kAppTitle,
              QString("The %1 list could not be saved.\r\n%2").arg(list, ToQt(error)),
              CPromptIcon::Error);
}

void CVTXProjectPage::DeleteFromSharedList(const std::string& name, const char* list,
                                           const std::function<bool(std::string& error)>& remove,
                                           const std::function<void(CProjectDocument&)>& clearChoice)
{
  if (!Project() || name.empty())
    return;
  if (!AskYesNo(this, "Warning",
                QString("This action will remove \"%1\" from your list.  Are you sure you want "
                        "to do this?")
                  .arg(ToQt(name)),
                CPromptIcon::Question))
    return;
  std::string error;
  if (!remove(error))
    ReportListNotSaved(list, error);
  if (CProjectDocument* document = Document())
    clearChoice(*document);
}

namespace
{
constexpr int kAddressRows = 7;
const char* const kAddressCaptions[kAddressRows] = {"Company", "Address 1", "Address 2", "City",
                                                    "State",   "Country",   "Zip Code"};
} // namespace

void CVTXProjectPage::AddAddressRows(QFormLayout* form, QLineEdit** lines, int first, QWidget* parent)
{
  for (int row = first; row < kAddressRows; ++row)
  {
    QLineEdit* line = lines[row - first] = new QLineEdit(parent);
    MakeValueField(line);
    form->addRow(kAddressCaptions[row], line);
  }
}

void CVTXProjectPage::ShowAddressRows(QLineEdit* const* lines, const CAddress& address, int first)
{
  const std::string* texts[kAddressRows] = {&address.mName,  &address.mAddress1, &address.mAddress2,
                                            &address.mCity,  &address.mState,    &address.mCountry,
                                            &address.mZip};
  for (int row = first; row < kAddressRows; ++row)
    ShowFieldText(lines[row - first], ToQt(*texts[row]));
}

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
