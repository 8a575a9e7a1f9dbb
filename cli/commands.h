#pragma once
// The commands of vantor-cli. Each takes the arguments after its name and
// returns the exit status: 0 success, 1 a file could not be read or written,
// 2 wrong usage, 3 (check) a volume has an error or a UL shortfall.

#include <string>
#include <vector>

using CArgs = std::vector<std::string>;

int RunDump(const CArgs& args);
int RunCheck(const CArgs& args);
int RunUpgrade(const CArgs& args);
int RunReport(const CArgs& args);
int RunRtf(const CArgs& args);
// Room schedules: the project's volumes out as CSV or JSON, a CSV schedule in.
int RunExport(const CArgs& args);
int RunImport(const CArgs& args);
// Runs vantor-pdf (built with the desktop program) with the arguments.
int RunPdf(const CArgs& args);

// Prints the usage text to standard error and returns 2.
int UsageError();

class CProject;
// Reads the project file at path (any folder) into project, named after the
// file's title with its path NAME.ad as the program keeps it. On failure the
// one-line reason goes to standard error and the result is false.
bool OpenProjectFile(const std::string& path, CProject& project);
class CProjectDocument;
// Opens the project file at path for change into document, as the desktop
// program opens a project: refused while another copy of the program has
// it open, and saved only over the file read here (none, when `mayBeNew`
// lets the file be made). On failure the one-line reason goes to standard
// error and the result is false.
bool OpenForChange(CProjectDocument& document, const std::string& path, bool mayBeNew);
// "vantor-cli: MESSAGE" on standard error, as one line.
void Complain(const std::string& message);
// An argument that starts with "-" (and is not "-" alone).
bool IsOption(const std::string& arg);
// The file's title: its name without the folder and without ".ad".
std::string FileTitle(const std::string& path);
// Writes bytes to standard output; false (reason on standard error) on failure.
bool WriteStdout(const std::string& bytes);
