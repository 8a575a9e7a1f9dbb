#pragma once
// What the entry dialogs share: sizes in dialog units, refused entries,
// lengths read from fields and the Enter key (their fields' hooks and the
// notice for removed characters are in field_helpers.h).

#include "text/units.h"
#include "ui/field_helpers.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <string>

class QDialog;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QString;
class QWidget;

// Dialog units of the widget's font: a horizontal unit is a quarter of the
// average character width, a vertical unit an eighth of the character height.
int DialogUnitsX(const QWidget* widget, int units);
int DialogUnitsY(const QWidget* widget, int units);

// How Group lays out its widget: in a row with the style's margins, or in a
// column with the tight margins of the volume pages' figures; a stretch
// before or after the widget; whether a hidden group keeps its place
// rather than letting the others move into it.
struct CGroupOptions
{
  bool mColumn = false;
  bool mStretchBefore = false;
  bool mStretchAfter = false;
  bool mKeepPlaceWhenHidden = false;
};
// A captioned group box holding one widget.
QGroupBox* Group(const char* caption, QWidget* content, QWidget* parent,
                 const CGroupOptions& options = {});

// The user's decimal separator as ParseMeasure takes it: ',' or '.'.
char UserDecimalPoint();

// Reads the length typed in a field (ParseMeasure with the user's decimal
// separator); a length other than 0 must lie in the range the calculation
// takes. When the text is refused the user is told why (RefuseEntry: the
// text stays as typed), and false.
bool ReadLengthField(QLineEdit* field, UnitSystem units, double& metres);

// Refuses what the user typed into a field: once the event in progress has
// been handled, a message (the application title as caption) says what was
// refused and why, and the focus goes back to the field, whose text is kept
// as typed and selected. A refusal still waiting to be shown for the same
// field is not repeated (the message box itself takes the focus away).
void RefuseEntry(QLineEdit* field, const QString& message);

// The file a save dialog gave (picked with DontConfirmOverwrite), with
// `extension` (".pdf") added when it ends in none of `accepted` (the
// extension itself when empty), made absolute; empty when it names an
// existing file that the user, asked through the prompts, would not replace.
QString ConfirmedSavePath(QWidget* parent, QString path, const QString& extension,
                          const QStringList& accepted = {});

// Enter on a focused button presses that button; elsewhere it presses the
// dialog's default button, if it has one. Run once the dialog's buttons are
// made (the dialogs whose Enter moves on handle buttons in EnterMovesOn).
void EnterPressesFocusedButton(QDialog* dialog);

// Enter in the numeric dialogs: on a button it presses the button, anywhere
// else it moves the focus to the next control. True when the key was Enter.
bool EnterMovesOn(QWidget* dialog, QKeyEvent* event);

// Runs `then` once the events already queued (the focus change in progress)
// have been handled.
void RunQueued(QObject* context, std::function<void()> then);
