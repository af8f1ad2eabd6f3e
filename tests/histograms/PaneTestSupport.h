#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "detection/SpikeStoreOwner.h"
#include "histograms/HistogramPages.h"
#include "histograms/PaneOwner.h"
#include "histograms/StatisticsText.h"
#include "host/ISpikeDocInterface.h"

namespace histtest {

// The view as a pane sees it: all statistics shown, selections recorded.
struct FakeOwner : Nerolith::PaneOwner {
    std::int32_t StatisticsOptions() const override { return options; }
    void SelectionChosen(double start, double end) override { chosen.push_back({start, end}); }

    std::int32_t options = Nerolith::kShowAllStatistics;
    std::vector<std::pair<double, double>> chosen;
};

inline Host::UnitDescription UnitNamed(const char16_t* name)
{
    Host::UnitDescription description;
    description.name = name;
    return description;
}

// A pane of the given analysis for unit 0, with one page begun at time 0.
template <class Pane>
std::unique_ptr<Pane> PaneWithPage(FakeOwner& owner, double binSize, std::int32_t unit = 0)
{
    auto pane = std::make_unique<Pane>(nullptr, owner, unit, Host::UnitDescription{});
    pane->SetBinSize(binSize);
    pane->Clear();
    pane->StartPage(0.0);
    return pane;
}

inline std::vector<float> Counts(const Nerolith::HistogramPages& pages, std::int32_t page = 0)
{
    const auto bins = pages.PageBins(page);
    return {bins.begin(), bins.end()};
}

inline Nerolith::SpikeNotification Record(std::int32_t code, std::int32_t block, double t, std::int32_t unit = 0,
                                          double height = 0.0)
{
    Nerolith::SpikeNotification record;
    record.code = code;
    record.block = block;
    record.time = t;
    record.unit = unit;
    record.height = height;
    return record;
}

} // namespace histtest
