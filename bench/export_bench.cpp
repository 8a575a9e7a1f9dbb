// The JSON export of a project as vantor-cli export --format json does it,
// against the CSV export of the same project in the same run; and the heap
// the JSON export takes on top of the loaded project, at 1,000, 10,000 and
// 100,000 volumes, which must not grow with the volume count.

#include "bench/paired_timer.h"
#include "bench/project_generator.h"
#include "model/project.h"
#include "storage/project_json.h"
#include "storage/schedule_export.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// Every allocation of this program is counted, so that the benchmark can see
// the most the heap held while a step ran.
namespace
{
std::atomic<std::size_t> gHeld{0};
std::atomic<std::size_t> gPeak{0};

void* Counted(std::size_t size)
{
  void* p = std::malloc(size ? size : 1);
  if (!p)
    throw std::bad_alloc();
  const std::size_t held = gHeld += malloc_usable_size(p);
  std::size_t peak = gPeak.load();
  while (held > peak && !gPeak.compare_exchange_weak(peak, held))
  {
  }
  return p;
}

void Uncounted(void* p)
{
  if (!p)
    return;
  gHeld -= malloc_usable_size(p);
  std::free(p);
}
} // namespace

void* operator new(std::size_t size)
{
  return Counted(size);
}
void* operator new[](std::size_t size)
{
  return Counted(size);
}
void operator delete(void* p) noexcept
{
  Uncounted(p);
}
void operator delete[](void* p) noexcept
{
  Uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept
{
  Uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
  Uncounted(p);
}

namespace
{
// The most the heap held above what it held at the start, while fn ran.
template <class Fn> std::size_t PeakBytes(Fn&& fn)
{
  const std::size_t start = gHeld.load();
  gPeak = start;
  fn();
  return gPeak.load() - start;
}

// Counts what the export hands over, as a file would take it.
bool CountBytes(std::size_t& bytes, std::string_view piece)
{
  bytes += piece.size();
  benchmark::DoNotOptimize(piece.data());
  return true;
}

void BM_JsonExport10000(benchmark::State& state)
{
  const auto project = GenerateProject("Large", 10000, 20);
  std::size_t jsonBytes = 0;
  std::size_t csvBytes = 0;
  bench::RunPaired(
      state, {0, 1000},
      [&]
      {
        const std::string csv = ScheduleCsv(*project);
        csvBytes = csv.size();
      },
      [&]
      {
        jsonBytes = 0;
        WriteProjectJson(*project,
                         [&](std::string_view piece) { return CountBytes(jsonBytes, piece); });
      });
  state.counters["json_mb"] = static_cast<double>(jsonBytes) / 1e6;
  state.counters["csv_mb"] = static_cast<double>(csvBytes) / 1e6;
}
BENCHMARK(BM_JsonExport10000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

// Heap above the loaded project while the JSON and the CSV exports run, in
// kB. The figure: the JSON export of 100,000 volumes takes no more than that
// of 1,000 volumes and a 64 kB piece beside it.
void BM_JsonExportPeakMemory(benchmark::State& state)
{
  const std::size_t sizes[] = {1000, 10000, 100000};
  std::size_t json[3] = {};
  std::size_t csv[3] = {};
  for (auto _ : state)
    for (int i = 0; i < 3; ++i)
    {
      const auto project = GenerateProject("Large", sizes[i], 20);
      std::size_t bytes = 0;
      json[i] = PeakBytes(
          [&] {
            WriteProjectJson(*project,
                             [&](std::string_view piece) { return CountBytes(bytes, piece); });
          });
      csv[i] = PeakBytes([&] { benchmark::DoNotOptimize(ScheduleCsv(*project).size()); });
    }
  for (int i = 0; i < 3; ++i)
  {
    const std::string n = std::to_string(sizes[i]);
    state.counters["json_kb_" + n] = static_cast<double>(json[i]) / 1e3;
    state.counters["csv_kb_" + n] = static_cast<double>(csv[i]) / 1e3;
  }
  state.counters["peak_ok"] = json[2] <= json[0] + 64 * 1024 ? 1 : 0;
}
BENCHMARK(BM_JsonExportPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
