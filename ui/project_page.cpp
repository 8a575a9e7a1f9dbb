#include "ui/project_page.h"

#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/address.h"
#include "model/project.h"
#include "ui/dialog_support.h"
#include "ui/field_helpers.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QFormLayout>
#include <QLineEdit>

// ---- CVTXProjectPage

CVTXProjectPage::CVTXProjectPage(CProjectPageHost& sheet) : mSheet(sheet)
{
}

CProject* CVTXProjectPage::Project() const
{
  return mSheet.Project();
}

CProjectDocument* CVTXProjectPage::Document() const
{
  const CProject* project = Project();
  return project ? OpenProjects().Document(project) : nullptr;
}

QSize CVTXProjectPage::PageSize() const
{
  return {DialogUnitsX(this, 397), DialogUnitsY(this, 175)};
}

QSize CVTXProjectPage::sizeHint() const
{
  return CVTXPage::sizeHint().expandedTo(PageSize());
}

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

void CVTXProjectPage::DeleteFromSharedList(
    const std::string& name, const char* list,
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

void CVTXProjectPage::AddAddressRows(QFormLayout* form, QLineEdit** lines, int first,
                                     QWidget* parent)
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
  const std::string* texts[kAddressRows] = {&address.mName, &address.mAddress1, &address.mAddress2,
                                            &address.mCity, &address.mState,    &address.mCountry,
                                            &address.mZip};
  for (int row = first; row < kAddressRows; ++row)
    ShowFieldText(lines[row - first], ToQt(*texts[row]));
}
