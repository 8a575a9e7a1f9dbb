#include "ui/volume_tab_notes.h"

#include "document/project_document.h"
#include "model/area.h"

#include <QVBoxLayout>

CVTXAreaPageNotes::CVTXAreaPageNotes(CVolumePageHost& sheet) : CNotesPageOf(sheet)
{
  CNotesOwner owner;
  owner.mNotes = [this]() -> const std::string* { return Area() ? &Area()->mNotes : nullptr; };
  owner.mIncludeNotes = [this] { return Area() && Area()->mIncludeNotes; };
  owner.mStoreNotes = [this](const std::string& notes)
  {
    if (CProjectDocument* document = Area() ? Document() : nullptr)
      document->Apply(edit::SetVolumeNotes{Area()->Id(), notes});
  };
  owner.mStoreIncludeNotes = [this](bool include)
  {
    if (CProjectDocument* document = Area() ? Document() : nullptr)
      document->Apply(edit::SetIncludeVolumeNotes{Area()->Id(), include});
  };
  mNotes = new CNotesEditor(std::move(owner), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mNotes);
  FixPageSize(304, 174);
}
