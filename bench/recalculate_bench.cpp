// RecalculateProject on a large project, against a baseline pass that only
// sums the same openings' stored fields.

#include "bench/paired_timer.h"
#include "bench/project_generator.h"
#include "model/project.h"

#include <benchmark/benchmark.h>

namespace
{
CProject& LargeProject()
{
  static std::unique_ptr<CProject> project = GenerateProject("Large", 10000, 20);
  return *project;
}

double SumOpenings(const CProject& project)
{
  double total = 0;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
  {
    const CVentTable& vents = project.mAreaTable.Get(i)->mVentTable;
    for (std::size_t v = 0; v < vents.Count(); ++v)
      total += vents.Get(v)->mSize + vents.Get(v)->mSizeUpper;
  }
  return total;
}

void BM_RecalculateProject(benchmark::State& state)
{
  CProject& project = LargeProject();
  bench::RunPaired(
    state, {5.0, 10}, [&] { benchmark::DoNotOptimize(SumOpenings(project)); },
    [&]
    {
      project.RecalculateProject();
      benchmark::ClobberMemory();
    });
}
BENCHMARK(BM_RecalculateProject)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
