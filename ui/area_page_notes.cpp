#include "ui/area_page_notes.h"

#include "model/area.h"
#include "ui/area_page_fields.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QVBoxLayout>

// Notes are stored with CR LF line breaks, as project files hold them (the
// project's own notes are stored the same way); the editor works with plain
// line feeds.
QString VolumeNotesToQt(const std::string& notes)
{
  QString text = ToQt(notes);
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  return text;
}

std::string VolumeNotesFromQt(const QString& text, bool* lost)
{
  QString stored = text;
  stored.replace("\n", "\r\n");
  return FromQt(stored, lost);
}

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
    mEditor->setPlainText(VolumeNotesToQt(area->mNotes));
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
            if (CArea* area = Area())
              area->SetIncludeNotes(checked);
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
  if (shown == VolumeNotesToQt(area->mNotes))
    return;
  bool lost = false;
  area->SetNotes(VolumeNotesFromQt(shown, &lost));
  if (!lost)
    return;
  // Characters the program's character set cannot hold were left out: show
  // what is kept and say so, after the focus change that brought us here.
  mEditor->setPlainText(VolumeNotesToQt(area->mNotes));
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
