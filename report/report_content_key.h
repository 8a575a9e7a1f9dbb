#pragma once
// Telling when what the report shows may have changed.

#include <cstdint>

class CArea;
class CProject;

// Numbers that change whenever anything the report shows may have changed:
// every stored and calculated field goes into one of them. The project's
// own fields (with its units and its number of volumes) make one key, each
// volume with its openings another, so that a change is traced to its part.
std::uint64_t ProjectContentKey(const CProject& project);
std::uint64_t VolumeContentKey(const CArea& volume);
