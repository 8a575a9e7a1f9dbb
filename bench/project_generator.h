#pragma once
// Builds large, realistic projects with the program's own model code: rooms,
// halls, tunnels and shafts with wall, ceiling and floor openings and device
// selections, deterministic for a given seed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CProject;

std::unique_ptr<CProject> GenerateProject(const std::string& name, std::size_t volumes,
                                          std::size_t openingsPerVolume, std::uint32_t seed = 1);
