#include "shell/SpikeDocClass.h"

#include <new>

#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr CLSID kSpikeDocClassId{0x4E524C02, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
// The host framework's document class, which analysis documents derive from.
constexpr CLSID kHostDocumentClassId{0x4E524C03, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
constexpr std::uint32_t kDocumentClassVersion = 1;
constexpr std::uint32_t kDocumentClassFlags = 1;

} // namespace

HRESULT SpikeDocClass::CreateDocument(IHostDocument* host, IUnknown** document)
{
    if (document == nullptr) {
        return E_POINTER;
    }
    *document = nullptr;
    if (host == nullptr) {
        return E_INVALIDARG;
    }
    const ComPtr<SpikeDoc> doc = ComPtr<SpikeDoc>::Attach(new SpikeDoc(host));
    return doc->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(document));
}

Host::ClassRegistration SpikeDocClassRegistration()
{
    // A static for the life of the module; the extra reference keeps the
    // host's Release from deleting it.
    static SpikeDocClass* documentClass = [] {
        auto* object = new (std::nothrow) SpikeDocClass();
        if (object != nullptr) {
            object->AddRef();
        }
        return object;
    }();
    Host::ClassRegistration registration;
    registration.role = Host::ClassRole::Document;
    registration.displayName = VEX::String(u"Nerolith View Document");
    registration.classId = kSpikeDocClassId;
    registration.parentClassId = kHostDocumentClassId;
    registration.version = kDocumentClassVersion;
    registration.flags = kDocumentClassFlags;
    registration.object = documentClass;
    return registration;
}

} // namespace Nerolith
