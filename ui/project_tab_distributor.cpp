#include "ui/project_tab_distributor.h"

#include "document/project_document.h"
#include "model/project.h"
#include "storage/address_book.h"
#include "storage/default_distributor.h"
#include "ui/address_dialog.h"
#include "ui/app.h"
#include "ui/qt_text.h"
#include "ui/field_helpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CVTXPageDistributor::CVTXPageDistributor(CProjectPageHost& sheet)
    : CVTXProjectPage(sheet), mReference(new QLineEdit(this)), mEdit(new QPushButton("&Edit", this))
{
  auto* form = new QFormLayout;
  AddAddressRows(form, mLines, 0, this);
  form->addRow("Reference #", mReference);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(mEdit);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addLayout(buttons);

  connect(mEdit, &QPushButton::clicked, this, &CVTXPageDistributor::OnEdit);
  WatchReference(mReference, &CProject::mDistributor_Reference,
                 [](std::string text) -> CEditCommand
                 { return edit::SetDistributorReference{std::move(text)}; });
}

void CVTXPageDistributor::Refresh()
{
  CProject* project = Project();
  if (!project)
    return;
  ShowAddressRows(mLines, project->mDistributor, 0);
  ShowReference();
}

void CVTXPageDistributor::OnEdit()
{
  if (!Project())
    return;
  // The dialog edits the default distributor, not this project's copy.
  CAddressDialog dialog(this, "Distributor Information", LoadDistributor(Settings()));
  if (dialog.exec() != QDialog::Accepted)
    return;
  CProject* project = Project();
  if (!project)
    return;
  SaveDistributor(Settings(), dialog.mAddress);
  if (CProjectDocument* document = Document())
    document->Apply(edit::SetDistributor{dialog.mAddress});
}
