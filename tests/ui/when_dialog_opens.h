#pragma once
// Scripting a modal dialog: the test arms an action, then clicks the button
// that opens the dialog; the action runs inside the dialog's own event loop.
// Also what the action does in a dialog: type, choose, press a button.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Runs `act` on the modal dialog of type D as soon as it is shown and active.
// Focus moves (and so the commits made when a field loses the focus) happen
// only in the active window, which a loaded machine may activate late.
template <class D> void WhenDialogOpens(std::function<void(D*)> act, int tries = 200)
{
  QTimer::singleShot(10,
                     [act, tries]
                     {
                       if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()))
                       {
                         QApplication::setActiveWindow(dialog);
                         if (!QTest::qWaitForWindowActive(dialog))
                           ADD_FAILURE() << "the dialog never became the active window";
                         act(dialog);
                       }
                       else if (tries > 0)
                         WhenDialogOpens<D>(act, tries - 1);
                       else
                         ADD_FAILURE() << "the dialog never opened";
                     });
}

// The dialog's push button with that text, or nullptr.
inline QPushButton* ButtonNamed(QWidget* dialog, const QString& text)
{
  for (QPushButton* button : dialog->findChildren<QPushButton*>())
    if (button->text() == text)
      return button;
  return nullptr;
}

// Replaces the field's text as a user would: focus in, select all, type.
inline void Type(QLineEdit* field, const QString& text)
{
  field->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  for (QChar c : text)
  {
    if (c.unicode() < 0x80)
      QTest::keyClick(field, c.toLatin1());
    else // QTest knows no key codes beyond ASCII: send the text alone
      QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Chooses a drop-down entry as the user does (the activation signal included).
inline void Choose(QComboBox* list, int index)
{
  list->setCurrentIndex(index);
  Q_EMIT list->activated(index);
}

inline void ClickOk(QWidget& dialog)
{
  QPushButton* ok = ButtonNamed(&dialog, "OK");
  ASSERT_NE(ok, nullptr);
  QTest::mouseClick(ok, Qt::LeftButton);
  QApplication::processEvents();
  QApplication::processEvents();
}
