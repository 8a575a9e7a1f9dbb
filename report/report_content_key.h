#pragma once
// Telling when what the report shows may have changed.

#include <cstdint>

class CProject;

// A number that changes whenever anything the report shows may have changed:
// every stored and calculated field of the project, its volumes and their
// openings goes into it. A layout is reused only while it is the same.
std::uint64_t ReportContentKey(const CProject& project);
