#include "ui/project_tab_notes.h"

#include "document/project_document.h"
#include "model/project.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

std::string NotesFromQt(QWidget* parent, const QString& text)
{
  QString stored = text;
  stored.replace("\n", "\r\n");
  return TakeFieldText(parent, stored);
}

CVTXPageNotes::CVTXPageNotes(CVTXSheet& sheet)
  : CVTXProjectPage(sheet), mEditor(new QPlainTextEdit(this)),
    mInclude(new QCheckBox("Include these notes on report", this))
{
  mEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mEditor->setTabChangesFocus(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mEditor, 1);
  layout->addWidget(mInclude);

  if (CProject* project = Project())
  {
    mEditor->setPlainText(NotesToQt(project->mNotes));
    mInclude->setChecked(project->mIncludeNotes);
  }

  OnFocusOut(mEditor, [this] { CommitEdits(); });
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
            if (CProjectDocument* document = Document())
              document->SetIncludeProjectNotes(checked);
          });
}

void CVTXPageNotes::Refresh()
{
  // The notes are edited here only; the check box may follow the model.
  if (CProject* project = Project())
    mInclude->setChecked(project->mIncludeNotes);
}

void CVTXPageNotes::CommitEdits()
{
  CProject* project = Project();
  if (!project)
    return;
  const QString shown = mEditor->toPlainText();
  // Unchanged text is not written back: a file's own line breaks stay as
  // they were and the project does not count as changed.
  if (shown == NotesToQt(project->mNotes))
    return;
  CProjectDocument* document = Document();
  if (!document)
    return;
  document->SetProjectNotes(NotesFromQt(this, shown));
  const QString kept = NotesToQt(project->mNotes);
  if (kept != shown)
    mEditor->setPlainText(kept); // characters were removed: show what is kept
}
