#include "ui/project_sheet.h"

#include "document/open_projects.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/project.h"
#include "ui/app.h"
#include "ui/dialog_support.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_distributor.h"
#include "ui/project_tab_errors.h"
#include "ui/project_tab_notes.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/sheet_wnd.h"
#include "ui/windows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <QFocusEvent>
#include <QPointer>

// ---- CVTXProjectPage

CVTXProjectPage::CVTXProjectPage(CVTXSheet& sheet) : mSheet(sheet) {}

CProject* CVTXProjectPage::Project() const { return mSheet.Project(); }

CProjectDocument* CVTXProjectPage::Document() const
{
  const CProject* project = Project();
  return project ? OpenProjects().Document(project) : nullptr;
}

QSize CVTXProjectPage::PageSize() const
{
  // One horizontal dialog unit is a quarter of the average character width,
  // one vertical unit an eighth of the character height.
  const QFontMetrics metrics(font());
  return {397 * metrics.averageCharWidth() / 4, 175 * metrics.height() / 8};
}

QSize CVTXProjectPage::sizeHint() const { return CVTXPage::sizeHint().expandedTo(PageSize()); }

// ---- CVTXSheet

CVTXSheet::CVTXSheet(CProject* project, QWidget* parent)
  : CVTXSheetBase(parent), mProject(project),
    mCaption(ToQt(project->mName) + (IsReadOnly(*project) ? " (read-only)" : ""))
{
  setWindowTitle(mCaption);
  mProjectPage = new CVTXPageProject(*this);
  mVolumesPage = new CVTXPageArea(*this);
  mNotesPage = new CVTXPageNotes(*this);
  mErrorsPage = new CVTXPageSummary(*this);
  mDistributorPage = new CVTXPageDistributor(*this);
  mCustomerPage = new CVTXPageCustomer(*this);
  AddPage(mProjectPage, "Project");
  AddPage(mVolumesPage, "Volumes");
  AddPage(mNotesPage, "Notes");
  AddPage(mErrorsPage, "Errors");
  AddPage(mDistributorPage, "Distributor");
  AddPage(mCustomerPage, "Customer");
}

CVTXSheet::~CVTXSheet() = default;

void CVTXSheet::RefreshActivePage()
{
  if (!mProject)
    return;
  setWindowTitle(mCaption);
  CVTXSheetBase::RefreshActivePage();
}

void CVTXSheet::CommitEdits()
{
  for (int i = 0; i < count(); ++i)
    if (auto* page = qobject_cast<CVTXProjectPage*>(widget(i)))
      page->CommitEdits();
}

bool CVTXSheet::QueryClose()
{
  if (!mProject)
    return false;
  // A text still being typed belongs to the project that is about to be saved.
  CommitEdits();
  if (mProject->CombinedWarnings() & AW_BELOW_UL_DENSITY)
  {
    if (AskToStay(this, kULWarningCaption, ToQt(ULCloseProjectText(mProject->VolumesBelowULDensity()))))
      return true;
  }
  CloseChildWindows();
  return AskToSave(true);
}

void CVTXSheet::ReleaseProject()
{
  if (!mProject)
    return;
  CommitEdits();
  CloseChildWindows();
  if (CSheetWnd* window = ProjectWindowOf(mProject))
    window->Leave();
  if (!mSaveAsked)
    AskToSave(false);
  mProject = nullptr;
}

void CVTXSheet::CloseChildWindows()
{
  // Volume windows and the report window never outlive the project window.
  const CAreaTable& table = mProject->mAreaTable;
  for (std::size_t i = 0; i < table.Count(); ++i)
    if (CArea* area = table.Get(i); VolumeWindowOf(area))
      CloseVolumeWindow(area);
  CloseReportWindow(mProject);
}

bool CVTXSheet::AskToSave(bool mayStayOpen)
{
  mSaveAsked = true;
  if (!mProject->IsModified())
    return false;
  const QString name = ToQt(mProject->mName);
  // Escape and the close button never discard the work: they call the close
  // off or, where the window can no longer stay, they save as Yes does.
  const CPromptAnswer answer =
    Prompts().Ask(this, kAppTitle,
                  QString("The project \"%1\" is not saved.  Do you want to save it?").arg(name),
                  CPromptIcon::Question,
                  mayStayOpen ? CPromptButtons::YesNoCancel : CPromptButtons::YesNoEscapeYes);
  if (answer == CPromptAnswer::No)
    return false;
  if (answer == CPromptAnswer::Cancel)
  {
    mSaveAsked = false; // the next close asks again
    return true;
  }
  std::string error;
  if (SaveOpenProject(*mProject, &error))
  {
    RememberRecentProject(*mProject);
    return false;
  }
  const QString failure =
    QString("The project \"%1\" could not be saved.\r\n%2").arg(name, ToQt(error));
  if (!mayStayOpen)
  {
    ShowMessage(this, kAppTitle, failure, CPromptIcon::Error);
    return false;
  }
  if (AskToStay(this, kAppTitle,
                failure + "\r\n\r\nDo you want to keep the project open so that your changes are not lost?"))
  {
    mSaveAsked = false; // the next close asks again
    return true;
  }
  return false;
}

// ---- Helpers

namespace
{
class CFocusHook : public QObject
{
public:
  CFocusHook(QWidget* widget, QEvent::Type type, std::function<void()> handler)
    : QObject(widget), mType(type), mHandler(std::move(handler))
  {
    setObjectName(kFieldHookName);
    widget->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override
  {
    // A context menu opening over the field is not the user leaving it.
    if (event->type() == mType && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
      mHandler();
    return false;
  }

private:
  QEvent::Type mType;
  std::function<void()> mHandler;
};

bool gRemovedNoticePending = false;
} // namespace

const char kCharactersRemovedText[] =
  "Some of the characters you typed cannot be stored by this program and have been removed.";

void OnFocusOut(QWidget* widget, std::function<void()> handler)
{
  new CFocusHook(widget, QEvent::FocusOut, std::move(handler));
}

void OnFocusIn(QWidget* widget, std::function<void()> handler)
{
  new CFocusHook(widget, QEvent::FocusIn, std::move(handler));
}

std::string TakeFieldText(QWidget* parent, const QString& text, bool* removed)
{
  bool lost = false;
  std::string stored = FromQt(text, &lost);
  if (removed)
    *removed = lost;
  if (lost && !gRemovedNoticePending)
  {
    // One notice for all the fields committed together.
    gRemovedNoticePending = true;
    QPointer<QWidget> owner(parent);
    QMetaObject::invokeMethod(
      qApp,
      [owner]
      {
        gRemovedNoticePending = false;
        ShowMessage(owner, kAppTitle, kCharactersRemovedText, CPromptIcon::Exclamation);
      },
      Qt::QueuedConnection);
  }
  return stored;
}

int FillSortedNames(QComboBox* box, const std::vector<std::string>& names,
                    const std::string& selected)
{
  std::vector<const std::string*> order;
  order.reserve(names.size());
  for (const std::string& name : names)
    order.push_back(&name);
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  std::stable_sort(order.begin(), order.end(),
                   [&](const std::string* a, const std::string* b)
                   {
                     return std::lexicographical_compare(
                       a->begin(), a->end(), b->begin(), b->end(),
                       [&](char x, char y) { return lower(x) < lower(y); });
                   });
  const QSignalBlocker block(box);
  box->clear();
  int position = -1;
  for (const std::string* name : order)
  {
    if (*name == selected)
      position = box->count();
    box->addItem(ToQt(*name), QByteArray(name->data(), static_cast<qsizetype>(name->size())));
  }
  box->setCurrentIndex(position);
  return position;
}

std::string ListedName(const QComboBox* box, int index)
{
  if (index < 0 || index >= box->count())
    return {};
  return box->itemData(index).toByteArray().toStdString();
}

void MakeValueField(QLineEdit* field)
{
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  field->setPalette(palette);
}

void ShowFieldText(QLineEdit* field, const QString& text)
{
  if (field->hasFocus() || field->text() == text)
    return;
  field->setText(text);
}

bool CommitTypedField(QWidget* parent, QLineEdit* field, const std::string& value,
                      const std::function<void(const std::string&)>& store)
{
  if (!field->isModified())
    return false;
  field->setModified(false);
  const std::string before = value;
  store(TakeFieldText(parent, field->text()));
  const QString stored = ToQt(value);
  if (field->text() != stored)
    field->setText(stored);
  return value != before;
}
