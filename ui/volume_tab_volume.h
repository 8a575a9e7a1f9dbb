#pragma once
// The "Volume" page: hazard class, dimensions and the leakage and correction
// figures of the volume, with the broken limits highlighted.

#include "ui/volume_page.h"

#include <cstdint>

class CValueField;
class QComboBox;
class QPushButton;

// Which fields of the page are highlighted for a volume's mFlags. An
// excessive volume is only flagged while the leakage is within its limits
// (a leakage error explains it); a zero volume always is.
struct CVolumeHighlights
{
  bool mHeight = false;
  bool mVolume = false;
  bool mLR = false;
  bool mLP = false;
};
CVolumeHighlights VolumeHighlights(std::uint32_t flags);

class CVTXAreaPageHazard : public CVTXAreaPage
{
  Q_OBJECT
public:
  explicit CVTXAreaPageHazard(CVolumePageHost& sheet);
  void Refresh() override;

  QComboBox* HazardList() const { return mHazard; }
  QPushButton* DimensionsButton() const { return mChange; }
  CValueField* LengthField() const { return mLength; }
  CValueField* WidthField() const { return mWidth; }
  CValueField* HeightField() const { return mHeight; }
  CValueField* VolumeField() const { return mVolume; }
  CValueField* ClosedField() const { return mClosed; }
  CValueField* OpenField() const { return mOpen; }
  CValueField* K1Field() const { return mK1; }
  CValueField* K2Field() const { return mK2; }
  CValueField* K3Field() const { return mK3; }
  CValueField* LRField() const { return mLR; }
  CValueField* LPField() const { return mLP; }
  CValueField* LHField() const { return mLH; }

private:
  void OnHazardChosen(int index);
  void OnChangeDimensions();

  QComboBox* mHazard;
  QPushButton* mChange;
  CValueField* mLength;
  CValueField* mWidth;
  CValueField* mHeight;
  CValueField* mVolume;
  CValueField* mClosed;
  CValueField* mK1;
  CValueField* mK2;
  CValueField* mK3;
  CValueField* mOpen;
  CValueField* mLR;
  CValueField* mLP;
  CValueField* mLH;
};
