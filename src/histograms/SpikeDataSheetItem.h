#pragma once

#include <cstdint>

#include "histograms/DataSheetFuncBase.h"
#include "histograms/DataSheetFunctionTable.h"
#include "module/AnalysisDocument.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {

class DataSheetView;
class HistogramPages;

// One of the module's Data Sheet functions in a column of a document's Data
// Sheet. Its value is taken afresh at each request: the channel's name, the
// selected unit's name, or a statistic of the open view of its analysis, read
// from the pane of the document's selected unit (the last such pane).
class SpikeDataSheetItem final : public ChanValueFunc {
public:
    SpikeDataSheetItem(AnalysisDocument& document, std::int32_t index);

protected:
    VEX::String ItemName() const override;
    // The amplitude histogram's X units follow the source channel's unit
    // text as it is now.
    VEX::String ItemUnits() const override;
    Host::Variant ChannelValue(std::int32_t channel) override;

private:
    VEX::String ChannelName(std::int32_t channel) const;
    VEX::String SelectedUnitName() const;
    Host::Variant StatisticValue(const DataSheetFunctions::StatisticFunction& function) const;
    Host::Variant QualityValue(DataSheetFunctions::QualityFigure figure) const;
    const HistogramPages* SelectedUnitPane(const DataSheetView& view) const;

    ComPtr<AnalysisDocument> document_;
    std::int32_t index_;
};

} // namespace Nerolith
