#pragma once
// The "Notes" page: the project notes and whether the report includes them.

#include "ui/project_sheet.h"

#include <string>

class QCheckBox;
class QPlainTextEdit;

// Takes the editor text into the stored form (CR LF line breaks), telling
// the user when a character could not be kept.
std::string NotesFromQt(QWidget* parent, const QString& text);

class CVTXPageNotes : public CVTXProjectPage
{
  Q_OBJECT
public:
  explicit CVTXPageNotes(CVTXSheet& sheet);
  void Refresh() override;
  // Takes the editor's text into mNotes when it differs.
  void CommitEdits() override;

  QPlainTextEdit* Editor() const { return mEditor; }
  QCheckBox* IncludeBox() const { return mInclude; }

private:
  QPlainTextEdit* mEditor;
  QCheckBox* mInclude;
};
