#include "ui/prompts.h"

#include <QMessageBox>

namespace
{
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
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case CPromptButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    }
    switch (box.exec())
    {
    case QMessageBox::Ok:
      return CPromptAnswer::Ok;
    case QMessageBox::Yes:
      return CPromptAnswer::Yes;
    case QMessageBox::No:
      return CPromptAnswer::No;
    default:
      return buttons == CPromptButtons::YesNo ? CPromptAnswer::No : CPromptAnswer::Cancel;
    }
  }
};

CMessageBoxPrompts gMessageBoxes;
CPrompts* gPrompts = &gMessageBoxes;
} // namespace

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

bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text, CPromptIcon icon)
{
  return Prompts().Ask(parent, caption, text, icon, CPromptButtons::OkCancel) == CPromptAnswer::Ok;
}

CPromptAnswer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text,
                             CPromptIcon icon)
{
  return Prompts().Ask(parent, caption, text, icon, CPromptButtons::YesNoCancel);
}
