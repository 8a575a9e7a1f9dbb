#include "ui/selection_list.h"

#include "model/hazard_class.h"

bool ReadSelection(const CSelectionList& list, int& index)
{
  index = list.Selected();
  if (index < 0)
  {
    index = -1;
    return false;
  }
  return true;
}

void FillHazardList(CSelectionList& list, int selected)
{
  list.Clear();
  for (int i = 0; i < HazardClassCount; ++i)
    list.Add(HazardName(i));
  if (IsValidHazard(selected))
    list.Select(selected);
  else
    list.Select(-1);
}
