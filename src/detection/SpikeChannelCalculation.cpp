#include "detection/SpikeChannelCalculation.h"

#include "detection/SpikeChannelCalculationDialog.h"
#include "detection/SpikeData.h"
#include "host/IHostDocument.h"
#include "platform/com/BinStream.h"
#include "platform/error/XVEX.h"

namespace Nerolith {

SpikeChannelCalculation::SpikeChannelCalculation(IUnknown* hostDocument)
    : UnknownImpl(1), hostDocument_(hostDocument)
{
}

HRESULT SpikeChannelCalculation::ExpressionText(VEX::String* text)
{
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = settings_.ExpressionText();
    return S_OK;
}

HRESULT SpikeChannelCalculation::CheckChannel(std::int32_t channel, VEX::String* message)
{
    if (message == nullptr) {
        return E_POINTER;
    }
    if (IsAnalysisChannel(channel)) {
        *message = kAnalysisChannelRefusal;
        return E_FAIL;
    }
    return S_OK;
}

// The spike store is attached to the host document as well as to each
// analysed channel, and a lookup on a channel may fall back to the
// document; so the channel counts as analysed when the store found from it
// has the channel's spike event source registered.
bool SpikeChannelCalculation::IsAnalysisChannel(std::int32_t channel) const
{
    const ComPtr<IHostDocument> document = HostDocument();
    if (!document) {
        return false;
    }
    ComPtr<IGrafoDataChildData> child;
    if (document->FindChildData(channel, SpikeData::ChildDataKey(), child.Put()) != S_OK) {
        return false;
    }
    const SpikeData* store = SpikeData::FromChildData(child.Get());
    return store != nullptr && store->Units().ChannelIdentifiers(channel).has_value();
}

ComPtr<IHostDocument> SpikeChannelCalculation::HostDocument() const
{
    ComPtr<IHostDocument> document;
    if (hostDocument_ != nullptr) {
        hostDocument_->QueryInterface(IHostDocument::iid, reinterpret_cast<void**>(document.Put()));
    }
    return document;
}

HRESULT SpikeChannelCalculation::EditSettings()
{
    const ComPtr<IHostDocument> document = HostDocument();
    ComPtr<IGrafoDataChildData> child;
    ComPtr<IHostServices> services;
    if (document) {
        document->FindChildData(-1, SpikeData::ChildDataKey(), child.Put());
        document->GetServices(services.Put());
    }
    // Before any analysis there is no store: the dialog offers no unit.
    const SpikeData* store = SpikeData::FromChildData(child.Get());
    const UnitCatalog none(nullptr);
    SpikeChannelCalculationDialog dialog(nullptr, store != nullptr ? store->Units() : none, services.Get(),
                                         settings_);
    if (dialog.Execute() != platform::ui::IDOK) {
        return S_FALSE;
    }
    settings_ = dialog.Settings();
    return S_OK;
}

HRESULT SpikeChannelCalculation::SaveSettings(IStream* stream)
{
    if (stream == nullptr) {
        return E_POINTER;
    }
    VEX::BinOStream out(stream);
    settings_.Write(out);
    return out.Good() ? S_OK : E_FAIL;
}

HRESULT SpikeChannelCalculation::LoadSettings(IStream* stream)
{
    if (stream == nullptr) {
        return E_POINTER;
    }
    try {
        VEX::BinIStream in(stream);
        return settings_.Read(in) ? S_OK : E_FAIL;
    } catch (const VEX::XVEX&) {
        return E_FAIL;
    }
}

} // namespace Nerolith
