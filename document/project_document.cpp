#include "document/project_document.h"

#include "storage/lock_file.h"

CProjectDocument::CProjectDocument() : mProject(std::make_unique<CProject>()) {}

CProjectDocument::CProjectDocument(std::unique_ptr<CProject> project)
  : mProject(project ? std::move(project) : std::make_unique<CProject>())
{
}
