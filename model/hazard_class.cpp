#include "model/hazard_class.h"


namespace
{
// The texts are literals of the design, "HORIZONAL" included.
constexpr CHazardClass kHazardClasses[HazardClassCount] = {
  {97, "CLASS A SURFACE", "CLASS A - SURFACE FIRES"},
  {55, "CLASS B FLAMMABLE LIQUID", "CLASS B - HEPTANE"},
  {55, "CLASS B FLAMMABLE LIQUID", "CLASS B - TOLUENE"},
  {55, "CLASS B FLAMMABLE LIQUID", "CLASS B - DIESEL FUEL"},
  {55, "CLASS B FLAMMABLE LIQUID", "CLASS B - JP4"},
  {55, "CLASS B FLAMMABLE LIQUID", "CLASS B - GASOLINE"},
  {62, "CLASS C ELECTRICAL", "CLASS C/B ELECTRICAL LIGHT/MEDIUM DUTY, B"},
  {97, "CLASS C ELECTRICAL/A", "CLASS C/A HEAVILY STACKED CABLE, CLUTTER, A"},
  {97, "CABLE TUNNELS - HORIZONAL", "CABLE TUNNELS - HORIZONAL"},
  {97, "CABLE TUNNELS - ANGLE>=45 DEGREES", "CABLE TUNNELS - ANGLE>=45 DEGREES"},
};
} // namespace

bool IsValidHazard(int index) { return static_cast<unsigned>(index) < HazardClassCount; }

std::string HazardName(int index) { return IsValidHazard(index) ? kHazardClasses[index].mName : ""; }

std::string HazardGroup(int index)
{
  return IsValidHazard(index) ? kHazardClasses[index].mGroup : "";
}

bool StandardConcentration(int index, double& out)
{
  if (!IsValidHazard(index))
  {
    out = 0;
    return false;
  }
  out = static_cast<double>(kHazardClasses[index].mConcentration);
  return true;
}

double ULMinimumDensity(int index) { return index >= 1 && index <= 6 ? 67.0 : 97.0; }

double HazardK3(int index)
{
  if (index == 8)
    return 1.5;
  if (index == 9)
    return 1.7;
  return 1.0;
}

bool IsCableTunnel(int index) { return index == 8 || index == 9; }
