// Placeholder until the project file reader and writer land.
#include "model/project.h"

bool CProject::Save(std::string* error)
{
  if (error)
    *error = "saving is not available in this build";
  return false;
}

bool CProject::Load(std::string* error)
{
  if (error)
    *error = "reading is not available in this build";
  return false;
}
