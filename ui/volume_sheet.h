#pragma once
// The volume sheet: the five pages of one volume and the UL question asked
// when its window closes. Pages reach the volume only through the sheet; once
// the window has closed the sheet lets go of the volume, so that a refresh
// still queued, a late focus change or a click finds no volume and does
// nothing (the volume may be deleted right after its window closes).

#include "ui/sheet_wnd.h"
#include "ui/volume_page.h"

#include <QString>

class CArea;
class CVTXAreaPageHazard;
class CVTXAreaPageDimension;
class CVTXAreaPageDevice;
class CVTXAreaPageNotes;
class CVTXAreaPageSummary;

// The title of the volume's window, which says what it shows and of which
// project: "Project – Volume" (an en dash between spaces). It follows a
// rename.
QString VolumeWindowTitle(const CArea& volume);

class CVTXAreaSheet : public CVTXSheetBase, public CVolumePageHost
{
  Q_OBJECT
public:
  explicit CVTXAreaSheet(CArea* area, QWidget* parent = nullptr);
  ~CVTXAreaSheet() override;

  CArea* Area() const override { return mArea; }
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
