#pragma once
// The volume's "Notes" page: its notes and whether the report includes them.

#include "ui/volume_sheet.h"

#include <string>

class QCheckBox;
class QPlainTextEdit;

inline constexpr const char* kNotesCharactersRemovedText =
  "Some of the characters you typed cannot be stored by this program and were removed.";

class CVTXAreaPageNotes : public CVTXAreaPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPageNotes(CVTXAreaSheet& sheet);
  // Takes the editor's text into the volume's notes when it differs.
  void CommitEdits() override;

  QPlainTextEdit* Editor() const { return mEditor; }
  QCheckBox* IncludeBox() const { return mInclude; }

private:
  QPlainTextEdit* mEditor;
  QCheckBox* mInclude;
};
