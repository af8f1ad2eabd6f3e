#pragma once

#include <functional>
#include <vector>

#include "graph/Annotation.h"

namespace DUdido1 {

// One value per bin joined at the bins' centres with the DC's pen: each run
// of finite values whose centre lies in [left, right] is one polyline, so
// that a dashed pen keeps its pattern across bins. Bin i spans
// [firstBin + i x binWidth, firstBin + (i + 1) x binWidth).
void DrawBinPolylines(ui::TDC& dc, const std::vector<double>& values, double firstBin, double binWidth,
                      std::pair<double, double> visible, const std::function<ui::TPoint(double, double)>& toPixel);

// Lines over a histogram's bars, one value per bin joined at the bins'
// centres, in black. The drawer draws annotations after the plotters, so
// the lines lie over the bars.
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
