// Making the openings of the large project file and saving it, and the Open
// Project listing of a folder of many project files, each against the plain
// file operation it cannot do without.

#include "bench/bench_files.h"
#include "bench/paired_timer.h"
#include "bench/project_generator.h"
#include "model/project.h"
#include "storage/catalogue.h"
#include "storage/project_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace
{
constexpr std::size_t kVolumes = 10000;
constexpr std::size_t kOpenings = 20;
constexpr std::size_t kFolderFiles = 1000;

// The 10,000-volume project saved once in a scratch folder.
struct CLargeFile
{
  bench::CScratchFolder mFolder;
  std::string mPath = WriteGeneratedProject(mFolder.Path(), "Large", kVolumes, kOpenings);
};

const CLargeFile& LargeFile()
{
  static CLargeFile file;
  return file;
}

// A folder of 1,000 project files of 1 to 40 volumes with 0 to 8 openings each.
struct CProjectFolder
{
  bench::CScratchFolder mFolder;
  std::vector<std::string> mNames = GenerateProjectFolder(mFolder.Path(), kFolderFiles);
};

const CProjectFolder& ProjectFolder()
{
  static CProjectFolder folder;
  return folder;
}

// What loading the file cannot do without: making its 200,000 openings as
// the model holds them (one table a volume, every opening calculated), with
// no reading, checking or volume calculation, against reading its bytes.
// Shows how much of a load the openings alone take; no figure of its own.
// The load itself is timed in a fresh process, as the user meets it
// (vantor-bench-load-once, run by scripts/bench.sh).
void BM_LoadOpeningsOnly(benchmark::State& state)
{
  const std::string& path = LargeFile().mPath;
  CProject source;
  source.mPath = path;
  if (!LoadProject(source))
  {
    state.SkipWithError("the project file does not read");
    return;
  }
  std::vector<std::vector<CVentValues>> volumes;
  for (std::size_t i = 0; i < source.mAreaTable.Count(); ++i)
  {
    const CVentTable& table = source.mAreaTable.Get(i)->mVentTable;
    auto& values = volumes.emplace_back();
    for (std::size_t v = 0; v < table.Count(); ++v)
      values.push_back(table.Get(v)->Values());
  }
  std::vector<std::unique_ptr<CVentTable>> tables;
  bench::RunPaired(
    state, {0, 0}, [&] { tables.clear(); },
    [&] { benchmark::DoNotOptimize(bench::ReadWholeFile(path)); },
    [&]
    {
      tables.reserve(volumes.size());
      for (const auto& values : volumes)
      {
        auto& table = *tables.emplace_back(std::make_unique<CVentTable>(nullptr));
        table.Reserve(values.size());
        for (const CVentValues& v : values)
          table.Add(v.mType, v.mShape, v.mWidth, v.mHeight, v.mUpper);
      }
      benchmark::ClobberMemory();
    });
}
BENCHMARK(BM_LoadOpeningsOnly)->UseManualTime()->Unit(benchmark::kMillisecond);

// File > Save: encode, write through a temporary file, sync, rename, snapshot.
void BM_Save(benchmark::State& state)
{
  const std::string& path = LargeFile().mPath;
  CProject project;
  project.SetName("Large");
  project.mPath = path;
  if (!LoadProject(project))
  {
    state.SkipWithError("the project file does not read");
    return;
  }
  std::string bytes;
  EncodeProjectFile(project, bytes);
  const std::string plain = LargeFile().mFolder.Path() + "/plain.bin";
  bench::RunPaired(
    state, {2.0, 0}, [&] { bench::WriteAndSync(plain, bytes); },
    [&]
    {
      if (!SaveProject(project))
        state.SkipWithError("the project could not be saved");
    });
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_Save)->UseManualTime()->Unit(benchmark::kMillisecond);

// The rows of the Open Project dialog, against reading every file's bytes.
void BM_ReadCatalogue(benchmark::State& state)
{
  const CProjectFolder& folder = ProjectFolder();
  if (folder.mNames.size() != kFolderFiles)
  {
    state.SkipWithError("the project folder could not be written");
    return;
  }
  std::size_t rows = 0;
  bench::RunPaired(
    state, {0, 500},
    [&]
    {
      for (const auto& entry : std::filesystem::directory_iterator(folder.mFolder.Path()))
        benchmark::DoNotOptimize(bench::ReadWholeFile(entry.path().string()));
    },
    [&] { rows = ReadCatalogue(folder.mFolder.Path(), {}).size(); });
  state.counters["files"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReadCatalogue)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
