#include "ui/dialog_support.h"

#include "model/length_range.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

int DialogUnitsX(const QWidget* widget, int units)
{
  return units * QFontMetrics(widget->font()).averageCharWidth() / 4;
}

int DialogUnitsY(const QWidget* widget, int units)
{
  return units * QFontMetrics(widget->font()).height() / 8;
}

void TellInputRefused(QLineEdit* field, const QString& message)
{
  QPointer<QWidget> window = field->window();
  QPointer<QLineEdit> guard = field;
  QTimer::singleShot(0, window,
                     [window, guard, message]
                     {
                       if (!window)
                         return;
                       ShowMessage(window, kAppTitle, message, CPromptIcon::Exclamation);
                       if (guard && guard->isVisible())
                       {
                         guard->setFocus(Qt::OtherFocusReason);
                         guard->selectAll();
                       }
                     });
}

char UserDecimalPoint()
{
  return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

bool ReadLengthField(QLineEdit* field, UnitSystem units, double& metres)
{
  bool lost = false;
  const std::string text = FromQt(field->text(), &lost);
  CMeasureRefusal refusal;
  double value = 0;
  if (!lost && ParseMeasure(text, units, value, UserDecimalPoint(), &refusal))
  {
    // A number, but beyond the lengths the calculation takes (0 is for the
    // dialog to judge).
    if (value != 0 && !IsUsableLength(value))
    {
      TellInputRefused(field, ToQt(LengthRefusalText("length", value, units)));
      return false;
    }
    metres = value;
    return true;
  }
  // A character the program's set cannot hold is part of no length; the
  // message quotes the text as typed.
  if (lost)
    refusal = {MeasureProblem::NotUnderstood, "%1"};
  QString message = ToQt(MeasureRefusalText(refusal));
  if (lost)
    message = message.arg(field->text().trimmed());
  TellInputRefused(field, message);
  return false;
}

void RefuseEntry(QLineEdit* field, const QString& message)
{
  static const char kPending[] = "vantor-refusal-pending";
  if (field->property(kPending).toBool())
    return;
  field->setProperty(kPending, true);
  QPointer<QLineEdit> guard = field;
  RunQueued(field,
            [guard, message]
            {
              // A dialog closed meanwhile (Cancel) has nothing left to refuse.
              if (guard->isVisible())
              {
                ShowMessage(guard->window(), kAppTitle, message, CPromptIcon::Exclamation);
                if (!guard)
                  return;
                guard->setFocus(Qt::OtherFocusReason);
                guard->selectAll();
              }
              // Commits already queued behind this one (an OK pressed with
              // the field) find the refusal told and do not tell it again.
              RunQueued(guard,
                        [guard]
                        {
                          if (guard)
                            guard->setProperty(kPending, false);
                        });
            });
}

void EnterPressesFocusedButton(QDialog* dialog)
{
  // An auto-default button becomes the default while it has the focus and
  // hands the part back to the dialog's own default when it loses it.
  for (QPushButton* button : dialog->findChildren<QPushButton*>())
    button->setAutoDefault(true);
}

bool EnterMovesOn(QWidget* dialog, QKeyEvent* event)
{
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
    return false;
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return false;
  QWidget* focus = dialog->focusWidget();
  if (auto* button = qobject_cast<QPushButton*>(focus))
  {
    if (button->isEnabled())
      button->click();
    return true;
  }
  if (focus)
  {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focus, &tab);
  }
  return true;
}

void RunQueued(QObject* context, std::function<void()> then)
{
  QMetaObject::invokeMethod(context, std::move(then), Qt::QueuedConnection);
}
