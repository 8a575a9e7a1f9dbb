#pragma once
// Scripting a modal dialog: the test arms an action, then clicks the button
// that opens the dialog; the action runs inside the dialog's own event loop.

#include <QApplication>
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
