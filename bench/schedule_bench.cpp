// Importing a room schedule of 1,000 rooms as vantor-cli import does it:
// read the CSV file, check every row, add the volumes and save the project
// through the safe save; against reading the file and splitting it into
// records, which any import must do.

#include "bench/bench_files.h"
#include "bench/paired_timer.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "storage/csv.h"
#include "storage/project_file.h"
#include "storage/safe_file.h"
#include "storage/schedule_import.h"
#include "text/printf.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace
{
constexpr std::size_t kRooms = 1000;

// A schedule in mixed units: lengths in feet by the header, widths and
// heights in metres in the cells, four openings a room in feet, two device
// counts and notes on every tenth room.
std::string MixedUnitSchedule(std::size_t rooms)
{
  std::mt19937 random(7);
  std::uniform_real_distribution<double> feet(10, 130);
  std::uniform_real_distribution<double> metres(2.5, 7.5);
  std::uniform_real_distribution<double> vent(0.2, 2);
  std::uniform_int_distribution<int> hazard(0, HazardClassCount - 1);
  std::uniform_int_distribution<int> count(0, 12);
  std::string csv = "name,hazard_class,length_ft,width,height,openings_ft,devices_500g,devices_2500g,notes\r\n";
  for (std::size_t r = 0; r < rooms; ++r)
  {
    csv += FormatC("Room %04zu,\"%s\",%.2f,%.2f m,%.2f m,", r, HazardName(hazard(random)).c_str(),
                   feet(random), metres(random) * 3, metres(random));
    csv += FormatC("wall %.2f x %.2f upper 40%%; wall round %.2f; ceiling %.2f x %.2f; floor round %.2f,",
                   vent(random), vent(random), vent(random), vent(random), vent(random), vent(random));
    csv += FormatC("%d,%d,%s\r\n", count(random), count(random), r % 10 == 0 ? "\"Raised floor, east\"" : "");
  }
  return csv;
}

void BM_ImportSchedule1000(benchmark::State& state)
{
  bench::CScratchFolder folder;
  const std::string schedulePath = folder.Path() + "/rooms.csv";
  const std::string projectPath = folder.Path() + "/Rooms.ad";
  if (!WriteFileSafely(schedulePath, MixedUnitSchedule(kRooms)))
  {
    state.SkipWithError("the schedule cannot be written");
    return;
  }
  std::unique_ptr<CProject> project;
  std::size_t volumes = 0;
  bench::RunPaired(
    state, {0, 1000},
    [&]
    {
      project = std::make_unique<CProject>();
      project->SetName("Rooms");
      project->mPath = projectPath;
    },
    [&]
    {
      std::vector<CCsvRecord> records;
      ReadCsv(bench::ReadWholeFile(schedulePath), records);
      benchmark::DoNotOptimize(records.data());
    },
    [&]
    {
      const CSchedule schedule = ReadSchedule(bench::ReadWholeFile(schedulePath), *project);
      if (!schedule.Ok() || !ApplySchedule(schedule, *project) || !SaveProject(*project))
        state.SkipWithError("the schedule does not import");
      volumes = project->mAreaTable.Count();
    });
  state.counters["volumes"] = static_cast<double>(volumes);
}
BENCHMARK(BM_ImportSchedule1000)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
