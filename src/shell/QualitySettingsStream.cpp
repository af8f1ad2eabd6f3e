#include "shell/QualitySettingsStream.h"

#include <array>
#include <cmath>

#include "platform/com/BinStream.h"

namespace Nerolith {
namespace {

// The fields in stream order.
std::array<double*, 7> Fields(Host::QualitySettings& settings)
{
    return {&settings.refractoryMs,         &settings.presenceBinS, &settings.maxRefractoryFraction,
            &settings.minIsolationDistance, &settings.maxLRatio,    &settings.minSnr,
            &settings.minPresence};
}

bool InRange(Host::QualitySettings& settings)
{
    for (double* field : Fields(settings)) {
        if (!std::isfinite(*field) || *field < 0.0) {
            return false;
        }
    }
    return settings.refractoryMs > 0.0 && settings.presenceBinS > 0.0;
}

} // namespace

void WriteQualityExtension(VEX::BinOStream& out, const Host::QualitySettings& settings)
{
    if (settings == Host::QualitySettings{}) {
        return;
    }
    out.WriteUInt32(kQualityExtensionTag);
    out.WriteUInt32(kQualityExtensionVersion);
    Host::QualitySettings copy = settings;
    for (double* field : Fields(copy)) {
        out.WriteDouble(*field);
    }
}

std::optional<Host::QualitySettings> ReadQualityExtension(VEX::BinIStream& in)
{
    std::uint32_t tag = 0;
    std::uint32_t version = 0;
    in.ReadUInt32(tag);
    in.ReadUInt32(version);
    if (!in.Good() || tag != kQualityExtensionTag || version < 1) {
        return std::nullopt;
    }
    Host::QualitySettings settings;
    for (double* field : Fields(settings)) {
        in.ReadDouble(*field);
    }
    if (!in.Good() || !InRange(settings)) {
        return std::nullopt;
    }
    return settings;
}

} // namespace Nerolith
