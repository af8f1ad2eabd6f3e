#pragma once

#include <vector>

#include "graph/Annotation.h"

namespace DUdido1 {

// Lines over a histogram's bars, one value per bin joined at the bins'
// centres, in black. The drawer draws annotations after the plotters, so
// the lines lie over the bars. Each run of finite values is one polyline,
// so that a dashed pen keeps its pattern across bins.
class BinLines : public Annotation {
public:
    struct Line {
        std::vector<double> values;
        bool dashed = false;
    };

    // Bin i spans [firstBin + i x binWidth, firstBin + (i + 1) x binWidth).
    void SetLines(double firstBin, double binWidth, std::vector<Line> lines);
    const std::vector<Line>& Lines() const { return lines_; }

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    double firstBin_ = 0.0;
    double binWidth_ = 1.0;
    std::vector<Line> lines_;
};

} // namespace DUdido1
