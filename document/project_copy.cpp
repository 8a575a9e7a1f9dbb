#include "document/project_copy.h"

#include "document/project_document.h"
#include "model/project.h"

CProjectCopy CopyProjectDocument(const CProjectDocument& source, std::string_view name,
                                 const COpenProjects& open, const std::string& folder)
{
  CProjectCopy copy;
  copy.mProblem = CheckProjectName(
    name, [&open](std::string_view other) { return open.Find(other) != nullptr; }, folder);
  if (copy.mProblem != CProjectNameProblem::None)
    return copy;
  copy.mDocument = std::make_unique<CProjectDocument>();
  CProject& project = copy.mDocument->Project();
  project.CopyFrom(source.Project());
  project.SetName(name);
  return copy;
}
