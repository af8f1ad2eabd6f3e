#pragma once

#include "graph/Queen.h"

namespace DUdido1 {

// A point handle: a small filled square centred on its position, grabbed
// by the nearest press.
class QueenBlob : public Queen {
public:
    QueenBlob();

    // The squared pixel distance from the blob's centre.
    double HitDistance(std::int32_t x, std::int32_t y) const override;
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;
};

} // namespace DUdido1
