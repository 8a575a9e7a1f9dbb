#pragma once
// The about box: program icon, name, version and who makes it.

#include <QDialog>

class CAboutDialog : public QDialog
{
  Q_OBJECT
public:
  explicit CAboutDialog(QWidget* parent = nullptr);
};

// The program icon as compiled into the program; a null image when missing.
QImage ProgramIcon();
