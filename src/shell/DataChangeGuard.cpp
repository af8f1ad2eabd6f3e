#include "shell/DataChangeGuard.h"

#include "module/StringTable.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {

bool DataChangeGuard::Affects(Host::Position position) const
{
    for (const auto& [channel, record] : doc_.Settings().Channels()) {
        if (record.analyzed && !RangeIsEmpty(record) && position <= record.rangeEnd) {
            return true;
        }
    }
    return false;
}

void DataChangeGuard::ClearAnalyses()
{
    doc_.ClearAllAnalyses();
    doc_.ClearChannelAnalysis(doc_.Settings().sourceChannel);
    doc_.AfterChange();
}

HRESULT DataChangeGuard::Before(Host::Position position, VEX::String* error)
{
    changeAnnounced_ = true;
    if (!doc_.Settings().AnyAnalyzed() || !Affects(position)) {
        return S_OK;
    }
    const Host::MessageAnswer answer = doc_.ShowMessage(Strings::kClearAnalysisWarning,
                                                        Host::MessageButtons::OkCancel, Host::MessageIcon::Warning);
    clearConfirmed_ = answer == Host::MessageAnswer::Ok;
    if (!clearConfirmed_) {
        changeAnnounced_ = false;
        if (error != nullptr) {
            *error = VEX::String(u"Grafo data not modified.");
        }
        return E_FAIL;
    }
    ClearAnalyses();
    return S_OK;
}

HRESULT DataChangeGuard::After(Host::Position position)
{
    if (!changeAnnounced_ && doc_.Settings().AnyAnalyzed() && Affects(position)) {
        // The data already changed, so there is nothing left to refuse: the
        // user is told, and the analyses that no longer match are cleared.
        doc_.ShowMessage(Strings::kClearAnalysisWarning, Host::MessageButtons::Ok, Host::MessageIcon::Warning);
        clearConfirmed_ = true;
    }
    changeAnnounced_ = false;
    if (clearConfirmed_) {
        ClearAnalyses();
        clearConfirmed_ = false;
    }
    return S_OK;
}

} // namespace Nerolith
