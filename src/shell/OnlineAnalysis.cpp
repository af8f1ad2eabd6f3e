#include "shell/OnlineAnalysis.h"

#include "module/StringTable.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr std::int16_t kAllowed = -1;
constexpr std::int16_t kRefused = 0;

} // namespace

HRESULT OnlineAnalysis::MayStart(std::int16_t* allowed, VEX::String* message)
{
    if (allowed == nullptr) {
        return E_POINTER;
    }
    const AnalysisSettings& settings = doc_.Settings();
    const ChannelAnalysisRecord* record = settings.FindRecord(settings.sourceChannel);
    if (settings.analyzeWhileSampling && record != nullptr && record->useSelection) {
        *allowed = kRefused;
        if (message != nullptr) {
            *message = LoadString(Strings::kOnlineWithSelection);
        }
        return E_FAIL;
    }
    *allowed = kAllowed;
    return S_OK;
}

HRESULT OnlineAnalysis::Start()
{
    AnalysisSettings& settings = doc_.Settings();
    if (settings.analyzeWhileSampling) {
        settings.SourceRecord().analyzed = true;
    }
    for (const std::int32_t channel : settings.ChannelKeys()) {
        if (settings.Record(channel).analyzed) {
            doc_.EnsureChannelStore(channel);
        }
    }
    doc_.AnalyzeChannel(settings.sourceChannel);
    sampling_ = true;
    markersPending_ = false;
    if (settings.analyzeWhileSampling) {
        doc_.Views().Refresh();
        doc_.EnsureChannelStore(settings.sourceChannel);
    }
    doc_.Views().RefreshDiscriminator();
    return S_OK;
}

bool OnlineAnalysis::CollectsBlock() const
{
    return recorded_ != 0 && doc_.Settings().IsAnalyzedOnline(doc_.Settings().sourceChannel);
}

// The block's description says nothing the analysis needs.
HRESULT OnlineAnalysis::BlockStart(const Host::BlockDescription&, std::int16_t recorded)
{
    recorded_ = recorded;
    received_ = 0;
    blockOpen_ = true;
    if (doc_.Recording() == nullptr || Failed(doc_.Recording()->SampledBlock(&sampledBlock_))) {
        return E_FAIL;
    }
    if (CollectsBlock()) {
        const AnalysisSettings& settings = doc_.Settings();
        const ChannelAnalysisRecord& record = doc_.Settings().SourceRecord();
        doc_.Store().BeginBlock(settings.sourceChannel, sampledBlock_, 0,
                                doc_.SpikeSourceExpression(settings.sourceChannel),
                                doc_.ResolveSource(record.stimulusSource),
                                doc_.ResolveSource(record.referenceSource));
    }
    doc_.SendDocumentChanged();
    return S_OK;
}

HRESULT OnlineAnalysis::NewData(std::int32_t ticks)
{
    received_ += ticks;
    if (!blockOpen_ || !CollectsBlock()) {
        return S_OK;
    }
    if (doc_.Store().Collect(received_)) {
        markersPending_ = true;
        doc_.Views().Recompute();
    }
    doc_.Views().Advance(sampledBlock_, received_ * doc_.Store().SampleInterval());
    return S_OK;
}

HRESULT OnlineAnalysis::BlockEnd()
{
    blockOpen_ = false;
    if (CollectsBlock()) {
        doc_.Store().EndBlock(received_);
    }
    doc_.SendDocumentChanged();
    return S_OK;
}

HRESULT OnlineAnalysis::Stop()
{
    sampling_ = false;
    AnalysisSettings& settings = doc_.Settings();
    if (markersPending_) {
        doc_.ShowChannelMarkers(settings.sourceChannel, settings.showSpikeMarkers);
        markersPending_ = false;
    }
    if (settings.analyzeWhileSampling) {
        Host::Position end;
        if (doc_.Recording() != nullptr && Succeeded(doc_.Recording()->EndPosition(&end))) {
            for (const std::int32_t channel : settings.ChannelKeys()) {
                ChannelAnalysisRecord& record = settings.Record(channel);
                if (record.analyzed) {
                    record.rangeEnd = end;
                }
            }
        }
        doc_.Views().Refresh();
    }
    doc_.Views().RefreshDiscriminator();
    return S_OK;
}

} // namespace Nerolith
