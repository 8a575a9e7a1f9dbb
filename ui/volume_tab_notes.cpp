#include "ui/volume_tab_notes.h"

#include "document/project_document.h"
#include "model/area.h"
#include "ui/field_helpers.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QVBoxLayout>


CVTXAreaPageNotes::CVTXAreaPageNotes(CVTXAreaSheet& sheet)
  : CVTXAreaPage(sheet), mEditor(new QPlainTextEdit(this)),
    mInclude(new QCheckBox("Include these notes on report", this))
{
  mEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mEditor->setTabChangesFocus(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mEditor, 1);
  layout->addWidget(mInclude);
  FixPageSize(304, 174);

  // Loaded once: the editor is the only place the notes are edited, so a
  // refresh has nothing to bring in.
  if (const CArea* area = Area())
  {
    mEditor->setPlainText(NotesToQt(area->mNotes));
    mInclude->setChecked(area->mIncludeNotes);
  }

  HookFocusOut(mEditor, [this] { CommitEdits(); });
  HookFocusIn(mEditor,
            [this]
            {
              QTextCursor cursor = mEditor->textCursor();
              cursor.clearSelection();
              mEditor->setTextCursor(cursor);
            });
  connect(mInclude, &QCheckBox::clicked, this,
          [this](bool checked)
          {
            CArea* area = Area();
            if (CProjectDocument* document = area ? Document() : nullptr)
              document->SetIncludeVolumeNotes(*area, checked);
          });
}

void CVTXAreaPageNotes::CommitEdits()
{
  CArea* area = Area();
  if (!area)
    return;
  const QString shown = mEditor->toPlainText();
  // Unchanged text is not written back, so the line breaks of a file stay
  // as they were and the project does not count as changed.
  if (shown == NotesToQt(area->mNotes))
    return;
  CProjectDocument* document = Document();
  if (!document)
    return;
  bool lost = false;
  document->SetVolumeNotes(*area, NotesFromQtText(shown, &lost));
  if (!lost)
    return;
  // Characters the program's character set cannot hold were left out: show
  // what is kept and say so, after the focus change that brought us here.
  mEditor->setPlainText(NotesToQt(area->mNotes));
  QPointer<QWidget> page(this);
  QMetaObject::invokeMethod(
    this,
    [page]
    {
      if (page)
        ShowMessage(page, kAppTitle, kNotesCharactersRemovedText, CPromptIcon::Exclamation);
    },
    Qt::QueuedConnection);
}
