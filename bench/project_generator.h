#pragma once
// Builds large, realistic projects with the program's own model code: rooms,
// halls, tunnels and shafts with wall, ceiling and floor openings and device
// selections, deterministic for a given seed; and folders of many project
// files written by the program's own save path.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CProject;

std::unique_ptr<CProject> GenerateProject(const std::string& name, std::size_t volumes,
                                          std::size_t openingsPerVolume, std::uint32_t seed = 1);

// Generates the project and saves it as folder/name.ad through CProject::Save;
// gives the file's path, empty when it could not be written.
std::string WriteGeneratedProject(const std::string& folder, const std::string& name,
                                  std::size_t volumes, std::size_t openingsPerVolume,
                                  std::uint32_t seed = 1);

// How the projects of a generated folder are sized: each gets between 1 and
// maxVolumes volumes with between 0 and maxOpenings openings each, drawn from
// the seed, so the folder holds the mix of small and larger jobs a design
// office keeps.
struct CFolderShape
{
  std::size_t mMaxVolumes = 40;
  std::size_t mMaxOpenings = 8;
};

// Fills the folder (created when missing) with `files` project files named
// "Project 0000", "Project 0001", ...; gives their names, or an empty list
// when a file could not be written.
std::vector<std::string> GenerateProjectFolder(const std::string& folder, std::size_t files,
                                               CFolderShape shape = {}, std::uint32_t seed = 1);
