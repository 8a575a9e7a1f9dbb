#include "bench/project_generator.h"

#include "model/hazard_class.h"
#include "model/project.h"
#include "storage/project_file.h"
#include "text/printf.h"

#include <filesystem>
#include <random>

std::unique_ptr<CProject> GenerateProject(const std::string& name, std::size_t volumes,
                                          std::size_t openingsPerVolume, std::uint32_t seed)
{
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> length(3.0, 40.0);
  std::uniform_real_distribution<double> height(2.5, 7.5);
  std::uniform_real_distribution<double> ventSize(0.05, 0.6);
  std::uniform_real_distribution<double> share(0.0, 1.0);
  std::uniform_int_distribution<int> hazard(0, HazardClassCount - 1);
  std::uniform_int_distribution<int> kind(0, 2);
  std::uniform_int_distribution<std::uint32_t> count(0, 12);

  auto project = std::make_unique<CProject>();
  project->SetName(name);
  project->mProject_Reference = "BENCH-" + std::to_string(seed);
  project->mProject_Designer = "Design Office";
  project->mCustomer.mName = "Data Centre Operator";
  project->mCustomer.mCity = "Springfield";
  project->mNotes = "Generated project for measuring the program at scale.";
  project->mIncludeNotes = true;
  for (std::size_t v = 0; v < volumes; ++v)
  {
    std::string volumeName = FormatC("Hall %06zu", v);
    project->mAreaTable.AddNew(volumeName, hazard(random));
    CArea* area = project->mAreaTable.Find(volumeName);
    area->SetLength(length(random));
    area->SetWidth(length(random));
    area->SetHeight(height(random));
    area->mVentTable.Reserve(openingsPerVolume);
    for (std::size_t o = 0; o < openingsPerVolume; ++o)
    {
      int k = kind(random);
      bool circular = o % 3 == 0;
      area->mVentTable.Add(k, circular ? SHAPE_CIRCULAR : SHAPE_RECTANGULAR, ventSize(random),
                           ventSize(random), share(random));
    }
    // In the order the Openings page keeps them: walls, ceiling, floor.
    area->mVentTable.Sort();
    area->SetDeviceCount(7, count(random));
    area->SetDeviceCount(4, count(random));
    area->SetIncludeNotes(v % 10 == 0);
    if (v % 10 == 0)
      area->SetNotes("Raised floor; cable trays along the east wall.");
  }
  project->RecalculateProject();
  return project;
}

std::string WriteGeneratedProject(const std::string& folder, const std::string& name,
                                  std::size_t volumes, std::size_t openingsPerVolume,
                                  std::uint32_t seed)
{
  std::unique_ptr<CProject> project = GenerateProject(name, volumes, openingsPerVolume, seed);
  project->mPath = (std::filesystem::path(folder) / project->mPath).string();
  return SaveProject(*project) ? project->mPath : std::string();
}

std::vector<std::string> GenerateProjectFolder(const std::string& folder, std::size_t files,
                                               CFolderShape shape, std::uint32_t seed)
{
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> volumes(1, shape.mMaxVolumes);
  std::uniform_int_distribution<std::size_t> openings(0, shape.mMaxOpenings);
  std::vector<std::string> names;
  names.reserve(files);
  for (std::size_t i = 0; i < files; ++i)
  {
    std::string name = FormatC("Project %04zu", i);
    if (WriteGeneratedProject(folder, name, volumes(random), openings(random),
                              seed + static_cast<std::uint32_t>(i))
          .empty())
      return {};
    names.push_back(std::move(name));
  }
  return names;
}
