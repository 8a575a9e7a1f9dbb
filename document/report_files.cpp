#include "document/report_files.h"

#include "model/project.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "storage/safe_file.h"
#include "text/shown_text.h"

#include <filesystem>
#include <system_error>

bool DumpProject(const CProject& project, std::string* error)
{
  return WriteFileSafely(DumpFilePath(project), DumpText(project), error);
}

bool WriteRtfReport(const CProject& project, const std::string& path, std::string* error)
{
  return WriteFileSafely(path, RtfReport(project), error);
}

bool CreateTextFileReport(const CProject& project, const std::string& folder,
                          std::string& fullPath, std::string* error)
{
  fullPath.clear();
  const std::string& name = project.mName;
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
  {
    if (error)
      *error = "The project name \"" + Shown1252(name) + "\" cannot be used as a file name.";
    return false;
  }
  std::error_code ec;
  std::filesystem::path path = ReportFilePath(project, folder);
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (!ec)
    path = absolute.lexically_normal();
  if (!WriteRtfReport(project, path.string(), error))
    return false;
  fullPath = path.string();
  return true;
}
