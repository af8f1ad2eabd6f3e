#pragma once

#include "platform/ui/Print.h"

namespace Nerolith {

class DiscriminatorView;

// The discriminator view on paper: one landscape page, the scatter plot on
// its left half and the spike plot on its right, as on screen.
class DiscriminatorPrintout final : public platform::ui::TPrintout {
public:
    explicit DiscriminatorPrintout(DiscriminatorView& view);

    bool Landscape() const override { return true; }
    void PrintPage(platform::ui::TDC& dc, std::int32_t page, const platform::ui::TRect& pageRect) override;

private:
    DiscriminatorView& view_;
};

} // namespace Nerolith
