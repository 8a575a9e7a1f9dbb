#include "ui/field_helpers.h"

#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QPalette>
#include <QPointer>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

// ---- Focus hooks

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
    // A context menu opening over the field is not the user leaving it.
    if (event->type() == mType && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
      mHandler();
    return false;
  }

private:
  QEvent::Type mType;
  std::function<void()> mHandler;
};

bool gRemovedNoticePending = false;
} // namespace

void StopFieldHooks(QWidget* root)
{
  qDeleteAll(root->findChildren<QObject*>(kFieldHookName));
}

void OnFocusOut(QWidget* widget, std::function<void()> handler)
{
  new CFocusHook(widget, QEvent::FocusOut, std::move(handler));
}

void OnFocusIn(QWidget* widget, std::function<void()> handler)
{
  new CFocusHook(widget, QEvent::FocusIn, std::move(handler));
}

CFieldWatcher* CFieldWatcher::Watch(QLineEdit* field, std::function<void()> commit,
                                    bool selectAllOnFocus)
{
  return new CFieldWatcher(field, std::move(commit), selectAllOnFocus);
}

CFieldWatcher::CFieldWatcher(QLineEdit* field, std::function<void()> commit,
                             bool selectAllOnFocus)
  : QObject(field), mField(field), mCommit(std::move(commit)), mSelectAllOnFocus(selectAllOnFocus)
{
  setObjectName(kFieldHookName);
  field->installEventFilter(this);
}

bool CFieldWatcher::eventFilter(QObject* watched, QEvent* event)
{
  if (watched != mField)
    return false;
  switch (event->type())
  {
  case QEvent::FocusOut:
    if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && mCommit)
      mCommit();
    break;
  case QEvent::FocusIn:
    if (mSelectAllOnFocus &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
    {
      // A click that brought the focus in places the cursor after this
      // event; selecting later keeps the whole text selected.
      QPointer<QLineEdit> field = mField;
      QTimer::singleShot(0, mField,
                         [field]
                         {
                           if (field && field->hasFocus())
                             field->selectAll();
                         });
    }
    break;
  default:
    break;
  }
  return false;
}

// ---- Text and lost characters

const char kCharactersRemovedText[] =
  "Some of the characters you typed cannot be stored by this program and have been removed.";

void TellCharactersRemoved(QWidget* parent)
{
  if (gRemovedNoticePending)
    return;
  gRemovedNoticePending = true;
  QPointer<QWidget> owner(parent);
  QMetaObject::invokeMethod(
    qApp,
    [owner]
    {
      gRemovedNoticePending = false;
      ShowMessage(owner, kAppTitle, kCharactersRemovedText, CPromptIcon::Exclamation);
    },
    Qt::QueuedConnection);
}

std::string TakeFieldText(QWidget* parent, const QString& text, bool* removed)
{
  bool lost = false;
  std::string stored = FromQt(text, &lost);
  if (removed)
    *removed = lost;
  if (lost)
    TellCharactersRemoved(parent);
  return stored;
}

bool CommitTypedField(QWidget* parent, QLineEdit* field, const std::string& value,
                      const std::function<void(const std::string&)>& store)
{
  if (!field->isModified())
    return false;
  field->setModified(false);
  const std::string before = value;
  store(TakeFieldText(parent, field->text()));
  // Set even when the same: the field's own undo then starts from the value
  // taken, and Ctrl+Z in it never reaches back into typing already taken.
  field->setText(ToQt(value));
  return value != before;
}

// ---- Shown values

QColor LimitHighlightColour() { return QColor(255, 255, 0); }

void SetTextIfDiffers(QLineEdit* field, const QString& text)
{
  if (field->text() != text)
    field->setText(text);
}

void ShowFieldText(QLineEdit* field, const QString& text)
{
  if (!(field->hasFocus() && field->isModified()))
    SetTextIfDiffers(field, text);
}

bool HoldsTyping(const QWidget* widget)
{
  // The pages mark a field's typing as taken once it reaches the project.
  if (const auto* field = qobject_cast<const QLineEdit*>(widget))
    return !field->isReadOnly() && field->isModified();
  if (const auto* editor = qobject_cast<const QPlainTextEdit*>(widget))
    return !editor->isReadOnly() && editor->document()->isModified();
  if (const auto* editor = qobject_cast<const QTextEdit*>(widget))
    return !editor->isReadOnly() && editor->document()->isModified();
  return false;
}

void ForgetTyping(QWidget* root)
{
  for (QLineEdit* field : root->findChildren<QLineEdit*>())
    field->setModified(false);
  for (QPlainTextEdit* editor : root->findChildren<QPlainTextEdit*>())
    editor->document()->setModified(false);
  for (QTextEdit* editor : root->findChildren<QTextEdit*>())
    editor->document()->setModified(false);
}

void ShowStoredText(QPlainTextEdit* editor, const QString& text)
{
  if (HoldsTyping(editor))
    return;
  if (editor->toPlainText() != text)
    editor->setPlainText(text);
  editor->document()->setModified(false);
}

void MakeValueField(QLineEdit* field)
{
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  field->setPalette(palette);
}

CValueField::CValueField(QWidget* parent, Qt::Alignment alignment) : QLineEdit(parent)
{
  MakeValueField(this);
  setAlignment(alignment | Qt::AlignVCenter);
  ApplyColours();
}

void CValueField::SetValue(const QString& text)
{
  if (text == this->text())
    return;
  setText(text);
  setCursorPosition(0);
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

// ---- Drop-down lists

int FillSortedNames(QComboBox* box, const std::vector<std::string>& names,
                    const std::string& selected)
{
  std::vector<const std::string*> order;
  order.reserve(names.size());
  for (const std::string& name : names)
    order.push_back(&name);
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  std::stable_sort(order.begin(), order.end(),
                   [&](const std::string* a, const std::string* b)
                   {
                     return std::lexicographical_compare(
                       a->begin(), a->end(), b->begin(), b->end(),
                       [&](char x, char y) { return lower(x) < lower(y); });
                   });
  const QSignalBlocker block(box);
  box->clear();
  int position = -1;
  for (const std::string* name : order)
  {
    if (*name == selected)
      position = box->count();
    box->addItem(ToQt(*name), QByteArray(name->data(), static_cast<qsizetype>(name->size())));
  }
  box->setCurrentIndex(position);
  return position;
}

std::string ListedName(const QComboBox* box, int index)
{
  if (index < 0 || index >= box->count())
    return {};
  return box->itemData(index).toByteArray().toStdString();
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
