#include "ui/project_tab_distributor.h"

#include "document/project_document.h"
#include "model/project.h"
#include "storage/address_book.h"
#include "ui/address_dialog.h"
#include "ui/app.h"
#include "ui/qt_text.h"
#include "ui/field_helpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CVTXPageDistributor::CVTXPageDistributor(CVTXSheet& sheet)
  : CVTXProjectPage(sheet), mReference(new QLineEdit(this)), mEdit(new QPushButton("&Edit", this))
{
  auto* form = new QFormLayout;
  static const char* const kCaptions[7] = {"Company", "Address 1", "Address 2", "City",
                                           "State",   "Country",   "Zip Code"};
  for (int i = 0; i < 7; ++i)
  {
    mLines[i] = new QLineEdit(this);
    MakeValueField(mLines[i]);
    form->addRow(kCaptions[i], mLines[i]);
  }
  form->addRow("Reference #", mReference);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(mEdit);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addLayout(buttons);

  connect(mEdit, &QPushButton::clicked, this, &CVTXPageDistributor::OnEdit);
  OnFocusOut(mReference, [this] { CommitEdits(); });
}

void CVTXPageDistributor::Refresh()
{
  CProject* project = Project();
  if (!project)
    return;
  const CAddress& d = project->mDistributor;
  const std::string* lines[7] = {&d.mName,  &d.mAddress1, &d.mAddress2, &d.mCity,
                                 &d.mState, &d.mCountry,  &d.mZip};
  for (int i = 0; i < 7; ++i)
    ShowFieldText(mLines[i], ToQt(*lines[i]));
  ShowFieldText(mReference, ToQt(project->mDistributor_Reference));
}

void CVTXPageDistributor::CommitEdits()
{
  CProject* project = Project();
  CProjectDocument* document = Document();
  if (project && document)
    CommitTypedField(this, mReference, project->mDistributor_Reference,
                     [document](const std::string& t) { document->SetDistributorReference(t); });
}

void CVTXPageDistributor::OnEdit()
{
  if (!Project())
    return;
  // The dialog edits the default distributor, not this project's copy.
  CAddressDialog dialog(this, "Distributor Information", DefaultDistributor());
  if (dialog.exec() != QDialog::Accepted)
    return;
  CProject* project = Project();
  if (!project)
    return;
  SaveDistributor(Settings(), dialog.mAddress);
  if (CProjectDocument* document = Document())
    document->SetDistributor(dialog.mAddress);
}
