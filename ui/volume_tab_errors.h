#pragma once
// The volume's "Errors" page: the error labels of the volume.

#include "ui/volume_page.h"

class QListWidget;

inline constexpr const char* kNoVolumeErrorsText = "NO ERRORS PERTAINING TO THIS VOLUME";

class CVTXAreaPageSummary : public CVTXAreaPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPageSummary(CVolumePageHost& sheet);
  void Refresh() override;

  QListWidget* List() const { return mList; }

private:
  QListWidget* mList;
};
