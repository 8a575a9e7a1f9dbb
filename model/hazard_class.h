#pragma once
// The fixed table of hazard classes. Volumes store only the index.

#include <cstdint>
#include <string>

struct CHazardClass
{
  std::uint32_t mConcentration; // standard design concentration, g/m3
  const char* mGroup;           // short name for reports
  const char* mName;            // long name for lists and the dump
};

constexpr int HazardClassCount = 10;

// True exactly when the index, taken as unsigned, is below 10.
bool IsValidHazard(int index);
// The long name; empty for an invalid index.
std::string HazardName(int index);
// The short name; empty for an invalid index.
std::string HazardGroup(int index);
// Writes the standard concentration and returns true; 0 and false if invalid.
bool StandardConcentration(int index, double& out);
// UL minimum application density in g/m3: 97 or 67 (97 for an invalid index).
double ULMinimumDensity(int index);
// Hazard correction factor: 1.5 for index 8, 1.7 for index 9, else 1.0.
double HazardK3(int index);
// Cable tunnels carry the extra volume and leakage limits.
bool IsCableTunnel(int index);
