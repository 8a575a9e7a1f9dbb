#pragma once
// The diagnostic data dump: every field of a project, its addresses, its
// volumes with all computed figures and validity, and every opening, one
// field per line, nested by tab characters, each line ended by CR LF.
// The fields are written as they stand; nothing is recalculated first.

#include <iosfwd>
#include <string>

class CProject;
struct CAddress;

// The longest field text of a line; longer texts are cut.
constexpr std::size_t kDumpLineMax = 254;

// The dump text of the project.
std::string DumpText(const CProject& project);
void WriteDump(const CProject& project, std::ostream& out);

// The lines of one address at the given depth: the header "label(name)",
// "CAddress(name)" without a label, then its six fields one level deeper.
std::string DumpAddressText(const CAddress& address, const char* label = nullptr, int depth = 0);

// "NAME.dmp" in the folder of the project file.
std::string DumpFilePath(const CProject& project);
