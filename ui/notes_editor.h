#pragma once
// The editor of the "Notes" tab of both windows: the notes of the project
// (project window) or of one volume (volume window) and whether the report
// includes them. It knows neither window: the notes pages
// (project_tab_notes.*, volume_tab_notes.*) only say whose notes they are.

#include <QWidget>
#include <functional>
#include <string>

class QCheckBox;
class QPlainTextEdit;

// Whose notes a notes editor shows, and the document edits that store them.
struct CNotesOwner
{
  // The stored notes (CR LF line breaks); nullptr once the project or volume
  // has closed, when the editor does nothing.
  std::function<const std::string*()> mNotes;
  std::function<bool()> mIncludeNotes;
  std::function<void(const std::string&)> mStoreNotes;
  std::function<void(bool)> mStoreIncludeNotes;
};

// The notes editor and the "Include these notes on report" check box. The
// editor shows the stored notes on every refresh unless it holds typing, and
// only typing is taken, when it loses the focus (or the page is left). The
// check box writes straight through and follows the stored switch on every
// refresh.
class CNotesEditor : public QWidget
{
  Q_OBJECT
public:
  CNotesEditor(CNotesOwner owner, QWidget* parent);
  void Refresh();
  // Takes the editor's text into the notes when it holds typing that
  // differs from them.
  // Characters the program cannot store are removed, the editor shows what
  // is kept and the user is told.
  void CommitEdits();

  QPlainTextEdit* Editor() const { return mEditor; }
  QCheckBox* IncludeBox() const { return mInclude; }

private:
  CNotesOwner mOwner;
  QPlainTextEdit* mEditor;
  QCheckBox* mInclude;
};

// What both notes tabs add to their sheet's page class: the notes editor,
// which the page's constructor makes for its project or volume.
template <class Page> class CNotesPageOf : public Page
{
public:
  using Page::Page;
  void Refresh() override { mNotes->Refresh(); }
  void CommitEdits() override { mNotes->CommitEdits(); }

  QPlainTextEdit* Editor() const { return mNotes->Editor(); }
  QCheckBox* IncludeBox() const { return mNotes->IncludeBox(); }

protected:
  CNotesEditor* mNotes = nullptr;
};
