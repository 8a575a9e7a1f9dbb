#pragma once
// The base of the volume window's pages and what they ask of the sheet that
// holds them. A page knows its sheet only through CVolumePageHost, so the
// pages never include the sheet, which includes them.

#include "ui/sheet_wnd.h"

#include <QSize>

class CArea;
class CProjectDocument;

// What a volume page asks of its sheet (CVTXAreaSheet).
class CVolumePageHost
{
public:
  // The volume; nullptr once the window has closed.
  virtual CArea* Area() const = 0;

protected:
  ~CVolumePageHost() = default;
};

// Base of the volume pages.
class CVTXAreaPage : public CVTXPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPage(CVolumePageHost& sheet);
  // The volume; nullptr once the window has closed.
  CArea* Area() const;
  CVolumePageHost& Sheet() const { return mSheet; }
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
  CVolumePageHost& mSheet;
  QSize mPageSize;
};
