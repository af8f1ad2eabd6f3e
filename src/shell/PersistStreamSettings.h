#pragma once

#include <cstdint>

#include "platform/com/Stream.h"

namespace VEX {
class BinIStream;
class BinOStream;
} // namespace VEX

namespace Nerolith {

class AnalysisSettings;

// The settings stream's version as this build writes it; a stream of a
// later version is refused.
inline constexpr std::uint32_t kSettingsVersion = 10;

// Writes and reads the document-wide settings and the channel records of
// the settings stream (the units and hand assignments follow them).
void WriteAnalysisSettings(VEX::BinOStream& out, const AnalysisSettings& settings);
// Reads a stream of `version` 3 to 10 into `settings`, which holds the
// defaults; fields a short stream does not reach keep them, and a record cut
// short is dropped. A record holding a number that is not finite keeps the
// defaults for its channel; returns how many did.
std::int32_t ReadAnalysisSettings(VEX::BinIStream& in, std::uint32_t version, AnalysisSettings& settings);

// The document's persistence: the host saves and loads the settings, units,
// hand assignments and selected unit through it as one binary stream. It
// lives as long as the host holds it; once its document is gone every call
// fails.
template <typename Doc>
class PersistStreamSettings final : public UnknownImpl<IPersistStreamInit> {
public:
    explicit PersistStreamSettings(Doc* doc) : UnknownImpl(1), doc_(doc) {}

    HRESULT GetClassID(CLSID* classId) override;
    // S_OK when the document has unsaved changes, else S_FALSE.
    HRESULT IsDirty() override;
    // Reads a stream of any earlier version; one from a later version is
    // refused with a message and changes nothing. A malformed string raises
    // VEX::XVEX, and then nothing of the settings has changed.
    HRESULT Load(IStream* stream) override;
    // E_FAIL when the stream took less than everything: the document then
    // stays modified.
    HRESULT Save(IStream* stream, bool clearDirty) override;
    HRESULT GetSizeMax(std::uint64_t* size) override;
    // Back to the defaults, once the settings were registered or loaded.
    HRESULT InitNew() override;

    void Detach() { doc_ = nullptr; }
    bool Loaded() const { return loaded_; }

private:
    void ReadCurrentLayout(VEX::BinIStream& in, std::uint32_t version);

    Doc* doc_;
    bool loaded_ = false;
};

} // namespace Nerolith
