#include "shell/SpikeEventDrawClass.h"

#include <cstring>
#include <locale>
#include <new>
#include <sstream>

#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr CLSID kSpikeEventDrawClassId{0x4E524C02, 0x0009, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x09}};

} // namespace

VEX::String SpikeMarkerHint(const SpikeEvent& spike, const VEX::String& unitText,
                            std::optional<std::size_t> storeIndex)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << "Spike: height = " << spike.height << ' ' << unitText.ToUtf8() << ", width = " << spike.width * 1000.0
         << " ms";
    if (storeIndex) {
        text << ", Spike " << *storeIndex + 1;
    }
    if (spike.unit != -1) {
        text << ", Unit " << std::int64_t{spike.unit} + 1;
    }
    return VEX::String::FromUtf8(text.str());
}

HRESULT SpikeEventDrawClass::Name(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = VEX::String(u"QzStimEventDrawClass");
    return S_OK;
}

HRESULT SpikeEventDrawClass::HintText(const void* event, std::int32_t eventSize, std::int32_t channel,
                                      std::int32_t block, VEX::String* text)
{
    if (event == nullptr || text == nullptr) {
        return E_POINTER;
    }
    if (eventSize < static_cast<std::int32_t>(sizeof(SpikeEvent))) {
        return E_INVALIDARG;
    }
    SpikeEvent spike;
    std::memcpy(&spike, event, sizeof spike);
    VEX::String unitText;
    std::optional<std::size_t> index;
    if (doc_ != nullptr) {
        unitText = doc_->ChannelUnitText(channel);
        index = doc_->FindSpike(channel, {spike.tick, block});
    }
    *text = SpikeMarkerHint(spike, unitText, index);
    return S_OK;
}

Host::ClassRegistration SpikeEventDrawClassRegistration()
{
    // A static for the life of the module; the extra reference keeps the
    // host's Release from deleting it.
    static SpikeEventDrawClass* drawClass = [] {
        auto* object = new (std::nothrow) SpikeEventDrawClass();
        if (object != nullptr) {
            object->AddRef();
        }
        return object;
    }();
    Host::ClassRegistration registration;
    registration.role = Host::ClassRole::EventDraw;
    registration.classId = kSpikeEventDrawClassId;
    registration.object = static_cast<IEventDrawClass*>(drawClass);
    return registration;
}

} // namespace Nerolith
