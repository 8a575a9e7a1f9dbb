#include "ui/notes_editor.h"

#include "ui/field_helpers.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

// ---- CNotesEditor

CNotesEditor::CNotesEditor(CNotesOwner owner, QWidget* parent)
    : QWidget(parent), mOwner(std::move(owner)), mEditor(new QPlainTextEdit(this)),
      mInclude(new QCheckBox("Include these notes on report", this))
{
  mEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mEditor->setTabChangesFocus(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(mEditor, 1);
  layout->addWidget(mInclude);

  if (const std::string* notes = mOwner.mNotes())
  {
    mEditor->setPlainText(NotesToQt(*notes));
    mEditor->document()->setModified(false);
    mInclude->setChecked(mOwner.mIncludeNotes());
  }

  OnFocusOut(mEditor, [this] { CommitEdits(); });
  // Coming back to the notes never leaves a selection that the next key
  // would replace.
  OnFocusIn(mEditor,
            [this]
            {
              QTextCursor cursor = mEditor->textCursor();
              cursor.clearSelection();
              mEditor->setTextCursor(cursor);
            });
  connect(mInclude, &QCheckBox::clicked, this,
          [this](bool checked)
          {
            if (mOwner.mNotes())
              mOwner.mStoreIncludeNotes(checked);
          });
}

void CNotesEditor::Refresh()
{
  // Typing in the editor stays; notes changed elsewhere (an undo, an
  // imported schedule) are shown.
  if (const std::string* notes = mOwner.mNotes())
  {
    ShowStoredText(mEditor, NotesToQt(*notes));
    mInclude->setChecked(mOwner.mIncludeNotes());
  }
}

void CNotesEditor::CommitEdits()
{
  // Only typing is taken: an editor on a page not shown since the notes
  // changed elsewhere (an undo, a redo, an import) may still show older
  // notes, which must never be written back over them.
  const std::string* notes = mOwner.mNotes();
  if (!notes || !HoldsTyping(mEditor))
    return;
  const QString shown = mEditor->toPlainText();
  mEditor->document()->setModified(false); // the typing is taken
  // Unchanged text is not written back: a file's own line breaks stay as
  // they were and the project does not count as changed.
  if (shown == NotesToQt(*notes))
    return;
  bool lost = false;
  const std::string stored = NotesFromQtText(shown, &lost);
  if (lost)
    TellCharactersRemoved(this);
  mOwner.mStoreNotes(stored);
  if (const std::string* kept = mOwner.mNotes(); kept && NotesToQt(*kept) != shown)
    mEditor->setPlainText(NotesToQt(*kept)); // characters were removed: show what is kept
}
