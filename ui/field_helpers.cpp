#include "ui/field_helpers.h"

#include "ui/dialog_support.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QPalette>
#include <QSignalBlocker>

namespace
{
class CFocusHook : public QObject
{
public:
  CFocusHook(QWidget* widget, QEvent::Type type, std::function<void()> handler)
    : QObject(widget), mType(type), mHandler(std::move(handler))
  {
    setObjectName(kFieldHookName);
    widget->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override
  {
    if (event->type() == mType && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
      mHandler();
    return false;
  }

private:
  QEvent::Type mType;
  std::function<void()> mHandler;
};
} // namespace

void HookFocusOut(QWidget* widget, std::function<void()> handler)
{
  new CFocusHook(widget, QEvent::FocusOut, std::move(handler));
}

void HookFocusIn(QWidget* widget, std::function<void()> handler)
{
  new CFocusHook(widget, QEvent::FocusIn, std::move(handler));
}

QColor LimitHighlightColour() { return QColor(255, 255, 0); }

void SetTextIfDiffers(QLineEdit* field, const QString& text)
{
  if (field->text() != text)
    field->setText(text);
}

CValueField::CValueField(QWidget* parent, Qt::Alignment alignment) : QLineEdit(parent)
{
  setReadOnly(true);
  setFocusPolicy(Qt::ClickFocus);
  setAlignment(alignment | Qt::AlignVCenter);
  ApplyColours();
}

void CValueField::SetHighlighted(bool on)
{
  if (on == mHighlighted)
    return;
  mHighlighted = on;
  ApplyColours();
}

void CValueField::ApplyColours()
{
  QPalette colours = palette();
  const QColor fill = mHighlighted ? LimitHighlightColour() : colours.color(QPalette::Window);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    colours.setColor(group, QPalette::Base, fill);
  setPalette(colours);
}

void CComboSelectionList::Clear() { mFilled = 0; }

void CComboSelectionList::Add(const std::string& text)
{
  const QString entry = ToQt(text);
  if (mFilled < 0)
    mFilled = mBox->count();
  const QSignalBlocker quiet(mBox);
  if (mFilled < mBox->count())
  {
    if (mBox->itemText(mFilled) != entry)
      mBox->setItemText(mFilled, entry);
  }
  else
    mBox->addItem(entry);
  ++mFilled;
}

void CComboSelectionList::DropStaleEntries()
{
  if (mFilled < 0)
    return;
  const QSignalBlocker quiet(mBox);
  while (mBox->count() > mFilled)
    mBox->removeItem(mBox->count() - 1);
  mFilled = -1;
}

void CComboSelectionList::Select(int index)
{
  DropStaleEntries();
  if (index < 0 || index >= mBox->count())
    index = -1;
  if (mBox->currentIndex() != index)
  {
    const QSignalBlocker quiet(mBox);
    mBox->setCurrentIndex(index);
  }
}

int CComboSelectionList::Selected() const { return mBox->currentIndex(); }
