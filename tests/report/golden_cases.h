#pragma once
// The golden cases in tests/data/reports/<case>/: each folder holds one
// project file NAME.ad (the project is named after the file, as when it is
// opened) and the expected outputs of it, byte for byte, as `vantor-cli
// report`, `dump` and `rtf` write them.

#include "tests/common/file_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

struct CGoldenCase
{
  std::filesystem::path mFolder;
  std::filesystem::path mProject; // the folder's NAME.ad
};

// The expected files of a case.
inline constexpr const char* kGoldenReport = "report.txt";
inline constexpr const char* kGoldenDump = "dump.dmp";
inline constexpr const char* kGoldenRtf = "report.rtf";

inline std::filesystem::path GoldenCasesFolder()
{
  return std::filesystem::path(VANTOR_TEST_DATA_DIR) / "reports";
}

// Every case folder in name order; a folder without exactly one project file
// is a case with an empty mProject, so that the test names it.
inline std::vector<CGoldenCase> GoldenCases()
{
  std::vector<CGoldenCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(GoldenCasesFolder()))
  {
    if (!entry.is_directory())
      continue;
    CGoldenCase c{entry.path(), {}};
    int projects = 0;
    for (const auto& file : std::filesystem::directory_iterator(entry.path()))
      if (file.path().extension() == ".ad" && ++projects == 1)
        c.mProject = file.path();
    if (projects != 1)
      c.mProject.clear();
    cases.push_back(std::move(c));
  }
  std::sort(cases.begin(), cases.end(),
            [](const CGoldenCase& a, const CGoldenCase& b) { return a.mFolder < b.mFolder; });
  return cases;
}

// VANTOR_UPDATE_GOLDEN=1 writes the expected files afresh instead of comparing.
inline bool UpdatingGoldenFiles() { return std::getenv("VANTOR_UPDATE_GOLDEN") != nullptr; }
