#pragma once
// The project sheet: the six pages of an open project and the questions asked
// when its window closes. Pages reach the project only through the sheet, so
// once the project has closed (and is about to be destroyed) every late
// refresh, focus change or click finds no project and does nothing.

#include "ui/project_page.h"
#include "ui/sheet_wnd.h"

#include <QString>

class CProject;
class CVTXPageProject;
class CVTXPageArea;
class CVTXPageNotes;
class CVTXPageSummary;
class CVTXPageDistributor;
class CVTXPageCustomer;
class QWidget;

class CVTXSheet : public CVTXSheetBase, public CProjectPageHost
{
  Q_OBJECT
public:
  explicit CVTXSheet(CProject* project, QWidget* parent = nullptr);
  ~CVTXSheet() override;

  CProject* Project() const override { return mProject; }
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
  // A close whose questions were answered here was called off elsewhere
  // (another project's Cancel stopped the exit): the next close asks again.
  void CallOffClose() { mSaveAsked = false; }
  // Every page commits its pending edit.
  void CommitEdits() override;

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
