#pragma once

#include "graph/Annotation.h"
#include "platform/text/VexString.h"
#include "platform/ui/Color.h"

namespace DUdido1 {

// A text at a point of the data, its top-left corner there; left out when
// the point is outside the plot.
class BasicAnnotation : public Annotation {
public:
    BasicAnnotation(double x, double y, VEX::String text, ui::COLORREF colour = ui::kBlack);

    void SetPosition(double x, double y);
    void SetText(const VEX::String& text) { text_ = text; }
    const VEX::String& Text() const { return text_; }

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    double x_;
    double y_;
    VEX::String text_;
    ui::COLORREF colour_;
};

} // namespace DUdido1
