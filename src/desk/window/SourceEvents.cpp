#include "desk/window/SourceEvents.h"

#include <climits>
#include <cstring>

#include "platform/com/ComPtr.h"

namespace Desk {
namespace {

constexpr std::uint32_t kBatch = 256;

// Reads every record the enumerator has now into `each` (tick, record).
template <class Each>
void ReadAll(IEnumEventEx& events, std::int32_t endTick, Each each)
{
    const std::int32_t size = events.EventSize();
    if (size < static_cast<std::int32_t>(sizeof(Host::EventHeader))) {
        return;
    }
    std::vector<std::byte> buffer(static_cast<std::size_t>(size) * kBatch);
    for (;;) {
        std::uint32_t count = 0;
        std::int32_t reached = 0;
        const HRESULT result = events.Next(size, endTick, buffer.data(), kBatch, &count, &reached);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::byte* record = buffer.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(size);
            Host::EventHeader header;
            std::memcpy(&header, record, sizeof header);
            each(header.tick, record, size);
        }
        // Done, failed, or nothing more yet while a block grows.
        if (result != S_OK || count == 0) {
            return;
        }
    }
}

} // namespace

std::vector<Host::Position> SourceEventPositions(IHostCalc& calc, std::int32_t position, std::int32_t blocks)
{
    std::vector<Host::Position> positions;
    for (std::int32_t block = 0; block < blocks; ++block) {
        ComPtr<IEnumEventEx> events;
        if (Failed(calc.OpenSourceEvents(position, block, 0, INT_MAX, events.Put())) || !events) {
            continue;
        }
        ReadAll(*events, -1, [&](std::int32_t tick, const std::byte*, std::int32_t) {
            positions.push_back({tick, block});
        });
    }
    return positions;
}

std::optional<SourceEvent> SourceEventAt(IHostCalc& calc, const VEX::String& source, Host::Position at)
{
    std::int32_t position = Host::kAbsentSource;
    ComPtr<IEnumEventEx> events;
    if (calc.ResolveEventSource(source, &position) != S_OK ||
        Failed(calc.OpenSourceEvents(position, at.block, at.tick, at.tick + 1, events.Put())) || !events) {
        return std::nullopt;
    }
    std::optional<SourceEvent> found;
    ReadAll(*events, at.tick + 1, [&](std::int32_t tick, const std::byte* record, std::int32_t size) {
        if (tick == at.tick && !found) {
            found = SourceEvent{at, std::vector<std::byte>(record, record + size)};
        }
    });
    return found;
}

} // namespace Desk
