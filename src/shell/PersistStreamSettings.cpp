#include "shell/PersistStreamSettings.h"

#include "module/AnalysisSettings.h"
#include "module/StringTable.h"
#include "platform/com/BinStream.h"
#include "shell/QualitySettingsStream.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr CLSID kSettingsClassId{0x4E524C02, 0x0010, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x10}};
constexpr std::uint32_t kFirstCurrentLayout = 3;
// A channel record takes at least its fixed fields: five words, five
// doubles and four range words.
constexpr std::uint32_t kSmallestChannelRecord = 5 * 4 + 5 * 8 + 4 * 4;
// An entry of the layout before version 3: a word and four doubles.
constexpr std::uint32_t kSmallestOldEntry = 4 + 4 * 8;
constexpr std::uint32_t kOldKindWithText = 2;

// Reads into `target` only when the read succeeds, so that a short stream
// leaves the default in place instead of a zero.
void ReadBool(VEX::BinIStream& in, bool& target)
{
    bool value = false;
    in.ReadBool(value);
    if (in.Good()) {
        target = value;
    }
}

void WriteChannelRecord(VEX::BinOStream& out, const ChannelAnalysisRecord& record)
{
    out.WriteInt32(record.channel);
    out.WriteBool(record.useSelection);
    out.WriteDouble(record.detectionThreshold);
    out.WriteDouble(record.pretriggerTime);
    out.WriteDouble(record.totalTriggerTime);
    out.WriteBool(record.analyzed);
    out.WriteInt32(record.rangeStart.block);
    out.WriteInt32(record.rangeStart.tick);
    out.WriteInt32(record.rangeEnd.block);
    out.WriteInt32(record.rangeEnd.tick);
    out.WriteInt32(record.discriminationMode);
    out.WriteInt32(record.signalMode);
    out.WriteBool(record.optionFlag);
    out.WriteDouble(record.optionValue1);
    out.WriteDouble(record.defaultFitTolerance);
    out.WriteString(record.referenceSource);
    out.WriteString(record.stimulusSource);
}

// Versions before a field was a string held a word in its place, or nothing.
void ReadSourceText(VEX::BinIStream& in, std::uint32_t version, std::uint32_t firstText, std::uint32_t firstWord,
                    VEX::String& text)
{
    if (version >= firstText) {
        in.ReadString(text);
    } else if (version >= firstWord) {
        std::int32_t dropped = 0;
        in.ReadInt32(dropped);
    }
}

void ReadChannelRecord(VEX::BinIStream& in, std::uint32_t version, ChannelAnalysisRecord& record)
{
    in.ReadInt32(record.channel);
    ReadBool(in, record.useSelection);
    in.ReadDouble(record.detectionThreshold);
    in.ReadDouble(record.pretriggerTime);
    in.ReadDouble(record.totalTriggerTime);
    ReadBool(in, record.analyzed);
    in.ReadInt32(record.rangeStart.block);
    in.ReadInt32(record.rangeStart.tick);
    in.ReadInt32(record.rangeEnd.block);
    in.ReadInt32(record.rangeEnd.tick);
    in.ReadInt32(record.discriminationMode);
    if (version >= 7) {
        in.ReadInt32(record.signalMode);
    }
    ReadBool(in, record.optionFlag);
    in.ReadDouble(record.optionValue1);
    in.ReadDouble(record.defaultFitTolerance);
    ReadSourceText(in, version, 9, 5, record.referenceSource);
    ReadSourceText(in, version, 8, 6, record.stimulusSource);
}

// The layout before version 3 holds nothing the document still uses; its
// entries are read past.
void SkipOldLayout(VEX::BinIStream& in)
{
    std::uint32_t count = 0;
    std::uint32_t kind = 0;
    in.ReadCount(count, kSmallestOldEntry);
    in.ReadUInt32(kind);
    for (std::uint32_t i = 0; i < count && in.Good(); ++i) {
        std::uint32_t word = 0;
        double value = 0.0;
        in.ReadUInt32(word);
        for (int k = 0; k < 4; ++k) {
            in.ReadDouble(value);
        }
        if (kind == kOldKindWithText) {
            VEX::String text;
            in.ReadString(text);
        }
    }
}

} // namespace

void WriteAnalysisSettings(VEX::BinOStream& out, const AnalysisSettings& settings)
{
    out.WriteBool(settings.showSpikeMarkers);
    out.WriteBool(settings.analyzeWhileSampling);
    out.WriteInt32(settings.sourceChannel);
    out.WriteUInt32(static_cast<std::uint32_t>(settings.Channels().size()));
    for (const auto& entry : settings.Channels()) {
        WriteChannelRecord(out, entry.second);
    }
}

std::int32_t ReadAnalysisSettings(VEX::BinIStream& in, std::uint32_t version, AnalysisSettings& settings)
{
    std::int32_t defaulted = 0;
    ReadBool(in, settings.showSpikeMarkers);
    if (version >= 4) {
        ReadBool(in, settings.analyzeWhileSampling);
    }
    std::int32_t sourceChannel = settings.sourceChannel;
    in.ReadInt32(sourceChannel);
    if (sourceChannel >= 0) {
        settings.sourceChannel = sourceChannel;
    }
    std::uint32_t count = 0;
    in.ReadCount(count, kSmallestChannelRecord);
    for (std::uint32_t i = 0; i < count && in.Good(); ++i) {
        ChannelAnalysisRecord record;
        ReadChannelRecord(in, version, record);
        if (!in.Good() || record.channel < 0) {
            continue;
        }
        if (!RecordIsFinite(record)) {
            ++defaulted;
            const std::int32_t channel = record.channel;
            record = ChannelAnalysisRecord();
            record.channel = channel;
        }
        settings.SetRecord(record);
    }
    return defaulted;
}

template <typename Doc>
HRESULT PersistStreamSettings<Doc>::GetClassID(CLSID* classId)
{
    if (classId == nullptr) {
        return E_POINTER;
    }
    *classId = kSettingsClassId;
    return S_OK;
}

template <typename Doc>
HRESULT PersistStreamSettings<Doc>::IsDirty()
{
    if (doc_ == nullptr) {
        return E_FAIL;
    }
    return doc_->Modified() ? S_OK : S_FALSE;
}

template <typename Doc>
HRESULT PersistStreamSettings<Doc>::Load(IStream* stream)
{
    if (doc_ == nullptr) {
        return E_FAIL;
    }
    if (stream == nullptr) {
        return E_POINTER;
    }
    loaded_ = true;
    VEX::BinIStream in(stream);
    std::uint32_t version = 0;
    in.ReadUInt32(version);
    if (!in.Good()) {
        return S_OK;
    }
    if (version > kSettingsVersion) {
        doc_->ShowMessage(Strings::kLaterVersion, Host::MessageButtons::Ok, Host::MessageIcon::Warning);
    } else if (version >= kFirstCurrentLayout) {
        ReadCurrentLayout(in, version);
    } else {
        SkipOldLayout(in);
    }
    in.Release();
    return S_OK;
}

// Everything is read before anything is replaced, so that a malformed string
// on the way leaves the document as it was.
template <typename Doc>
void PersistStreamSettings<Doc>::ReadCurrentLayout(VEX::BinIStream& in, std::uint32_t version)
{
    AnalysisSettings settings;
    const std::int32_t defaulted = ReadAnalysisSettings(in, version, settings);
    UnitCatalog units(nullptr);
    units.ReadUnits(in);
    HandAssignments assignments;
    assignments.Read(in);
    std::int32_t selectedUnit = -1;
    std::optional<Host::QualitySettings> quality;
    if (version >= 10) {
        in.ReadInt32(selectedUnit);
        quality = ReadQualityExtension(in);
    }
    doc_->ReplaceSettings(std::move(settings));
    doc_->ReplacePendingUnits(units.PendingUnits());
    doc_->Store().Units().Assignments() = std::move(assignments);
    doc_->SelectUnit(selectedUnit);
    doc_->ReplaceQualitySettings(quality.value_or(Host::QualitySettings{}));
    doc_->MarkSettingsLoaded();
    if (defaulted > 0) {
        doc_->ShowMessage(Strings::kNonFiniteSettings, Host::MessageButtons::Ok, Host::MessageIcon::Warning);
    }
}

template <typename Doc>
HRESULT PersistStreamSettings<Doc>::Save(IStream* stream, bool clearDirty)
{
    if (doc_ == nullptr) {
        return E_FAIL;
    }
    if (stream == nullptr) {
        return E_POINTER;
    }
    VEX::BinOStream out(stream);
    out.WriteUInt32(kSettingsVersion);
    WriteAnalysisSettings(out, doc_->Settings());
    doc_->Store().Units().WriteUnits(out);
    doc_->Store().Units().Assignments().Write(out);
    out.WriteInt32(doc_->SelectedUnitNumber());
    WriteQualityExtension(out, doc_->QualitySettings());
    const bool complete = out.Good();
    out.Release();
    if (!complete) {
        return E_FAIL;
    }
    if (clearDirty) {
        doc_->SetModified(false);
    }
    return S_OK;
}

template <typename Doc>
HRESULT PersistStreamSettings<Doc>::GetSizeMax(std::uint64_t*)
{
    return E_NOTIMPL;
}

template <typename Doc>
HRESULT PersistStreamSettings<Doc>::InitNew()
{
    if (doc_ == nullptr) {
        return E_FAIL;
    }
    if (!doc_->SettingsRegistered() && !loaded_) {
        return S_FALSE;
    }
    doc_->ReplaceSettings(AnalysisSettings());
    doc_->ReplaceQualitySettings(Host::QualitySettings{});
    return S_OK;
}

template class PersistStreamSettings<SpikeDoc>;

} // namespace Nerolith
