#pragma once

#include <cstdint>
#include <vector>

#include "host/ICalcEnum.h"
#include "host/IEnumEventEx.h"
#include "platform/com/ComPtr.h"

namespace Nerolith::Enum {

// The events of one unit: passes on, as generic event headers, only the
// spikes of its source whose unit is the selected one.
class Selector final : public UnknownImpl<ICalcEnum, IEnumEventEx> {
public:
    // Handed to the host with a count of 1.
    Selector();

    // One source (the spike events) and one number (the unit).
    HRESULT Setup(ICalcSource* const* sources, std::uint32_t sourceCount, const double* numbers,
                  std::uint32_t numberCount) override;
    HRESULT Open(std::int32_t block, std::int32_t firstTick) override;

    std::int32_t EventSize() override;
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override;
    HRESULT Skip(std::int32_t tick, std::int32_t* position) override;

private:
    std::uint32_t KeepUnitEvents(std::uint32_t fetched, std::uint8_t* out, std::int32_t stride,
                                 std::uint32_t room) const;

    ComPtr<ICalcSource> source_;
    ComPtr<IEnumEventEx> events_;
    std::int32_t unit_ = 0;
    std::int32_t sourceEventSize_ = 0;
    std::vector<std::uint8_t> fetchBuffer_;
};

} // namespace Nerolith::Enum
