#pragma once
// The window design shared by project and volume windows: an MDI child frame
// holding a tabbed sheet of pages, as small as the pages allow and free to
// grow or be maximised. Refresh requests are queued
// and reach only the active page; a page can refuse to be left, and the sheet
// can refuse to close.

#include "document/document_observer.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTabWidget>
#include <functional>

// A page of a sheet. Pages hold no copies of model data: Refresh reloads
// every control from the model.
class CVTXPage : public QWidget
{
  Q_OBJECT
public:
  using QWidget::QWidget;
  virtual void Refresh() {}
  // Asked before the user leaves this page for another tab; false keeps the
  // page active. A page commits a pending edit here before it decides.
  virtual bool QueryLeave() { return true; }
  // True when QueryLeave may ask the user a question: the sheet then brings
  // this page back before asking, so that the page being switched to never
  // shows behind the question.
  virtual bool AsksOnLeave() const { return false; }
  // Queues a Refresh; handled later on the same thread, never inside the call.
  void PostRefresh();
};

class CVTXSheetBase : public QTabWidget
{
  Q_OBJECT
public:
  explicit CVTXSheetBase(QWidget* parent = nullptr);
  void AddPage(CVTXPage* page, const QString& caption);
  CVTXPage* ActivePage() const;
  CVTXPage* Page(int index) const;
  // Sets the sheet's caption, then queues a refresh of the active page.
  virtual void RefreshActivePage();
  // True when the window must stay open.
  virtual bool QueryClose() { return false; }
  // The caption of the window that holds the sheet.
  virtual QString Caption() const = 0;

private:
  void OnCurrentChanged(int index);
  // Makes the page current without asking or refreshing anything.
  void SwitchQuietly(int index);
  int mCurrent = -1;
  bool mReverting = false;
};

class CProject;

// A project or volume window: follows its project's document and refreshes
// its active page after every change.
class CSheetWnd : public QMdiSubWindow, public CDocumentObserver
{
  Q_OBJECT
public:
  // Takes the sheet; the frame is sized to fit it exactly, which is also its
  // smallest size.
  explicit CSheetWnd(CVTXSheetBase* sheet, QWidget* parent = nullptr);
  ~CSheetWnd() override;

  CVTXSheetBase* Sheet() const { return mSheet; }
  // Queues RefreshActivePage of the sheet.
  void PostRefresh();
  void DocumentChanged(const CDocumentChange& change) override;
  // Closes without asking the sheet (volume windows of a closing project).
  void RequestClose();
  // The project whose document the window has registered with; the window
  // leaves that document when it goes away.
  void Follow(const CProject* project) { mFollowed = project; }
  const CProject* Followed() const { return mFollowed; }
  // Leaves the document, which then tells the window nothing more.
  void Leave();
  // Run once when the window has been allowed to close, before it goes away.
  void SetOnClosed(std::function<void()> onClosed) { mOnClosed = std::move(onClosed); }
  void FitToSheet();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QPointer<CVTXSheetBase> mSheet;
  std::function<void()> mOnClosed;
  const CProject* mFollowed = nullptr;
  bool mForce = false;
  bool mClosed = false;
};

class CArea;

// The project's window; nullptr when it has none.
CSheetWnd* ProjectWindowOf(const CProject* project);
// The volume's window; nullptr when it has none.
CSheetWnd* VolumeWindowOf(const CArea* volume);
