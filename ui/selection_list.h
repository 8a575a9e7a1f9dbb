#pragma once
// A drop-down selection list as the pages fill it. The windows implement it
// over their combo boxes; CPlainSelectionList serves tests and lists kept
// without a box.

#include <string>
#include <vector>

class CSelectionList
{
public:
  virtual ~CSelectionList() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::string& text) = 0;
  // Selects the entry at a position; a position out of range selects nothing.
  virtual void Select(int index) = 0;
  // The position of the selected entry, or -1 when nothing is selected.
  virtual int Selected() const = 0;
};

// Reads the selected position back: false and -1 when nothing is selected.
bool ReadSelection(const CSelectionList& list, int& index);

class CPlainSelectionList : public CSelectionList
{
public:
  void Clear() override
  {
    mItems.clear();
    mSelected = -1;
  }
  void Add(const std::string& text) override { mItems.push_back(text); }
  void Select(int index) override
  {
    mSelected = index >= 0 && index < static_cast<int>(mItems.size()) ? index : -1;
  }
  int Selected() const override { return mSelected; }
  const std::vector<std::string>& Items() const { return mItems; }

private:
  std::vector<std::string> mItems;
  int mSelected = -1;
};

// Fills a selection list with the ten long names of the hazard classes and
// selects `selected` when valid.
void FillHazardList(CSelectionList& list, int selected);
