#pragma once
// Projects and volumes built in memory for the tests. Lengths carry their unit
// in the name: 10_m is ten metres.

#include "model/area.h"
#include "model/project.h"
#include "model/vent.h"

#include <memory>
#include <string>

constexpr double operator""_m(long double v) { return static_cast<double>(v); }
constexpr double operator""_m(unsigned long long v) { return static_cast<double>(v); }

// A project with no distributor, no date and no volumes.
inline std::unique_ptr<CProject> EmptyProject(const std::string& name)
{
  auto project = std::make_unique<CProject>();
  project->mName = name;
  project->mDistributor.Clear();
  return project;
}

// Adds a calculated volume; an empty name gives an unnamed volume.
inline CArea& AddVolume(CProject& project, const std::string& name, int hazard, double length,
                        double width, double height)
{
  auto area = std::make_unique<CArea>(&project, name, hazard);
  CArea* raw = area.get();
  project.mAreaTable.Insert(std::move(area));
  raw->mLength = length;
  raw->mWidth = width;
  raw->mHeight = height;
  raw->CalculateArea();
  return *raw;
}

inline void AddOpening(CArea& area, int type, int shape, double width, double height,
                       double upper)
{
  area.mVentTable.Add(type, shape, width, height, upper);
  area.CalculateArea();
}
