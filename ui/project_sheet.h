#pragma once
// The project sheet: the six pages of an open project and the questions asked
// when its window closes. Pages reach the project only through the sheet, so
// once the project has closed (and is about to be destroyed) every late
// refresh, focus change or click finds no project and does nothing.

#include "ui/sheet_wnd.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class CProject;
class CVTXSheet;
class CVTXPageProject;
class CVTXPageArea;
class CVTXPageNotes;
class CVTXPageSummary;
class CVTXPageDistributor;
class CVTXPageCustomer;
class CProjectDocument;
class QComboBox;
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
  virtual void CommitEdits() {}
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

private:
  CVTXSheet& mSheet;
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

// ---- Helpers shared by the pages and the address dialog

// Runs the handler whenever the widget loses (or gains) the keyboard focus.
// Used instead of editingFinished, which also fires on Enter and not always on
// focus loss.
void OnFocusOut(QWidget* widget, std::function<void()> handler);
void OnFocusIn(QWidget* widget, std::function<void()> handler);

// The text of a field in the program's character set. Characters the set
// cannot hold are removed, never stored as something else, and the user is
// told so (the message is queued: no box opens inside a focus change).
std::string TakeFieldText(QWidget* parent, const QString& text, bool* removed = nullptr);
// The message shown when characters were removed.
extern const char kCharactersRemovedText[];

// Fills a drop-down list with names sorted alphabetically with letter case
// ignored (names that differ only in case keep their byte order) and selects
// `selected` when it is one of them; returns its position or -1. Each entry
// keeps the name's own bytes, read back with ListedName.
int FillSortedNames(QComboBox* box, const std::vector<std::string>& names,
                    const std::string& selected);
// The name of an entry filled by FillSortedNames; empty for no entry.
std::string ListedName(const QComboBox* box, int index);

// Makes a field show a value only: not editable, the page's background
// instead of an entry field's, skipped by the Tab key; a click still focuses
// it so that its text can be copied.
void MakeValueField(QLineEdit* field);

// Shows the text in a field unless the user is typing in it (its text is
// taken when it loses the focus).
void ShowFieldText(QLineEdit* field, const QString& text);

// Takes what the user typed into a field (nothing when the field was not
// edited: a page not shown since the model changed may still hold an older
// text), hands it to `store`, and shows the stored form of `value` back.
// True when `value` changed.
bool CommitTypedField(QWidget* parent, QLineEdit* field, const std::string& value,
                      const std::function<void(const std::string&)>& store);
