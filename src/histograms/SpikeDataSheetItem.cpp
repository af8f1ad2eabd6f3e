#include "histograms/SpikeDataSheetItem.h"

#include <algorithm>
#include <cmath>

#include "histograms/DataSheetStatistics.h"
#include "histograms/DataSheetView.h"
#include "histograms/HistogramPane.h"
#include "module/SpikeView.h"

namespace Nerolith {

namespace {
constexpr const char16_t* kNoUnitSelected = u"No Unit Selected";
} // namespace

SpikeDataSheetItem::SpikeDataSheetItem(AnalysisDocument& document, std::int32_t index)
    : ChanValueFunc(document.Recording()), document_(&document), index_(index)
{
}

VEX::String SpikeDataSheetItem::ItemName() const { return DataSheetFunctions::ItemName(index_); }

VEX::String SpikeDataSheetItem::ItemUnits() const
{
    return DataSheetFunctions::Units(index_, document_->ChannelUnitText(document_->Settings().sourceChannel));
}

Host::Variant SpikeDataSheetItem::ChannelValue(std::int32_t channel)
{
    if (index_ == DataSheetFunctions::kChannel) {
        return ChannelName(channel);
    }
    if (index_ == DataSheetFunctions::kSelectedUnit) {
        return SelectedUnitName();
    }
    if (const auto figure = DataSheetFunctions::QualityFigureOf(index_)) {
        return QualityValue(*figure);
    }
    const auto function = DataSheetFunctions::StatisticOf(index_);
    return function ? StatisticValue(*function) : Host::Variant();
}

VEX::String SpikeDataSheetItem::ChannelName(std::int32_t channel) const
{
    VEX::String title;
    Recording()->ChannelTitle(channel, &title);
    return title;
}

// A selected unit that no longer exists counts as none.
VEX::String SpikeDataSheetItem::SelectedUnitName() const
{
    const std::int32_t selected = document_->SelectedUnitNumber();
    std::vector<Host::UnitDescription> units;
    if (selected < 0 || Failed(document_->GetUnits(&units))) {
        return kNoUnitSelected;
    }
    const auto found = std::find_if(units.begin(), units.end(),
                                    [selected](const Host::UnitDescription& unit) { return unit.number == selected; });
    return found == units.end() ? VEX::String(kNoUnitSelected) : found->name;
}

Host::Variant SpikeDataSheetItem::StatisticValue(const DataSheetFunctions::StatisticFunction& function) const
{
    const auto* view =
        dynamic_cast<const DataSheetView*>(document_->FindView(DataSheetFunctions::ViewOf(function.analysis)));
    if (view == nullptr) {
        return {};
    }
    return Nerolith::StatisticValue(function.statistic, view->DataSheetBinSize(), SelectedUnitPane(*view));
}

// Empty when no unit is selected or the figure is absent.
Host::Variant SpikeDataSheetItem::QualityValue(DataSheetFunctions::QualityFigure figure) const
{
    const std::int32_t selected = document_->SelectedUnitNumber();
    std::vector<Host::UnitQuality> units;
    if (selected < 0 || Failed(document_->GetUnitQuality(&units))) {
        return {};
    }
    const auto found = std::find_if(units.begin(), units.end(),
                                    [selected](const Host::UnitQuality& unit) { return unit.number == selected; });
    if (found == units.end()) {
        return {};
    }
    const double value = DataSheetFunctions::FigureValue(figure, *found);
    return std::isnan(value) ? Host::Variant() : Host::Variant(value);
}

const HistogramPages* SpikeDataSheetItem::SelectedUnitPane(const DataSheetView& view) const
{
    const std::int32_t selected = document_->SelectedUnitNumber();
    const std::vector<const HistogramPane*> panes = view.DataSheetPanes();
    const auto found = std::find_if(panes.rbegin(), panes.rend(), [selected](const HistogramPane* pane) {
        return pane != nullptr && pane->Unit() == selected;
    });
    return found == panes.rend() ? nullptr : &(*found)->Pages();
}

} // namespace Nerolith
