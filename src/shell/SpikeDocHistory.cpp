// The analysis document's undo and redo: the settings stream before each
// edit, restored as the host would load it, the units rebuilt and the
// source channel analysed again.
#include <exception>
#include <set>

#include "platform/com/MemoryStream.h"
#include "shell/PersistStreamSettings.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {

SpikeDoc::RecordedEdit::RecordedEdit(SpikeDoc& doc) : doc_(doc)
{
    if (doc_.editDepth_++ == 0 && !doc_.restoring_) {
        before_ = doc_.SettingsStream();
    }
}

SpikeDoc::RecordedEdit::~RecordedEdit()
{
    --doc_.editDepth_;
    if (!before_) {
        return;
    }
    try {
        if (doc_.SettingsStream() != *before_) {
            doc_.history_.Record(std::move(*before_));
        }
    } catch (const std::exception&) {
        // Out of memory: the edit stands, it just cannot be undone.
    }
}

EditHistory::Stream SpikeDoc::SettingsStream()
{
    const auto stream = MakeCom<MemoryStream>();
    persistence_->Save(stream.Get(), false);
    return stream->Bytes();
}

HRESULT SpikeDoc::Undo()
{
    if (IsSampling()) {
        return E_FAIL;
    }
    const std::optional<EditHistory::Stream> earlier = history_.Undo(SettingsStream());
    if (!earlier) {
        return S_FALSE;
    }
    RestoreSettingsStream(*earlier);
    return S_OK;
}

HRESULT SpikeDoc::Redo()
{
    if (IsSampling()) {
        return E_FAIL;
    }
    const std::optional<EditHistory::Stream> later = history_.Redo(SettingsStream());
    if (!later) {
        return S_FALSE;
    }
    RestoreSettingsStream(*later);
    return S_OK;
}

// Every unit goes back to waiting for its channel, as in a loaded document;
// the channels that have a store rebuild theirs at once, in the stream's
// order, so the units keep their numbers and places.
void SpikeDoc::RestoreSettingsStream(const EditHistory::Stream& stream)
{
    restoring_ = true;
    UnitCatalog& units = store_->Units();
    while (!units.Units().empty()) {
        const std::int32_t number = units.Units().front()->Number();
        units.DeleteUnit(number);
        views_.RemovePane(number);
    }
    const auto in = MakeCom<MemoryStream>(stream);
    persistence_->Load(in.Get());
    std::set<std::int32_t> rebuilt;
    for (const UnitRecord& record : std::deque<UnitRecord>(units.PendingUnits())) {
        if (ChannelHasStore(record.channel) && rebuilt.insert(record.channel).second) {
            RebuildUnits(record.channel);
        }
    }
    views_.ReadSettings();
    AnalyzeChannel(settings_->sourceChannel);
    restoring_ = false;
    AfterChange();
}

} // namespace Nerolith
