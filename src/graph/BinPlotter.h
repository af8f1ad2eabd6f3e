#pragma once

#include <cstdint>
#include <optional>

#include "graph/Plotter.h"

namespace DUdido1 {

class BinPlotData;

// The plot styles of a histogram; the values are also the style menu's ids.
enum BinPlotStyle : std::int32_t {
    kStyleBar = 1,
    kStyleFilledBar = 2,
    kStyleStep = 3,
    kStyleLine = 4,
    kStyleDot = 5,
    kStyleFunction = 6,
};

// Draws the bins of a BinPlotData in one of six styles. Bins of one pixel or
// less are drawn per pixel column, so that a long histogram in a narrow plot
// shows its envelope instead of a smear.
class BinPlotter : public Plotter {
public:
    BinPlotter();

    // False (nothing changes) for a value that is not a style.
    bool SetStyle(std::int32_t style);
    std::int32_t Style() const { return style_; }
    // The width used when the data does not give one. A width that is not
    // above zero is refused with "Broken bin size".
    void SetBinWidth(double width);
    double BinWidth() const { return binWidth_; }
    // The value the bars stand on (or, below it, hang from), kept inside the
    // plot; none: the plot's bottom. A correlation coefficient needs zero.
    void SetBaseValue(std::optional<double> value);
    std::optional<double> BaseValue() const { return baseValue_; }
    // Only bin data is taken; anything else is refused with
    // "Wrong data format". None detaches the data.
    void SetPlotData(PlotDataBase* data, bool owned = false) override;
    BinPlotData* BinData() const;

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

    // Half the width and height of a marker, in device pixels.
    static ui::TSize MarkerHalfSize(const ui::TDC& dc);

private:
    std::int32_t style_ = kStyleBar;
    double binWidth_ = 1.0;
    std::optional<double> baseValue_;
};

} // namespace DUdido1
