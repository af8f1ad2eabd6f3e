#pragma once

#include <cstdint>

#include "graph/Annotation.h"
#include "platform/text/VexString.h"
#include "platform/ui/Color.h"

namespace DUdido1 {

class BinPlotData;

// A text naming one bin of a histogram, centred just above the bin's count.
// It reads the bins when it draws, so it follows the data; a bin that does
// not exist or lies outside the plot is not labelled.
class BinAnnotation : public Annotation {
public:
    BinAnnotation(const BinPlotData& data, std::int32_t bin, VEX::String text,
                  ui::COLORREF colour = ui::kBlack);

    void SetBin(std::int32_t bin) { bin_ = bin; }
    std::int32_t Bin() const { return bin_; }

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    const BinPlotData& data_;
    std::int32_t bin_;
    VEX::String text_;
    ui::COLORREF colour_;
};

} // namespace DUdido1
