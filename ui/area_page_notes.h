#pragma once
// The volume's "Notes" page: its notes and whether the report includes them.

#include "ui/area_sheet.h"

#include <string>

class QCheckBox;
class QPlainTextEdit;

// The notes as the editor shows them (line feeds) and as they are stored
// (CR LF, Windows-1252; `lost` is set when characters had to be left out).
QString VolumeNotesToQt(const std::string& notes);
std::string VolumeNotesFromQt(const QString& text, bool* lost);

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
