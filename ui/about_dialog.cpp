#include "ui/about_dialog.h"

#include "report/resources.h"
#include "ui/dialog_support.h"
#include "ui/prompts.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

QImage ProgramIcon()
{
  const auto bytes = EmbeddedResource("icon.png");
  QImage image;
  if (!bytes.empty())
    image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
  return image;
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
  setWindowTitle(QString("About ") + kAppTitle);

  auto* icon = new QLabel(this);
  const QImage image = ProgramIcon();
  if (!image.isNull())
    icon->setPixmap(QPixmap::fromImage(image.scaled(DialogUnitsX(this, 24), DialogUnitsX(this, 24),
                                                    Qt::KeepAspectRatio,
                                                    Qt::SmoothTransformation)));
  icon->setAlignment(Qt::AlignTop);

  auto* lines = new QVBoxLayout;
  lines->addWidget(new QLabel(kAppTitle, this));
  lines->addWidget(new QLabel("Version 2.7", this));
  lines->addWidget(new QLabel("Written by the Vantor program team", this));
  lines->addWidget(new QLabel("Design calculations for aerosol fire-suppression systems", this));

  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(DialogUnitsX(this, 8));
  top->addLayout(lines, 1);

  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
