#pragma once
// Answers message boxes from a script and records what was asked.

#include "ui/prompts.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

// A scripted answer that presses Escape (or the title bar's close button):
// the box answers what the real one would for its buttons.
inline constexpr std::nullopt_t kPressEscape = std::nullopt;

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
    mButtons.push_back(buttons);
    if (mOnAsk)
      mOnAsk();
    if (!mAnswers.empty())
    {
      std::optional<CPromptAnswer> a = mAnswers.front();
      mAnswers.pop_front();
      return a ? *a : EscapeAnswer(buttons);
    }
    return buttons == CPromptButtons::Ok                                       ? CPromptAnswer::Ok
           : buttons == CPromptButtons::OkCancel                               ? CPromptAnswer::Cancel
                                                                               : CPromptAnswer::No;
  }

  // Answered in order (kPressEscape for Escape); then No / Cancel / Ok.
  std::deque<std::optional<CPromptAnswer>> mAnswers;
  QStringList mCaptions;
  QStringList mTexts;
  std::vector<CPromptIcon> mIcons;
  std::vector<CPromptButtons> mButtons;
  // Runs while a box is up, to look at the windows behind it.
  std::function<void()> mOnAsk;

private:
  CPrompts* mPrevious;
};
