#pragma once
// The volume sheet: the five pages of one volume and the UL question asked
// when its window closes. Pages reach the volume only through the sheet; once
// the window has closed the sheet lets go of the volume, so that a refresh
// still queued, a late focus change or a click finds no volume and does
// nothing (the volume may be deleted right after its window closes).

#include "ui/sheet_wnd.h"

#include <QSize>
#include <QString>

class CArea;
class CProjectDocument;
class CVTXAreaSheet;
class CVTXAreaPageHazard;
class CVTXAreaPageDimension;
class CVTXAreaPageDevice;
class CVTXAreaPageNotes;
class CVTXAreaPageSummary;

// Base of the volume pages.
class CVTXAreaPage : public CVTXPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPage(CVTXAreaSheet& sheet);
  // The volume; nullptr once the window has closed.
  CArea* Area() const;
  CVTXAreaSheet& Sheet() const { return mSheet; }
  // Takes an edit still held by the focused control into the model; run
  // before the page is left and before the window closes.
  virtual void CommitEdits() {}
  bool QueryLeave() override
  {
    CommitEdits();
    return true;
  }
  // The page's designed size, so that the sheet and its window are sized to
  // it rather than to what the page's controls would like.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  // Sizes the page at width x height dialog units, or larger when the
  // controls laid out in the page's font need more; called once the page's
  // layout is complete.
  void FixPageSize(int width, int height);
  // A size in dialog units of the page's font: a horizontal unit is a
  // quarter of the average character width, a vertical unit an eighth of the
  // character height.
  QSize DialogUnits(int width, int height) const;
  // The document of the volume's project, through which the page edits the
  // volume (the refreshes arrive from the queue); nullptr once the window
  // has closed.
  CProjectDocument* Document() const;

private:
  CVTXAreaSheet& mSheet;
  QSize mPageSize;
};

class CVTXAreaSheet : public CVTXSheetBase
{
  Q_OBJECT
public:
  explicit CVTXAreaSheet(CArea* area, QWidget* parent = nullptr);
  ~CVTXAreaSheet() override;

  CArea* Area() const { return mArea; }
  // The sheet's own caption, "project (volume)", set by RefreshActivePage.
  // The window's title is the volume's name and never changes.
  QString Caption() const override { return mCaption; }
  void RefreshActivePage() override;
  // The UL question when the volume is below its minimum density; true (the
  // window stays open) when the user chooses to add devices.
  bool QueryClose() override;
  // The pending edit of the active page reaches the model.
  void CommitEdits();
  // Once the window may close: commits the pending edit, forgets the
  // window in the volume and lets go of the volume.
  void ReleaseArea();

  CVTXAreaPageHazard* VolumePage() const { return mHazardPage; }
  CVTXAreaPageDimension* OpeningsPage() const { return mDimensionPage; }
  CVTXAreaPageDevice* DevicePage() const { return mDevicePage; }
  CVTXAreaPageNotes* NotesPage() const { return mNotesPage; }
  CVTXAreaPageSummary* ErrorsPage() const { return mSummaryPage; }

private:
  QString ComposeCaption() const;

  CArea* mArea;
  QString mCaption;
  CVTXAreaPageHazard* mHazardPage;
  CVTXAreaPageDimension* mDimensionPage;
  CVTXAreaPageDevice* mDevicePage;
  CVTXAreaPageNotes* mNotesPage;
  CVTXAreaPageSummary* mSummaryPage;
};
