#pragma once
// The projects of the report golden files in tests/data/reports/<case>/.
// Each case names its project here; its expected outputs lie in the folder.

#include "tests/model/project_builders.h"
#include "text/units.h"

#include <functional>
#include <string>
#include <vector>

struct CReportCase
{
  const char* mName;
  std::function<std::unique_ptr<CProject>()> mMake;
};

// A new project: a name and a date, nothing else.
inline std::unique_ptr<CProject> NewProjectCase()
{
  auto project = EmptyProject("Warehouse 7");
  project->mProject_Date = "03/14/24";
  return project;
}

// Every part of the report in metric units: all identity rows, a distributor
// of three lines and a customer of five, project notes with blank lines, a
// word longer than the wrap width, braces, a backslash and accented letters;
// a calculated room with openings, devices and notes; an unnamed volume of
// zero size with notes beside "NO DEVICES"; a volume with excess leakage.
inline std::unique_ptr<CProject> FullMetricCase()
{
  auto project = EmptyProject("Data Centre \xC9" "ast");
  project->mProject_Reference = "DC-2024/017";
  project->mProject_Designer = "Ana Mar\xED" "a Ortiz";
  project->mProject_Date = "05/06/24";
  project->mDistributor = {"Safeguard Supply", "14 Forge Lane", "", "Leeds", "", "", "LS1 4AB"};
  project->mDistributor_Reference = "";
  project->mCustomer = {"Northwind Hosting", "Building C", "Quay Road", "Bristol", "Avon",
                        "UK", "BS1 6QA"};
  project->mCustomer_Reference = "PO 55-910";
  project->mIncludeNotes = true;
  project->mNotes =
    "Design per site survey of 2 May; see {drawing} \\\\srv\\plans\\dc-east.\r\n"
    "\r\n"
    "Ceiling tiles must be clipped before discharge. Caf\xE9 area excluded.\r\n"
    "Ref: https://example.invalid/very/long/path/that/cannot/be/broken/anywhere/at/all\r\n";

  CArea& room = AddVolume(*project, "Server Room", 6, 12_m, 8_m, 3.2_m);
  AddOpening(room, VENT_WALL, SHAPE_RECTANGULAR, 0.9_m, 0.05_m, 0.0);
  AddOpening(room, VENT_CEILING, SHAPE_CIRCULAR, 0.3_m, 0_m, 1.0);
  room.SetDeviceCount(7, 8);
  room.SetDeviceCount(4, 2);
  room.CalculateArea();
  room.mIncludeNotes = true;
  room.mNotes = "Raised floor void included in the height.\r\nUPS bank on the north wall.";

  CArea& blank = AddVolume(*project, "", 0, 0_m, 0_m, 0_m);
  blank.mIncludeNotes = true;
  blank.mNotes = "Dimensions to follow after the second site visit by the installer team.";

  CArea& loading = AddVolume(*project, "Loading Bay", 0, 10_m, 6_m, 4_m);
  AddOpening(loading, VENT_WALL, SHAPE_RECTANGULAR, 3_m, 3_m, 0.5);
  loading.SetDeviceCount(6, 3);
  loading.CalculateArea();
  loading.mIncludeNotes = false;
  loading.mNotes = "Left out of the report.";
  return project;
}

// Imperial units, an invalid hazard class, a zero volume and excess
// height; project notes present but not included.
inline std::unique_ptr<CProject> ImperialErrorsCase()
{
  auto project = EmptyProject("Tunnel 3");
  project->mUnits = UNITS_IMPERIAL;
  project->mProject_Designer = "R. Singh";
  project->mCustomer = {"", "", "", "Denver", "CO", "", "80202"};
  project->mIncludeNotes = false;
  project->mNotes = "Not shown.";
  CArea& tunnel = AddVolume(*project, "Cable Tunnel", 8, 60_m, 2.5_m, 2.8_m);
  tunnel.SetDeviceCount(5, 11);
  tunnel.CalculateArea();
  AddVolume(*project, "Odd", -1, 0_m, 0_m, 0_m);
  CArea& tall = AddVolume(*project, "Tall Hall", 0, 10_m, 10_m, 9.5_m);
  tall.SetDeviceCount(7, 40);
  tall.CalculateArea();
  return project;
}

inline const std::vector<CReportCase>& ReportCases()
{
  static const std::vector<CReportCase> cases = {
    {"new_project", NewProjectCase},
    {"full_metric", FullMetricCase},
    {"imperial_errors", ImperialErrorsCase},
  };
  return cases;
}
