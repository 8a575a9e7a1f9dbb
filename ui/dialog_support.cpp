#include "ui/dialog_support.h"

#include "model/length_range.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

int DialogUnitsX(const QWidget* widget, int units)
{
  return units * QFontMetrics(widget->font()).averageCharWidth() / 4;
}

int DialogUnitsY(const QWidget* widget, int units)
{
  return units * QFontMetrics(widget->font()).height() / 8;
}

QGroupBox* Group(const char* caption, QWidget* content, QWidget* parent,
                 const CGroupOptions& options)
{
  auto* group = new QGroupBox(caption, parent);
  QBoxLayout* layout = nullptr;
  if (options.mColumn)
  {
    layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 2, 6, 4);
  }
  else
    layout = new QHBoxLayout(group);
  if (options.mStretchBefore)
    layout->addStretch(1);
  layout->addWidget(content);
  if (options.mStretchAfter)
    layout->addStretch(1);
  if (options.mKeepPlaceWhenHidden)
  {
    QSizePolicy policy = group->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    group->setSizePolicy(policy);
  }
  return group;
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
      RefuseEntry(field, ToQt(LengthRefusalText("length", value, units)));
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
  RefuseEntry(field, message);
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

QString ConfirmedSavePath(QWidget* parent, QString path, const QString& extension,
                          const QStringList& accepted)
{
  if (path.trimmed().isEmpty())
    return {};
  const QStringList endings = accepted.isEmpty() ? QStringList{extension} : accepted;
  if (std::none_of(endings.begin(), endings.end(),
                   [&path](const QString& ending)
                   { return path.endsWith(ending, Qt::CaseInsensitive); }))
    path += extension;
  path = QFileInfo(path).absoluteFilePath();
  if (QFileInfo::exists(path) &&
      !AskYesNo(parent, kAppTitle, QString("\"%1\" already exists.\r\nReplace it?").arg(path),
                CPromptIcon::Exclamation))
    return {};
  return path;
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
