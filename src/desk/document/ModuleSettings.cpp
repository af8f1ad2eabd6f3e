#include "desk/document/ModuleSettings.h"

#include <cstdio>
#include <string>

#include "desk/document/DocumentError.h"
#include "platform/com/MemoryStream.h"
#include "platform/error/XVEX.h"

namespace Desk {
namespace {

void RequirePersistence(const IPersistStreamInit* persistence)
{
    if (persistence == nullptr) {
        throw DocumentError("the analysis module offers no settings object");
    }
}

[[noreturn]] void FailWith(const char* what, HRESULT result)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    throw DocumentError(std::string(what) + " (result " + code + ")");
}

} // namespace

std::vector<std::uint8_t> SaveSettings(IPersistStreamInit* persistence, bool clearDirty)
{
    RequirePersistence(persistence);
    // Unbounded, so the module's writes never come up short.
    auto stream = MakeCom<MemoryStream>();
    const HRESULT result = persistence->Save(stream.Get(), clearDirty);
    if (Failed(result)) {
        FailWith("the analysis module could not save its settings", result);
    }
    return stream->Bytes();
}

void LoadSettings(IPersistStreamInit* persistence, std::span<const std::uint8_t> bytes)
{
    RequirePersistence(persistence);
    auto stream = MakeCom<MemoryStream>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    HRESULT result = S_OK;
    try {
        result = persistence->Load(stream.Get());
    } catch (const VEX::XVEX& error) {
        throw DocumentError(std::string("the analysis module's settings could not be read: ") + error.what());
    }
    if (Failed(result)) {
        FailWith("the analysis module could not load its settings", result);
    }
}

} // namespace Desk
