#pragma once
// Small building blocks of the volume pages: read-only value fields that can
// be highlighted, and a drop-down list as CSelectionList fills it.

#include "ui/selection_list.h"

#include <QColor>
#include <QEvent>
#include <QLineEdit>
#include <QString>
#include <functional>

class QComboBox;

// Runs the handler whenever the widget loses (HookFocusOut) or gains
// (HookFocusIn) the keyboard focus, except for a context menu opening over
// it. Text fields commit this way rather than on editingFinished, which also
// fires on Enter and not always on focus loss.
void HookFocusOut(QWidget* widget, std::function<void()> handler);
void HookFocusIn(QWidget* widget, std::function<void()> handler);

// The colour of a result that breaks a limit of the design method.
QColor LimitHighlightColour();

// Sets the field's text only when it differs from what is shown, so that a
// refresh keeps the cursor, the selection and the undo history of a field
// whose value has not changed.
void SetTextIfDiffers(QLineEdit* field, const QString& text);

// A read-only field showing one figure. It has the page's background like a
// read-only field of any dialog, or a yellow fill when highlighted. The
// keyboard skips it; a click still focuses it so that its text can be copied.
class CValueField : public QLineEdit
{
  Q_OBJECT
public:
  explicit CValueField(QWidget* parent = nullptr, Qt::Alignment alignment = Qt::AlignLeft);
  void SetValue(const QString& text) { SetTextIfDiffers(this, text); }
  void SetHighlighted(bool on);
  bool Highlighted() const { return mHighlighted; }

private:
  void ApplyColours();
  bool mHighlighted = false;
};

// A CSelectionList over a combo box. Filling it again with the same entries
// changes nothing in the box (no flicker, an open popup stays intact); only
// entries that differ are replaced. Programmatic changes never emit the box's
// user signals, so handlers connected to QComboBox::activated see the user
// only.
class CComboSelectionList : public CSelectionList
{
public:
  explicit CComboSelectionList(QComboBox* box) : mBox(box) {}
  void Clear() override;
  void Add(const std::string& text) override;
  void Select(int index) override;
  int Selected() const override;

private:
  void DropStaleEntries();
  QComboBox* mBox;
  int mFilled = -1; // entries written since Clear; -1 when not refilling
};
