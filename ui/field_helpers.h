#pragma once
// The fields of the pages and dialogs: hooks that commit a field when it
// loses the keyboard focus and select its text when it gains it, the text of
// a field in the program's character set with the notice for characters it
// cannot hold, read-only value fields and filled drop-down lists.

#include "ui/selection_list.h"

#include <QColor>
#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QComboBox;

// ---- Focus hooks

// Every watcher and focus hook carries this object name, for StopFieldHooks.
inline constexpr char kFieldHookName[] = "vantor-field-hook";

// Removes every field watcher and focus hook under the widget. A dialog calls
// it in its destructor: a dialog destroyed while shown loses the focus only
// later, while its base class hides the window, when the members a commit
// would write are already gone.
void StopFieldHooks(QWidget* root);

// Runs the handler whenever the widget loses (OnFocusOut) or gains
// (OnFocusIn) the keyboard focus, except for a context menu opening over it.
// Text fields commit this way rather than on editingFinished, which also
// fires on Enter and not always on focus loss.
void OnFocusOut(QWidget* widget, std::function<void()> handler);
void OnFocusIn(QWidget* widget, std::function<void()> handler);

// Watches one field (it is the field's child):
// - `commit` runs when the field loses the keyboard focus (not for a popup
//   such as its context menu);
// - with `selectAllOnFocus`, the whole text is selected once the focus
//   change that brought the focus in has completed.
class CFieldWatcher : public QObject
{
public:
  static CFieldWatcher* Watch(QLineEdit* field, std::function<void()> commit,
                              bool selectAllOnFocus);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  CFieldWatcher(QLineEdit* field, std::function<void()> commit, bool selectAllOnFocus);
  QLineEdit* mField;
  std::function<void()> mCommit;
  bool mSelectAllOnFocus;
};

// ---- Text and lost characters

// The message shown when characters were removed.
extern const char kCharactersRemovedText[];

// Tells the user, once the current event has been handled, that characters
// were removed from what they typed. Fields committed together give one
// notice; it is shown even when `parent` has gone meanwhile (a dialog closed
// by the OK that committed its field).
void TellCharactersRemoved(QWidget* parent);

// The text of a field in the program's character set. Characters the set
// cannot hold are removed, never stored as something else, and the user is
// told so (TellCharactersRemoved).
std::string TakeFieldText(QWidget* parent, const QString& text, bool* removed = nullptr);

// Takes what the user typed into a field (nothing when the field was not
// edited: a page not shown since the model changed may still hold an older
// text), hands it to `store`, and shows the stored form of `value` back.
// True when `value` changed.
bool CommitTypedField(QWidget* parent, QLineEdit* field, const std::string& value,
                      const std::function<void(const std::string&)>& store);

// ---- Shown values

// Sets the field's text only when it differs from what is shown, so that a
// refresh keeps the cursor, the selection and the undo history of a field
// whose value has not changed.
void SetTextIfDiffers(QLineEdit* field, const QString& text);

// Shows the text in a field unless the user is typing in it (its text is
// taken when it loses the focus). A focused field whose typing has been
// taken shows a value changed elsewhere (an undo) too.
void ShowFieldText(QLineEdit* field, const QString& text);

// True when the widget is a text field holding typing that has not reached
// the project yet.
bool HoldsTyping(const QWidget* widget);
// Marks every text field and editor under `root` as holding no typing, so
// that nothing they show is taken into the project (a window whose volume a
// redo deletes again).
void ForgetTyping(QWidget* root);
// Shows the text as stored (after an undo, say) unless the editor holds
// typing; marks the editor as holding none.
void ShowStoredText(QPlainTextEdit* editor, const QString& text);

// Makes a field show a value only: not editable, the page's background
// instead of an entry field's, skipped by the Tab key; a click still focuses
// it so that its text can be copied.
void MakeValueField(QLineEdit* field);

// The colour of a result that breaks a limit of the design method.
QColor LimitHighlightColour();

// A value field (MakeValueField) showing one figure, with a yellow fill when
// highlighted.
class CValueField : public QLineEdit
{
  Q_OBJECT
public:
  explicit CValueField(QWidget* parent = nullptr, Qt::Alignment alignment = Qt::AlignLeft);
  // Shows the text from its start: a figure too long for the field shows
  // its leading digits, not a tail that reads as a smaller number.
  void SetValue(const QString& text);
  void SetHighlighted(bool on);
  bool Highlighted() const { return mHighlighted; }

private:
  void ApplyColours();
  bool mHighlighted = false;
};

// ---- Drop-down lists

// Fills a drop-down list with names sorted alphabetically with letter case
// ignored (names that differ only in case keep their byte order) and selects
// `selected` when it is one of them; returns its position or -1. Each entry
// keeps the name's own bytes, read back with ListedName.
int FillSortedNames(QComboBox* box, const std::vector<std::string>& names,
                    const std::string& selected);
// The name of an entry filled by FillSortedNames; empty for no entry.
std::string ListedName(const QComboBox* box, int index);

// A CSelectionList over a combo box. Filling it again with the same entries
// changes nothing in the box (no flicker, an open popup stays intact); only
// entries that differ are replaced. Programmatic changes never emit the box's
// user signals, so handlers connected to QComboBox::activated see the user
// only.
class CComboSelectionList : public CSelectionList
{
public:
  explicit CComboSelectionList(QComboBox* box) : mBox(box) {}
  void Clear() override;
  void Add(const std::string& text) override;
  void Select(int index) override;
  int Selected() const override;

private:
  void DropStaleEntries();
  QComboBox* mBox;
  int mFilled = -1; // entries written since Clear; -1 when not refilling
};
