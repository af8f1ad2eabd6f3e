#pragma once

#include <cstdint>
#include <optional>

#include "host/UnitQuality.h"

namespace VEX {
class BinIStream;
class BinOStream;
} // namespace VEX

namespace Nerolith {

// The unit quality settings travel after the last field of the settings
// stream as an extension of their own: a tag word, the extension's version,
// then the fields. The stream's version stays as it is, so an older build
// reads the stream as before and never reaches the extension; a later
// extension version only appends fields.
inline constexpr std::uint32_t kQualityExtensionTag = 0x4C41514Eu; // "NQAL"
inline constexpr std::uint32_t kQualityExtensionVersion = 1;

// Writes the extension, or nothing when the settings are the defaults, so
// that a document that never changed them is written as before.
void WriteQualityExtension(VEX::BinOStream& out, const Host::QualitySettings& settings);
// The settings of an extension at this point of the stream; none when the
// stream ends, holds something else, or holds fields out of range.
std::optional<Host::QualitySettings> ReadQualityExtension(VEX::BinIStream& in);

} // namespace Nerolith
