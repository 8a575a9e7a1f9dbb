#pragma once
// The report and dump files of a project, written through the safe-save
// writer: on failure the reason goes to error and an old file is unchanged.

#include <string>

class CProject;

// Writes the dump file ("NAME.dmp" in the folder of the project file),
// replacing any earlier dump; false with the reason when it cannot be written.
bool DumpProject(const CProject& project, std::string* error = nullptr);

// Writes the report file of the project to the path through the safe-save
// writer; on failure the reason goes to error and an old file is unchanged.
bool WriteRtfReport(const CProject& project, const std::string& path, std::string* error);

// The "Create Text File Report" action: writes "<name>.rtf" in the folder
// (the work folder, which is the current folder, when empty) and gives the
// file's full path in fullPath. False with a reason when it could not be written.
bool CreateTextFileReport(const CProject& project, const std::string& folder,
                          std::string& fullPath, std::string* error);
