#include "document/open_projects.h"

#include "document/project_document.h"

#include <algorithm>

namespace
{
bool NameLess(const std::string& a, std::string_view b)
{
  // std::string compares char_traits<char>, which orders as unsigned bytes.
  return std::string_view(a) < b;
}
} // namespace

COpenProjects::COpenProjects() = default;
COpenProjects::~COpenProjects() = default;

COpenProjects& OpenProjects()
{
  static COpenProjects projects;
  return projects;
}

std::size_t COpenProjects::LowerBound(std::string_view name) const
{
  std::size_t lo = 0;
  std::size_t hi = mProjects.size();
  while (lo < hi)
  {
    std::size_t mid = lo + (hi - lo) / 2;
    if (NameLess(mProjects[mid]->Project().mName, name))
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

CProject* COpenProjects::Get(std::size_t index) const
{
  return index < mProjects.size() ? &mProjects[index]->Project() : nullptr;
}

CProject* COpenProjects::Find(std::string_view name) const
{
  std::size_t i = LowerBound(name);
  return i < mProjects.size() && mProjects[i]->Project().mName == name ? &mProjects[i]->Project()
                                                                        : nullptr;
}

CProjectDocument* COpenProjects::Document(const CProject* project) const
{
  auto it = std::find_if(mProjects.begin(), mProjects.end(),
                         [project](const std::unique_ptr<CProjectDocument>& d)
                         { return &d->Project() == project; });
  return it == mProjects.end() ? nullptr : it->get();
}

bool COpenProjects::Insert(std::unique_ptr<CProjectDocument> document)
{
  if (!document || Find(document->Project().mName))
    return false;
  std::size_t i = LowerBound(document->Project().mName);
  mProjects.insert(mProjects.begin() + static_cast<std::ptrdiff_t>(i), std::move(document));
  return true;
}

bool COpenProjects::Insert(std::unique_ptr<CProject> project)
{
  if (!project)
    return false;
  return Insert(std::make_unique<CProjectDocument>(std::move(project)));
}

std::unique_ptr<CProject> COpenProjects::Remove(const CProject* project)
{
  auto it = std::find_if(mProjects.begin(), mProjects.end(),
                         [project](const std::unique_ptr<CProjectDocument>& d)
                         { return &d->Project() == project; });
  if (it == mProjects.end())
    return nullptr;
  std::unique_ptr<CProject> taken = (*it)->TakeProject();
  mProjects.erase(it);
  return taken;
}

std::vector<std::string> COpenProjects::Names() const
{
  std::vector<std::string> names;
  names.reserve(mProjects.size());
  for (const auto& p : mProjects)
    names.push_back(p->Project().mName);
  return names;
}

bool SaveOpenProject(CProject& project, std::string* error)
{
  if (CProjectDocument* document = OpenProjects().Document(&project))
    return document->Save(error);
  if (error)
    *error = project.mPath + ": the project is not open in this program, so it was not saved";
  return false;
}

bool IsReadOnly(const CProject& project)
{
  const CProjectDocument* document = OpenProjects().Document(&project);
  return document && document->ReadOnly();
}
