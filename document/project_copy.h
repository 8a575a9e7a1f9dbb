#pragma once
// Save As: a new document holding a copy of an open project under another
// name, for the program to open beside the original.

#include "document/open_projects.h"
#include "storage/catalogue.h"

#include <memory>
#include <string>
#include <string_view>

class CProjectDocument;

struct CProjectCopy
{
  std::unique_ptr<CProjectDocument> mDocument; // nullptr when the name is refused
  CProjectNameProblem mProblem = CProjectNameProblem::None;
};

// The source's project with its stored fields copied, named `name` (its path
// name.ad, today's date): not yet saved, no file known, no observers. Refused
// with the reason when the name is empty or has a folder part, or is taken by
// a project open in `open`, a file in `folder` or another copy's mark there.
CProjectCopy CopyProjectDocument(const CProjectDocument& source, std::string_view name,
                                 const COpenProjects& open = OpenProjects(),
                                 const std::string& folder = ".");
