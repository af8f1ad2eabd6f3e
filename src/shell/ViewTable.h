#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "host/ISpikeDocInterface.h"
#include "module/SpikeNotification.h"
#include "module/SpikeView.h"

namespace Nerolith {

// The views attached to an analysis document: at most eight, one slot each.
// It does not own them; a view takes itself out as it closes.
class ViewTable {
public:
    static constexpr std::size_t kSlots = 8;

    // False when every slot is taken.
    bool Add(SpikeView& view);
    void Remove(SpikeView& view);
    SpikeView* Find(Host::ViewKind kind) const;
    void ForEach(const std::function<void(SpikeView&)>& action) const;

    // A notification to one view, then after a spike the spike's unit and
    // after a reference event the pseudo-unit of references.
    static void Forward(SpikeView& view, const SpikeNotification& notification);
    void Broadcast(const SpikeNotification& notification) const;

    void Reset() const;
    void ReadSettings() const;
    void Recompute() const;
    void Refresh() const;
    void Advance(std::int32_t block, double time) const;
    void AddPane(std::int32_t unit) const;
    void RemovePane(std::int32_t unit) const;
    void RefreshDiscriminator() const;

private:
    std::array<SpikeView*, kSlots> views_{};
};

} // namespace Nerolith
