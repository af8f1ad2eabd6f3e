#include "shell/ViewTable.h"

#include <algorithm>

namespace Nerolith {

bool ViewTable::Add(SpikeView& view)
{
    const auto free = std::find(views_.begin(), views_.end(), nullptr);
    if (free == views_.end()) {
        return false;
    }
    *free = &view;
    return true;
}

void ViewTable::Remove(SpikeView& view)
{
    std::replace(views_.begin(), views_.end(), &view, static_cast<SpikeView*>(nullptr));
}

SpikeView* ViewTable::Find(Host::ViewKind kind) const
{
    const auto found = std::find_if(views_.begin(), views_.end(),
                                    [kind](const SpikeView* view) { return view != nullptr && view->Kind() == kind; });
    return found == views_.end() ? nullptr : *found;
}

void ViewTable::ForEach(const std::function<void(SpikeView&)>& action) const
{
    for (SpikeView* view : views_) {
        if (view != nullptr) {
            action(*view);
        }
    }
}

void ViewTable::Forward(SpikeView& view, const SpikeNotification& notification)
{
    view.Notify(notification);
    if (notification.code == SpikeNotification::kSpike) {
        view.NotifyUnit(notification.unit);
    } else if (notification.code == SpikeNotification::kReference) {
        view.NotifyUnit(kReferenceUnit);
    }
}

void ViewTable::Broadcast(const SpikeNotification& notification) const
{
    ForEach([&notification](SpikeView& view) { Forward(view, notification); });
}

void ViewTable::Reset() const
{
    ForEach([](SpikeView& view) { view.Reset(); });
}

void ViewTable::ReadSettings() const
{
    ForEach([](SpikeView& view) { view.ReadSettings(); });
}

void ViewTable::Recompute() const
{
    ForEach([](SpikeView& view) { view.Recompute(); });
}

void ViewTable::Refresh() const
{
    ForEach([](SpikeView& view) { view.Refresh(); });
}

void ViewTable::Advance(std::int32_t block, double time) const
{
    ForEach([block, time](SpikeView& view) { view.DataAdvanced(block, time); });
}

void ViewTable::AddPane(std::int32_t unit) const
{
    ForEach([unit](SpikeView& view) { view.AddPane(unit); });
}

void ViewTable::RemovePane(std::int32_t unit) const
{
    ForEach([unit](SpikeView& view) { view.RemovePane(unit); });
}

void ViewTable::RefreshDiscriminator() const
{
    if (SpikeView* discriminator = Find(Host::ViewKind::Discriminator)) {
        discriminator->Refresh();
    }
}

} // namespace Nerolith
