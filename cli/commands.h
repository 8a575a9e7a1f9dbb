#pragma once
// The commands of vantor-cli. Each takes the arguments after its name and
// returns the exit status: 0 success, 1 a file could not be read or written,
// 2 wrong usage, 3 (check) a volume has an error or a UL shortfall.

#include "cli/batch_support.h"

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
// A command that writes a text made from one project (its only argument)
// to standard output.
int RunProjectText(const CArgs& args, std::string (*text)(const CProject& project));
class CProjectDocument;
// Opens the project file at path for change into document, as the desktop
// program opens a project: refused while another copy of the program has
// it open, and saved only over the file read here (none, when `mayBeNew`
// lets the file be made). On failure the one-line reason goes to standard
// error and the result is false.
bool OpenForChange(CProjectDocument& document, const std::string& path, bool mayBeNew);
