#pragma once
// The base of the project window's pages and what they ask of the sheet that
// holds them. A page knows its sheet only through CProjectPageHost, so the
// pages never include the sheet, which includes them.

#include "document/edit_commands.h"
#include "ui/sheet_wnd.h"

#include <QSize>
#include <functional>
#include <string>
#include <string_view>

class CAddress;
class CProject;
class CProjectDocument;
class QFormLayout;
class QLineEdit;
class QWidget;

// What a project page asks of its sheet (CVTXSheet).
class CProjectPageHost
{
public:
  // The open project; nullptr once it has closed.
  virtual CProject* Project() const = 0;
  // Every page commits its pending edit.
  virtual void CommitEdits() = 0;

protected:
  ~CProjectPageHost() = default;
};

// Base of the project pages.
class CVTXProjectPage : public CVTXPage
{
  Q_OBJECT
public:
  explicit CVTXProjectPage(CProjectPageHost& sheet);
  // The open project; nullptr once it has closed.
  CProject* Project() const;
  // The open project's document, through which the page edits it; nullptr
  // once the project has closed.
  CProjectDocument* Document() const;
  CProjectPageHost& Sheet() const { return mSheet; }
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
  CProjectPageHost& mSheet;
  QLineEdit* mReference = nullptr;
  std::string CProject::*mReferenceText = nullptr;
  CEditCommand (*mStoreReference)(std::string text) = nullptr;
};
