#pragma once
// Opening a project in a window of its own: a new one, one read from its
// file, a copy made by Save As or a recovered one.

#include "storage/file_stamp.h"

#include <string>

class CProject;
class CProjectDocument;

// Creates a project (for Save As, the document layer's copy of source under
// the new name), names it, reads its file when one exists, opens its window
// and adds it to OpenProjects. An existing file that cannot be read opens
// nothing and is reported to the user.
// A recovered project: its content is taken over what the file holds now,
// and the file's stamp as the recovered changes started from it (Unknown:
// the file as read now), so that a save asks before replacing a file
// written since.
struct CRecoveredProject
{
  const CProject* mProject = nullptr;
  CFileStamp mBase;
};
bool OpenProject(const std::string& name, const CProjectDocument* source,
                 const CRecoveredProject* recovered = nullptr);
