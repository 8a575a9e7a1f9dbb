#include "ui/project_tab_notes.h"

#include "document/project_document.h"
#include "model/project.h"

#include <QVBoxLayout>

CVTXPageNotes::CVTXPageNotes(CProjectPageHost& sheet) : CNotesPageOf(sheet)
{
  CNotesOwner owner;
  owner.mNotes = [this]() -> const std::string*
  { return Project() ? &Project()->mNotes : nullptr; };
  owner.mIncludeNotes = [this] { return Project() && Project()->mIncludeNotes; };
  owner.mStoreNotes = [this](const std::string& notes)
  {
    if (CProjectDocument* document = Document())
      document->Apply(edit::SetProjectNotes{notes});
  };
  owner.mStoreIncludeNotes = [this](bool include)
  {
    if (CProjectDocument* document = Document())
      document->Apply(edit::SetIncludeProjectNotes{include});
  };
  mNotes = new CNotesEditor(std::move(owner), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mNotes);
}
