#include "model/selection_list.h"

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
