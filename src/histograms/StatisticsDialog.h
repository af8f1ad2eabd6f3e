#pragma once

#include <cstdint>

#include "platform/ui/TDialog.h"

namespace Nerolith {

// "Statistics Options": which statistics the panes of a view show, one
// check box per StatisticsOption bit.
class StatisticsDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kMeanX = 1201;
    static constexpr std::int32_t kSdX = 1202;
    static constexpr std::int32_t kSemX = 1203;
    static constexpr std::int32_t kMinY = 1204;
    static constexpr std::int32_t kMaxY = 1205;
    static constexpr std::int32_t kMeanY = 1206;
    static constexpr std::int32_t kSdY = 1207;

    StatisticsDialog(platform::ui::TWindow* parent, std::int32_t options);

    // Once closed with OK: every option bit set but those of the boxes left
    // unchecked.
    std::int32_t Options() const { return options_; }
    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    std::int32_t options_;
};

} // namespace Nerolith
