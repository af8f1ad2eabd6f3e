#pragma once

#include <cstdint>
#include <string>

#include "graph/Annotation.h"

namespace DUdido1 {

// On an X axis of log10 seconds, each whole decade in view marked along the
// plot's top edge with its time ("1 ms", "10 ms", "1 s"), which the axis'
// own ticks in log10 units leave the reader to work out. Hidden until shown.
class DecadeLabels : public Annotation {
public:
    void SetShown(bool shown) { shown_ = shown; }
    bool IsShown() const { return shown_; }

    // 10^exponent seconds in the largest unit that keeps it whole.
    static std::u16string DecadeText(std::int32_t exponent);

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    bool shown_ = false;
};

} // namespace DUdido1
