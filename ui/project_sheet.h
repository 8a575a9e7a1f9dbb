#pragma once
// The project sheet: the six pages of an open project and the questions asked
// when its window closes. Pages reach the project only through the sheet, so
// once the project has closed (and is about to be destroyed) every late
// refresh, focus change or click finds no project and does nothing.

#include "document/edit_commands.h"
#include "ui/sheet_wnd.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class CAddress;
class CProject;
class CVTXSheet;
class CVTXPageProject;
class CVTXPageArea;
class CVTXPageNotes;
class CVTXPageSummary;
class CVTXPageDistributor;
class CVTXPageCustomer;
class CProjectDocument;
class QFormLayout;
class QLineEdit;
class QWidget;

// Base of the project pages.
class CVTXProjectPage : public CVTXPage
{
  Q_OBJECT
public:
  explicit CVTXProjectPage(CVTXSheet& sheet);
  // The open project; nullptr once it has closed.
  CProject* Project() const;
  // The open project's document, through which the page edits it; nullptr
  // once the project has closed.
  CProjectDocument* Document() const;
  CVTXSheet& Sheet() const { return mSheet; }
  // Takes an edit still held by a control (a focused text field) into the
  // model; run before the page is left, before saving and before closing.
  // Here: the page's "Reference #" field, if it has one.
  virtual void CommitEdits();
  bool QueryLeave() override
  {
    CommitEdits();
    return true;
  }

  // At least 397 x 175 dialog units of the page's font, more when the
  // controls as this platform draws them need it; the sheet takes the
  // largest of its pages, so all six have one size.
  QSize sizeHint() const override;

protected:
  QSize PageSize() const;

  // The page's "Reference #" field shows the project's text `reference` and
  // is taken into it by the document edit `store` when it loses the focus
  // and by CommitEdits. ShowReference shows the stored text again unless the
  // user is typing in the field.
  void WatchReference(QLineEdit* field, std::string CProject::*reference,
                      CEditCommand (*store)(std::string text));
  void ShowReference();

  // The read-only rows of an address in a form: "Company" (the name), then
  // "Address 1" to "Zip Code", from row `first`; lines[0] is row `first`.
  static void AddAddressRows(QFormLayout* form, QLineEdit** lines, int first, QWidget* parent);
  static void ShowAddressRows(QLineEdit* const* lines, const CAddress& address, int first);

  // Says that the shared `list` ("designer", "customer") could not be written.
  void ReportListNotSaved(const char* list, const std::string& error);
  // The Delete button beside a shared list: asks whether to take `name` off
  // the list; on Yes `remove` takes it off and writes the list (false, with
  // the reason, when the write failed, which is reported) and the project is
  // left with none chosen (`clearChoice`).
  void DeleteFromSharedList(const std::string& name, const char* list,
                            const std::function<bool(std::string& error)>& remove,
                            const std::function<void(CProjectDocument&)>& clearChoice);

private:
  CVTXSheet& mSheet;
  QLineEdit* mReference = nullptr;
  std::string CProject::*mReferenceText = nullptr;
  CEditCommand (*mStoreReference)(std::string text) = nullptr;
};

class CVTXSheet : public CVTXSheetBase
{
  Q_OBJECT
public:
  explicit CVTXSheet(CProject* project, QWidget* parent = nullptr);
  ~CVTXSheet() override;

  CProject* Project() const { return mProject; }
  QString Caption() const override { return mCaption; }
  void RefreshActivePage() override;
  // The questions before the window closes: the UL question (Yes keeps the
  // window open); then the volume and report windows are closed and, for a
  // modified project, the save question is asked. A save that fails is
  // reported and the user may keep the window open rather than lose the work.
  bool QueryClose() override;
  // The end of the close path, once the window may go: the child windows are
  // closed, the save question is asked if QueryClose did not ask it, and the
  // sheet lets go of the project. The caller then destroys the project.
  void ReleaseProject();
  // Every page commits its pending edit.
  void CommitEdits();

  CVTXPageProject* ProjectPage() const { return mProjectPage; }
  CVTXPageArea* VolumesPage() const { return mVolumesPage; }
  CVTXPageNotes* NotesPage() const { return mNotesPage; }
  CVTXPageSummary* ErrorsPage() const { return mErrorsPage; }
  CVTXPageDistributor* DistributorPage() const { return mDistributorPage; }
  CVTXPageCustomer* CustomerPage() const { return mCustomerPage; }

private:
  void CloseChildWindows();
  // Asks the save question; true when the window must stay open (only
  // possible while mayStayOpen).
  bool AskToSave(bool mayStayOpen);

  CProject* mProject;
  QString mCaption;
  bool mSaveAsked = false;
  CVTXPageProject* mProjectPage;
  CVTXPageArea* mVolumesPage;
  CVTXPageNotes* mNotesPage;
  CVTXPageSummary* mErrorsPage;
  CVTXPageDistributor* mDistributorPage;
  CVTXPageCustomer* mCustomerPage;
};
