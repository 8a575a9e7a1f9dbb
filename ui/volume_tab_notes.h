#pragma once
// The volume window's "Notes" tab: the volume's notes in a notes editor.

#include "ui/notes_editor.h"
#include "ui/volume_page.h"

// The volume window's "Notes" tab.
class CVTXAreaPageNotes : public CNotesPageOf<CVTXAreaPage>
{
  Q_OBJECT
public:
  explicit CVTXAreaPageNotes(CVolumePageHost& sheet);
};
