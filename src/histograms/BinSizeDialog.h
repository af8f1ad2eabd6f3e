#pragma once

#include <cstdint>

#include "platform/ui/TDialog.h"

namespace Nerolith {

// "Set Bin Size": one bin size, from the smallest a view takes up to the
// largest double, with the units it is in ("s" for the time analyses, the
// channel's units for amplitudes).
class BinSizeDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kBinSize = 1101;
    static constexpr std::int32_t kUnits = 1102;

    BinSizeDialog(platform::ui::TWindow* parent, double binSize, const VEX::String& units);

    // The bin size entered, once the dialog closed with OK.
    double BinSize() const { return binSize_; }
    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    double binSize_;
    VEX::String units_;
};

} // namespace Nerolith
