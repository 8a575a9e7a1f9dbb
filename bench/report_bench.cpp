// The text report, the rich-text report and the data dump at 1,000, 10,000
// and 100,000 volumes (20 openings each), with the fitted growth; then the
// two file actions the user waits for at 10,000 volumes, against writing and
// syncing the same bytes.

#include "bench/bench_files.h"
#include "bench/paired_timer.h"
#include "bench/project_generator.h"
#include "document/report_files.h"
#include "model/project.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "report/text_report.h"

#include <benchmark/benchmark.h>

#include <map>

namespace
{
constexpr std::size_t kOpenings = 20;
constexpr std::int64_t kFigureVolumes = 10000;
constexpr double kFigureMs = 1000;

CProject& Project(std::int64_t volumes)
{
  static std::map<std::int64_t, std::unique_ptr<CProject>> projects;
  auto& project = projects[volumes];
  if (!project)
    project = GenerateProject("Large", static_cast<std::size_t>(volumes), kOpenings);
  return *project;
}

// Copies the bytes into a fresh string a line's worth at a time: what merely
// putting that much text into memory costs.
std::string CopyInLines(const std::string& bytes)
{
  std::string copy;
  for (std::size_t at = 0; at < bytes.size(); at += 80)
    copy.append(bytes, at, 80);
  return copy;
}

template <class Make> void RunReport(benchmark::State& state, Make make)
{
  const std::int64_t volumes = state.range(0);
  const CProject& project = Project(volumes);
  const std::string sample = make(project);
  bench::RunPaired(
    state, {0, volumes == kFigureVolumes ? kFigureMs : 0},
    [&] { benchmark::DoNotOptimize(CopyInLines(sample)); },
    [&] { benchmark::DoNotOptimize(make(project)); });
  state.SetComplexityN(volumes);
  state.counters["MB"] = static_cast<double>(sample.size()) / 1e6;
  state.counters["per_volume"] = benchmark::Counter(
    static_cast<double>(volumes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TextReport(benchmark::State& state) { RunReport(state, TextReport); }
void BM_RtfReport(benchmark::State& state) { RunReport(state, RtfReport); }
void BM_DumpText(benchmark::State& state) { RunReport(state, DumpText); }

#define VANTOR_REPORT_BENCH(fn)                                                                    \
  BENCHMARK(fn)                                                                                    \
    ->UseManualTime()                                                                              \
    ->Unit(benchmark::kMillisecond)                                                                \
    ->RangeMultiplier(10)                                                                          \
    ->Range(1000, 100000)                                                                          \
    ->Complexity(benchmark::oN)
VANTOR_REPORT_BENCH(BM_TextReport);
VANTOR_REPORT_BENCH(BM_RtfReport);
VANTOR_REPORT_BENCH(BM_DumpText);

// "Create Text File Report" and the dump file: the whole action, file sync included.
template <class Action, class Bytes>
void RunFileAction(benchmark::State& state, Action action, Bytes bytes)
{
  bench::CScratchFolder folder;
  CProject& project = Project(kFigureVolumes);
  project.mPath = folder.Path() + "/Large.ad";
  const std::string sample = bytes(project);
  const std::string plain = folder.Path() + "/plain.bin";
  bench::RunPaired(
    state, {0, kFigureMs}, [&] { bench::WriteAndSync(plain, sample); },
    [&]
    {
      if (!action(project, folder.Path()))
        state.SkipWithError("the file could not be written");
    });
  state.counters["MB"] = static_cast<double>(sample.size()) / 1e6;
}

void BM_CreateTextFileReport(benchmark::State& state)
{
  RunFileAction(
    state,
    [](const CProject& project, const std::string& folder)
    {
      std::string path;
      return CreateTextFileReport(project, folder, path, nullptr);
    },
    RtfReport);
}
BENCHMARK(BM_CreateTextFileReport)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DumpProject(benchmark::State& state)
{
  RunFileAction(
    state, [](const CProject& project, const std::string&) { return DumpProject(project); },
    DumpText);
}
BENCHMARK(BM_DumpProject)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
