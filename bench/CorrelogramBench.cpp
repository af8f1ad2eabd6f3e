// Autocorrelation and cross-correlation histograms of 100,000 spikes with a
// +-100 ms lag window, counted through the analysis panes as a view feeds
// them. bench/peer_correlogram.py is the numpy peer; run_peers.sh runs both
// on the same trains, which this benchmark writes to the file that
// NEROLITH_BENCH_TRAINS names (one "train<TAB>time" line per event, train 0
// the unit's spikes, train 1 the reference events).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "histograms/AutoCorrelationHistogram.h"
#include "histograms/CrossCorrelationHistogram.h"
#include "histograms/PaneOwner.h"
#include "module/SpikeView.h"

namespace {

using namespace Nerolith;

constexpr std::size_t kEvents = 100'000;
constexpr double kRate = 40.0;          // events per second
constexpr double kRefractory = 0.002;   // seconds
constexpr double kWindow = 0.1;         // lags in [-0.1, 0.1)
constexpr double kBinSize = 0.001;

// A Poisson train with a dead time, the same for every run.
std::vector<double> MakeTrain(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::exponential_distribution<double> gap(kRate);
    std::vector<double> times(kEvents);
    double t = 0.0;
    for (double& time : times) {
        t += kRefractory + gap(random);
        time = t;
    }
    return times;
}

struct Trains {
    std::vector<double> spikes = MakeTrain(1);
    std::vector<double> references = MakeTrain(2);
};

void Write(const Trains& trains, const char* path)
{
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) {
        return;
    }
    for (const auto& [train, times] : {std::pair{0, &trains.spikes}, std::pair{1, &trains.references}}) {
        for (const double t : *times) {
            std::fprintf(file, "%d\t%.17g\n", train, t);
        }
    }
    std::fclose(file);
}

const Trains& TheTrains()
{
    static const Trains trains = [] {
        Trains made;
        if (const char* path = std::getenv("NEROLITH_BENCH_TRAINS")) {
            Write(made, path);
        }
        return made;
    }();
    return trains;
}

// Spikes (unit 0) and reference events (unit -3) in time order, as the
// document replays them to a view.
std::vector<std::pair<std::int32_t, double>> Merged(const Trains& trains)
{
    std::vector<std::pair<std::int32_t, double>> events;
    events.reserve(trains.spikes.size() + trains.references.size());
    for (const double t : trains.spikes) {
        events.emplace_back(0, t);
    }
    for (const double t : trains.references) {
        events.emplace_back(kReferenceUnit, t);
    }
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return events;
}

struct BenchOwner : PaneOwner {
    std::int32_t StatisticsOptions() const override { return 127; }
    void SelectionChosen(double, double) override {}
};

template <class Pane>
std::unique_ptr<Pane> MakePane(BenchOwner& owner)
{
    auto pane = std::make_unique<Pane>(nullptr, owner, 0, Host::UnitDescription{});
    pane->SetBinSize(kBinSize);
    pane->SetLagWindow(-kWindow, kWindow);
    return pane;
}

void Report(benchmark::State& state, const HistogramPane& pane)
{
    state.counters["lags"] = pane.Pages().PageXStatistics(0).n;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kEvents));
}

void BM_AutoCorrelogram(benchmark::State& state)
{
    const Trains& trains = TheTrains();
    BenchOwner owner;
    const auto pane = MakePane<AutoCorrelationHistogram>(owner);
    for (auto _ : state) {
        pane->Clear();
        pane->StartPage(0.0);
        for (const double t : trains.spikes) {
            pane->AddSpike(0, t);
        }
        pane->EndSegment();
    }
    Report(state, *pane);
}
BENCHMARK(BM_AutoCorrelogram)->Unit(benchmark::kMillisecond);

void BM_CrossCorrelogram(benchmark::State& state)
{
    const std::vector<std::pair<std::int32_t, double>> events = Merged(TheTrains());
    BenchOwner owner;
    const auto pane = MakePane<CrossCorrelationHistogram>(owner);
    for (auto _ : state) {
        pane->Clear();
        pane->StartPage(0.0);
        for (const auto& [unit, t] : events) {
            pane->AddSpike(unit, t);
        }
        pane->EndSegment();
    }
    Report(state, *pane);
}
BENCHMARK(BM_CrossCorrelogram)->Unit(benchmark::kMillisecond);

} // namespace
