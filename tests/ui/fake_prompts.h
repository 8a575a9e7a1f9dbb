#pragma once
// Answers message boxes from a script and records what was asked.

#include "ui/prompts.h"

#include <QStringList>
#include <deque>

class CFakePrompts : public CPrompts
{
public:
  CFakePrompts() : mPrevious(SetPrompts(this)) {}
  ~CFakePrompts() override { SetPrompts(mPrevious); }

  CPromptAnswer Ask(QWidget*, const QString& caption, const QString& text, CPromptIcon icon,
                    CPromptButtons buttons) override
  {
    mCaptions << caption;
    mTexts << text;
    mIcons.push_back(icon);
    if (!mAnswers.empty())
    {
      CPromptAnswer a = mAnswers.front();
      mAnswers.pop_front();
      return a;
    }
    return buttons == CPromptButtons::YesNo ? CPromptAnswer::No
           : buttons == CPromptButtons::Ok  ? CPromptAnswer::Ok
                                            : CPromptAnswer::Cancel;
  }

  std::deque<CPromptAnswer> mAnswers; // answered in order; then No / Ok / Cancel
  QStringList mCaptions;
  QStringList mTexts;
  std::vector<CPromptIcon> mIcons;

private:
  CPrompts* mPrevious;
};
