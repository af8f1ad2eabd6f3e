#pragma once

#include <optional>

#include "host/IHostSelection.h"

namespace Desk {

// The user's selection in the host's channel display.
class HostSelection final : public UnknownImpl<IHostSelection> {
public:
    struct Range {
        std::int32_t channel;
        Host::Position start;
        Host::Position end;
        double minimumValue;
        double maximumValue;
    };

    HRESULT GetSelection(std::int32_t* channel, Host::Position* start, Host::Position* end) override;
    HRESULT SetSelection(std::int32_t channel, Host::Position start, Host::Position end, double minimumValue,
                         double maximumValue) override;

    const std::optional<Range>& Current() const { return current_; }
    void Clear() { current_.reset(); }

private:
    std::optional<Range> current_;
};

} // namespace Desk
