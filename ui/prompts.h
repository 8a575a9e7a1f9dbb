#pragma once
// Message boxes behind an interface, so that tests can answer them.

#include <QString>

class QWidget;

enum class CPromptIcon
{
  None,
  Information,
  Question,
  Exclamation,
  Error
};

enum class CPromptButtons
{
  Ok,
  OkCancel,
  YesNo,
  // Escape and the title bar's close button answer Cancel.
  YesNoCancel,
  // Yes and No, where Yes keeps the user where they are: Escape and the
  // close button answer Yes as well, so that a stray key never moves them on.
  YesNoEscapeYes
};

enum class CPromptAnswer
{
  Ok,
  Cancel,
  Yes,
  No
};

// The application title: the caption of every box that names no caption of its own.
inline const char kAppTitle[] = "Vantor (R) System Calculation Program";

class CPrompts
{
public:
  virtual ~CPrompts() = default;
  virtual CPromptAnswer Ask(QWidget* parent, const QString& caption, const QString& text,
                            CPromptIcon icon, CPromptButtons buttons) = 0;
};

// What Escape or the title bar's close button answers for a set of buttons.
CPromptAnswer EscapeAnswer(CPromptButtons buttons);

// The prompts in use: QMessageBox unless a test has put its own in place.
CPrompts& Prompts();
// Puts prompts in place (nullptr restores the message boxes); returns the previous ones.
CPrompts* SetPrompts(CPrompts* prompts);

// Shorthands over Prompts(); a CR LF in the text is shown as a line break.
void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                 CPromptIcon icon = CPromptIcon::None);
bool AskYesNo(QWidget* parent, const QString& caption, const QString& text,
              CPromptIcon icon = CPromptIcon::Question);
// Yes, No or Cancel (closing the box counts as Cancel).
CPromptAnswer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text,
                             CPromptIcon icon = CPromptIcon::Question);
// A question whose Yes keeps the user where they are; Escape also keeps them.
// True for Yes.
bool AskToStay(QWidget* parent, const QString& caption, const QString& text,
               CPromptIcon icon = CPromptIcon::Exclamation);
bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text,
                 CPromptIcon icon = CPromptIcon::Question);
