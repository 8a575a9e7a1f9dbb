#pragma once
// Times a step and its baseline alternately inside one benchmark loop, so that
// both see the same load on a busy machine. The step's time is the iteration
// time (the benchmark must use UseManualTime()); the counters give both
// medians, their ratio and the verdict against the figure to beat.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench
{
inline double Median(std::vector<double> values)
{
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

template <class Fn> double Seconds(Fn&& fn)
{
  const auto start = std::chrono::steady_clock::now();
  fn();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The figure a step must meet: at most `maxRatio` times its baseline (0: no
// ratio figure) and at most `maxMs` milliseconds (0: no time figure).
struct CFigure
{
  double mMaxRatio = 0;
  double mMaxMs = 0;
};

// Sets the counters "ms" (median step), "base_ms" (median baseline),
// "ratio", the figures "max_ratio" / "max_ms" and "ok" (1 when met).
inline void Report(benchmark::State& state, double stepSeconds, double baseSeconds, CFigure figure)
{
  const double ms = stepSeconds * 1e3;
  const double base = baseSeconds * 1e3;
  const double ratio = base > 0 ? ms / base : 0;
  bool ok = true;
  if (figure.mMaxRatio > 0)
    ok = ok && ratio <= figure.mMaxRatio;
  if (figure.mMaxMs > 0)
    ok = ok && ms <= figure.mMaxMs;
  state.counters["ms"] = ms;
  state.counters["base_ms"] = base;
  state.counters["ratio"] = ratio;
  state.counters["max_ratio"] = figure.mMaxRatio;
  state.counters["max_ms"] = figure.mMaxMs;
  state.counters["ok"] = ok ? 1 : 0;
}

// Runs baseline then step once per iteration (with `prepare` before each,
// untimed) and reports their medians.
template <class Prepare, class Base, class Step>
void RunPaired(benchmark::State& state, CFigure figure, Prepare&& prepare, Base&& base, Step&& step)
{
  std::vector<double> steps;
  std::vector<double> bases;
  for (auto _ : state)
  {
    prepare();
    bases.push_back(Seconds(base));
    prepare();
    const double s = Seconds(step);
    steps.push_back(s);
    state.SetIterationTime(s);
  }
  Report(state, Median(steps), Median(bases), figure);
}

template <class Base, class Step>
void RunPaired(benchmark::State& state, CFigure figure, Base&& base, Step&& step)
{
  RunPaired(state, figure, [] {}, base, step);
}
} // namespace bench
