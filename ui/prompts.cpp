#include "ui/prompts.h"

#include <QMessageBox>

namespace
{
QMessageBox::StandardButton StandardButton(CPromptAnswer answer)
{
  switch (answer)
  {
  case CPromptAnswer::Ok:
    return QMessageBox::Ok;
  case CPromptAnswer::Cancel:
    return QMessageBox::Cancel;
  case CPromptAnswer::Yes:
    return QMessageBox::Yes;
  case CPromptAnswer::No:
    return QMessageBox::No;
  }
  return QMessageBox::NoButton;
}

class CMessageBoxPrompts : public CPrompts
{
public:
  CPromptAnswer Ask(QWidget* parent, const QString& caption, const QString& text,
                    CPromptIcon icon, CPromptButtons buttons) override
  {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    QString shown = text;
    shown.replace("\r\n", "\n");
    box.setText(shown);
    switch (icon)
    {
    case CPromptIcon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case CPromptIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case CPromptIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case CPromptIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case CPromptIcon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    }
    switch (buttons)
    {
    case CPromptButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case CPromptButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case CPromptButtons::YesNo:
    case CPromptButtons::YesNoEscapeYes:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case CPromptButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    }
    box.setEscapeButton(box.button(StandardButton(EscapeAnswer(buttons))));
    const int clicked = box.exec();
    for (CPromptAnswer answer :
         {CPromptAnswer::Ok, CPromptAnswer::Cancel, CPromptAnswer::Yes, CPromptAnswer::No})
      if (clicked == StandardButton(answer))
        return answer;
    return EscapeAnswer(buttons);
  }
};

CMessageBoxPrompts gMessageBoxes;
CPrompts* gPrompts = &gMessageBoxes;
} // namespace

CPromptAnswer EscapeAnswer(CPromptButtons buttons)
{
  switch (buttons)
  {
  case CPromptButtons::Ok:
    return CPromptAnswer::Ok;
  case CPromptButtons::YesNo:
    return CPromptAnswer::No;
  case CPromptButtons::YesNoEscapeYes:
    return CPromptAnswer::Yes;
  case CPromptButtons::OkCancel:
  case CPromptButtons::YesNoCancel:
    break;
  }
  return CPromptAnswer::Cancel;
}

CPrompts& Prompts() { return *gPrompts; }

CPrompts* SetPrompts(CPrompts* prompts)
{
  CPrompts* old = gPrompts;
  gPrompts = prompts ? prompts : &gMessageBoxes;
  return old;
}

void ShowMessage(QWidget* parent, const QString& caption, const QString& text, CPromptIcon icon)
{
  Prompts().Ask(parent, caption, text, icon, CPromptButtons::Ok);
}

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text, CPromptIcon icon)
{
  return Prompts().Ask(parent, caption, text, icon, CPromptButtons::YesNo) == CPromptAnswer::Yes;
}

bool AskToStay(QWidget* parent, const QString& caption, const QString& text, CPromptIcon icon)
{
  return Prompts().Ask(parent, caption, text, icon, CPromptButtons::YesNoEscapeYes) ==
         CPromptAnswer::Yes;
}

bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text, CPromptIcon icon)
{
  return Prompts().Ask(parent, caption, text, icon, CPromptButtons::OkCancel) == CPromptAnswer::Ok;
}

CPromptAnswer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text,
                             CPromptIcon icon)
{
  return Prompts().Ask(parent, caption, text, icon, CPromptButtons::YesNoCancel);
}
