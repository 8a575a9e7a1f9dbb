#include "ui/volume_sheet.h"

#include "document/open_projects.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/project.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_tab_device.h"
#include "ui/volume_tab_errors.h"
#include "ui/volume_tab_notes.h"
#include "ui/volume_tab_openings.h"
#include "ui/volume_tab_volume.h"

#include <QFontMetrics>
#include <QLayout>
#include <QMdiSubWindow>

// ---- CVTXAreaSheet

CVTXAreaSheet::CVTXAreaSheet(CArea* area, QWidget* parent) : CVTXSheetBase(parent), mArea(area)
{
  mCaption = ComposeCaption();
  mHazardPage = new CVTXAreaPageHazard(*this);
  mDimensionPage = new CVTXAreaPageDimension(*this);
  mDevicePage = new CVTXAreaPageDevice(*this);
  mNotesPage = new CVTXAreaPageNotes(*this);
  mSummaryPage = new CVTXAreaPageSummary(*this);
  AddPage(mHazardPage, "Volume");
  AddPage(mDimensionPage, "Openings");
  AddPage(mDevicePage, "Device");
  AddPage(mNotesPage, "Notes");
  AddPage(mSummaryPage, "Errors");
}

CVTXAreaSheet::~CVTXAreaSheet()
{
  // A window torn down without closing (its parent went first) must not
  // leave its handle behind in the volume.
  if (CSheetWnd* window = mArea ? VolumeWindowOf(mArea) : nullptr)
    window->Leave();
}

QString CVTXAreaSheet::ComposeCaption() const
{
  if (!mArea)
    return mCaption;
  const CProject* project = mArea->Owner();
  return QString("%1 (%2)").arg(project ? ToQt(project->mName) : QString(), ToQt(mArea->mName));
}

QString VolumeWindowTitle(const CArea& volume)
{
  const CProject* project = volume.Owner();
  return (project ? ToQt(project->mName) : QString()) + QString::fromUtf8(" \u2013 ") +
         ToQt(volume.mName);
}

void CVTXAreaSheet::RefreshActivePage()
{
  if (!mArea)
    return;
  // The sheet's caption is its own; the frame is titled with the volume's
  // name as it stands (a rename changes it), so the base class, which titles
  // the frame with the caption, is not called.
  mCaption = ComposeCaption();
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
    frame->setWindowTitle(VolumeWindowTitle(*mArea));
  if (CVTXPage* page = ActivePage())
    page->PostRefresh();
}

void CVTXAreaSheet::CommitEdits()
{
  for (int i = 0; i < count(); ++i)
    if (auto* page = qobject_cast<CVTXAreaPage*>(widget(i)))
      page->CommitEdits();
}

bool CVTXAreaSheet::QueryClose()
{
  if (!mArea)
    return false;
  // A count still being typed decides whether the volume is short of devices.
  // A refused one keeps the window open, so that it can be put right; the
  // message saying why comes without the UL question over it.
  if (!mDevicePage->CommitFocusedCount())
    return true;
  CommitEdits();
  if (!mArea || !(mArea->mWarnings & AW_BELOW_UL_DENSITY))
    return false;
  return AskToStay(this, kULWarningCaption, ToQt(ULCloseVolumeText(mArea->mConcentrationStandard)));
}

void CVTXAreaSheet::ReleaseArea()
{
  if (!mArea)
    return;
  CommitEdits();
  if (CSheetWnd* window = VolumeWindowOf(mArea))
    window->Leave();
  mArea = nullptr;
}
