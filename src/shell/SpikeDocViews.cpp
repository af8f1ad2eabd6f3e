// The views attached to the analysis document and their settings.
#include "shell/SpikeDoc.h"

#include "platform/ui/Application.h"
#include "platform/ui/TWindow.h"

namespace Nerolith {

bool SpikeDoc::AttachView(SpikeView& view)
{
    if (!views_.Add(view)) {
        return false;
    }
    for (const UnitSummary& unit : store_->Units().List(settings_->sourceChannel)) {
        view.AddPane(unit.number);
    }
    store_->Replay([&view](const SpikeNotification& notification) { ViewTable::Forward(view, notification); });
    return true;
}

void SpikeDoc::DetachView(SpikeView& view) { views_.Remove(view); }

SpikeView* SpikeDoc::FindView(Host::ViewKind kind) const { return views_.Find(kind); }

void SpikeDoc::BroadcastNotification(const SpikeNotification& notification) { views_.Broadcast(notification); }

void SpikeDoc::ResetViews()
{
    // The store was emptied: indices into it no longer name the same
    // spikes, and the noise belongs to the analysis that is gone.
    selectedSpike_.reset();
    noiseSigma_.reset();
    views_.Reset();
}

HRESULT SpikeDoc::OpenView(Host::ViewKind kind)
{
    if (SpikeView* open = FindView(kind)) {
        ShowAgain(*open);
        open->Refresh();
        return S_OK;
    }
    const auto& opener = InstalledWindows().openView;
    return opener ? opener(*this, kind) : E_NOTIMPL;
}

// A view the user closed stays attached, hidden and current, so opening it
// again shows everything analysed meanwhile.
void SpikeDoc::ShowAgain(SpikeView& view)
{
    auto* window = dynamic_cast<platform::ui::TWindow*>(&view);
    if (window != nullptr && !window->IsVisible() && !platform::ui::IsHeadless()) {
        window->Show();
    }
}

HRESULT SpikeDoc::CloseViews()
{
    if (const auto& closer = InstalledWindows().closeViews) {
        closer(*this);
    }
    return S_OK;
}

HRESULT SpikeDoc::SetViewSetting(Host::ViewKind kind, const VEX::String& name, const VEX::String& value)
{
    SpikeView* view = FindView(kind);
    return view != nullptr ? view->SetSetting(name, value) : E_FAIL;
}

HRESULT SpikeDoc::GetViewSetting(Host::ViewKind kind, const VEX::String& name, VEX::String* value)
{
    SpikeView* view = FindView(kind);
    return view != nullptr ? view->GetSetting(name, value) : E_FAIL;
}

} // namespace Nerolith
