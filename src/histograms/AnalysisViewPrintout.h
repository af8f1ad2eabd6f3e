#pragma once

#include "platform/ui/Print.h"

namespace Nerolith {

class AnalysisView;

// An analysis view on paper: one landscape page with the view's panes
// laid out to fill it.
class AnalysisViewPrintout final : public platform::ui::TPrintout {
public:
    explicit AnalysisViewPrintout(AnalysisView& view);

    bool Landscape() const override { return true; }
    void PrintPage(platform::ui::TDC& dc, std::int32_t page, const platform::ui::TRect& pageRect) override;

private:
    AnalysisView& view_;
};

} // namespace Nerolith
