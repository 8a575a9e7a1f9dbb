#include "ui/rename_volume.h"

#include "document/edit_commands.h"
#include "document/project_document.h"
#include "model/project.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/string_dialog.h"

bool AskVolumeName(QWidget* parent, CProjectDocument& document, CVolumeId volume)
{
  const CArea* area = document.Project().mAreaTable.FindId(volume);
  if (!area)
    return false;
  CStringDialog dialog(parent);
  dialog.mTitle = "Rename Volume";
  dialog.mText = area->mName;
  dialog.mValidator = [parent, &document, volume](const std::string& text)
  {
    const std::string refusal = EditRefusal(edit::RenameVolume{volume, text}, document.Project());
    if (!refusal.empty())
      ShowMessage(parent, kAppTitle, ToQt(refusal), CPromptIcon::Exclamation);
    return refusal.empty();
  };
  if (dialog.exec() != QDialog::Accepted)
    return false;
  return document.Apply(edit::RenameVolume{volume, dialog.mText});
}
