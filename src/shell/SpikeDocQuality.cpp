// The analysis document's unit quality figures and their settings.
#include <cmath>

#include "quality/ChannelNoise.h"
#include "quality/StoreQuality.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

bool PositiveFinite(double value) { return std::isfinite(value) && value > 0.0; }
bool NonNegativeFinite(double value) { return std::isfinite(value) && value >= 0.0; }

bool ValidQualitySettings(const Host::QualitySettings& settings)
{
    return PositiveFinite(settings.refractoryMs) && PositiveFinite(settings.presenceBinS) &&
           NonNegativeFinite(settings.maxRefractoryFraction) && NonNegativeFinite(settings.minIsolationDistance) &&
           NonNegativeFinite(settings.maxLRatio) && NonNegativeFinite(settings.minSnr) &&
           NonNegativeFinite(settings.minPresence);
}

} // namespace

HRESULT SpikeDoc::GetQualitySettings(Host::QualitySettings* settings)
{
    if (settings == nullptr) {
        return E_POINTER;
    }
    *settings = qualitySettings_;
    return S_OK;
}

HRESULT SpikeDoc::SetQualitySettings(const Host::QualitySettings& settings)
{
    if (!ValidQualitySettings(settings)) {
        return E_INVALIDARG;
    }
    if (settings != qualitySettings_) {
        qualitySettings_ = settings;
        AfterChange();
    }
    return S_OK;
}

HRESULT SpikeDoc::GetUnitQuality(std::vector<Host::UnitQuality>* units)
{
    if (units == nullptr) {
        return E_POINTER;
    }
    units->clear();
    if (!recording_) {
        return S_OK;
    }
    const ChannelAnalysisRecord* record = settings_->FindRecord(analysedChannel_);
    if (record == nullptr) {
        return S_OK;
    }
    if (!noiseSigma_) {
        noiseSigma_ = calc_ ? ChannelNoiseSigma(*calc_, *recording_, analysedChannel_, record->rangeStart,
                                                record->rangeEnd)
                            : Host::UnitQuality::kAbsent;
    }
    *units = MeasureStoreQuality(*store_, *recording_, *record, *noiseSigma_, qualitySettings_);
    return S_OK;
}

} // namespace Nerolith
