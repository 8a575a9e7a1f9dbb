#pragma once
// The project window's "Notes" tab: the project's notes in a notes editor.

#include "ui/notes_editor.h"
#include "ui/project_page.h"

// The project window's "Notes" tab.
class CVTXPageNotes : public CNotesPageOf<CVTXProjectPage>
{
  Q_OBJECT
public:
  explicit CVTXPageNotes(CProjectPageHost& sheet);
};
