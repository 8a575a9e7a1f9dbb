// Writes the example project with the program's own model and file writer:
//   vantor-make-example examples/Example.ad
// Four volumes: a tight clean room, a loading bay that leaks too much, a
// cable tunnel, and a generator room whose devices cover the required mass but
// stay below the UL minimum density (a diesel generator room).

#include "document/project_document.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/project.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace
{
constexpr int kModel30g = 0;
constexpr int kModel2500g = 7;

CArea& AddVolume(CProject& p, const char* name, int hazard, double length_m, double width_m,
                 double height_m)
{
  p.mAreaTable.AddNew(name, hazard);
  CArea& a = *p.mAreaTable.Find(name);
  a.SetLength(length_m);
  a.SetWidth(width_m);
  a.SetHeight(height_m);
  return a;
}

// Enough devices of one model for the required mass and the UL minimum.
void Cover(CArea& a, int model, double minimumDensity_g_per_m3)
{
  a.CalculateArea();
  double mass = 0;
  DeviceMass(model, mass);
  const double needed = std::fmax(a.mMassRequired, minimumDensity_g_per_m3 * a.mVolume);
  a.SetDeviceCount(model, static_cast<std::uint32_t>(std::ceil(needed / mass)));
}
} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: vantor-make-example OUTPUT.ad\n");
    return 2;
  }
  CProjectDocument document;
  CProject& p = document.Project();
  p.SetName("Example");
  p.mPath = argv[1];
  p.mProject_Date = "01/15/26"; // fixed, so the file is the same on every run
  p.SetProjectReference("EX-2026-001");
  p.mProject_Designer = "Jane Planner";
  p.mDistributor = {"Northfield Fire Systems", "12 Mill Lane", "Unit 4", "Springfield", "IL", "USA", "62701"};
  p.SetDistributorReference("NFS-88");
  p.mCustomer = {"Harbour Data Centre", "1 Quay Street", "", "Portsmouth", "", "UK", "PO1 3AA"};
  p.SetCustomerReference("PO-4471");
  p.mNotes = "Example project for the batch tool.";
  p.mIncludeNotes = true;

  // A tight room: one small wall grille.
  CArea& clean = AddVolume(p, "Clean room", 0, 6.0, 5.0, 3.0);
  clean.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.3, 0.2, 0.5);
  clean.SetNotes("Class A surface fires, doors closed during discharge.");
  clean.SetIncludeNotes(true);
  Cover(clean, kModel2500g, 97);

  // Roller door left open: the leakage is beyond the method's limits.
  CArea& bay = AddVolume(p, "Loading bay", 1, 12.0, 8.0, 5.0);
  bay.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 4.0, 3.5, 0.4);
  bay.mVentTable.Add(VENT_CEILING, SHAPE_CIRCULAR, 0.6, 0.0, 1.0);

  // A horizontal cable tunnel with a ceiling hatch and a floor drain.
  CArea& tunnel = AddVolume(p, "Cable tunnel", 8, 40.0, 2.0, 2.5);
  tunnel.mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, 0.8, 0.6, 1.0);
  tunnel.mVentTable.Add(VENT_FLOOR, SHAPE_CIRCULAR, 0.15, 0.0, 0.0);
  Cover(tunnel, kModel2500g, 97);

  // Enough agent for the design concentration, not for the UL minimum.
  CArea& sw = AddVolume(p, "Generator room", 3, 8.0, 5.0, 3.0);
  sw.mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.5, 0.5, 0.5);
  Cover(sw, kModel30g, 0);

  p.RecalculateProject();
  // Saved through the document, as the programs save: never over a file
  // the desktop program has open. The file it replaces is not read first.
  std::string error;
  if (!document.MarkFile())
    error = p.mPath + ": it is open in the program; close it there first";
  else if (document.Save(&error))
    return 0;
  std::fprintf(stderr, "vantor-make-example: %s\n", error.c_str());
  return 1;
}
