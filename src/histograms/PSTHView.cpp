#include "histograms/PSTHView.h"

#include <string>

#include "histograms/AnalysisViewSettings.h"
#include "histograms/PSTH.h"
#include "histograms/PSTHPagingDialog.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

namespace Name = ViewSettingName;

namespace {

constexpr std::u16string_view kBlocks = u"blocks";
constexpr std::u16string_view kStimulusPrefix = u"stimulus:";

std::u16string CountText(std::u16string_view prefix, std::int32_t count)
{
    const std::string number = std::to_string(count);
    return std::u16string(prefix) + std::u16string(number.begin(), number.end());
}

} // namespace

PSTHView::PSTHView(AnalysisDocument& document)
    : AnalysisView(document, Host::ViewKind::PeristimulusTime, SpikeQuantity::Time)
{
}

VEX::String PSTHView::ViewName() const
{
    return VEX::String(u"Peristimulus Time Histogram View");
}

VEX::String PSTHView::CopyMenuText() const
{
    return VEX::String(u"Copy Peristimulus Time Histogram View");
}

VEX::String PSTHView::PrintMenuText() const
{
    return VEX::String(u"Print Peristimulus Time Histogram View...");
}

VEX::String PSTHView::PagingHint() const
{
    return VEX::String(u"Open Paging and Stimulus Options Dialog");
}

void PSTHView::OpenPagingDialog()
{
    const PagingSettings before = Paging().Settings();
    const std::u16string sweepsBefore = SweepsText();
    PSTHPagingDialog dialog(this, before, EventSourceNames(), SourceRecord().stimulusSource);
    if (dialog.Execute() != platform::ui::IDOK) {
        return;
    }
    const PagingSettings& chosen = dialog.Settings();
    const std::u16string sweeps = chosen.mode == kStimulusEvents
                                      ? std::u16string(kStimulusPrefix) + dialog.Stimulus().Str()
                                      : std::u16string(kBlocks);
    if (sweeps != sweepsBefore) {
        SendSetting(Name::kSweeps, sweeps);
    }
    if (chosen.eventsPerPage != Paging().Settings().eventsPerPage ||
        chosen.blocksPerPage != Paging().Settings().blocksPerPage) {
        SendSetting(Name::kPaging, CountText(chosen.mode == kStimulusEvents ? u"stimulus:" : u"blocks:",
                                             chosen.eventsPerPage));
    }
    if (chosen.preStimulusTime != before.preStimulusTime) {
        SendSetting(Name::kPreStimulus, SettingNumberText(chosen.preStimulusTime));
    }
}

HRESULT PSTHView::SetOwnSetting(std::u16string_view name, std::u16string_view value)
{
    if (name == Name::kPreStimulus) {
        return ApplyPreStimulus(value);
    }
    if (name == Name::kSweeps) {
        return ApplySweeps(value);
    }
    if (name == Name::kPaging) {
        return ApplySweepPaging(value);
    }
    return S_FALSE;
}

std::optional<std::u16string> PSTHView::OwnSetting(std::u16string_view name) const
{
    if (name == Name::kPreStimulus) {
        return SettingNumberText(Paging().Settings().preStimulusTime);
    }
    if (name == Name::kSweeps) {
        return SweepsText();
    }
    if (name == Name::kPaging) {
        return SweepPagingText();
    }
    return std::nullopt;
}

std::unique_ptr<HistogramPane> PSTHView::CreatePane(std::int32_t unit, const Host::UnitDescription& description)
{
    auto pane = std::make_unique<PSTH>(PaneParent(), *this, unit, description);
    pane->SetXOrigin(-Paging().Settings().preStimulusTime);
    return pane;
}

HRESULT PSTHView::ApplyPreStimulus(std::u16string_view value)
{
    const std::optional<double> seconds = ParseSettingNumber(value);
    if (!seconds || *seconds < 0.0) {
        return E_INVALIDARG;
    }
    PagingSettings settings = Paging().Settings();
    if (*seconds == settings.preStimulusTime) {
        return S_OK;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    settings.preStimulusTime = *seconds;
    for (HistogramPane* pane : Panes()) {
        pane->SetXOrigin(-*seconds);
    }
    return ApplyPaging(settings);
}

// "blocks": each block is a sweep and there is no stimulus source;
// "stimulus:SOURCE": the source's events start the sweeps. An empty SOURCE
// is taken (the view then waits for a stimulus); one the host cannot
// resolve is refused.
HRESULT PSTHView::ApplySweeps(std::u16string_view value)
{
    PagingSettings settings = Paging().Settings();
    VEX::String source;
    if (value == kBlocks) {
        // Without paging the sweeps are already the blocks (and read back
        // so): only a stimulus source gives way to paging by blocks.
        if (settings.mode == kStimulusEvents) {
            settings.mode = kBlocksPerPage;
        }
    } else if (value.starts_with(kStimulusPrefix)) {
        settings.mode = kStimulusEvents;
        source = VEX::String(std::u16string(value.substr(kStimulusPrefix.size())));
        if (!source.Empty() && Document().ResolveSource(source) == Host::kAbsentSource) {
            return E_INVALIDARG;
        }
    } else {
        return E_INVALIDARG;
    }
    Host::ChannelAnalysisRecord record = SourceRecord();
    const bool sourceChanged = record.stimulusSource != source;
    if (settings == Paging().Settings() && !sourceChanged) {
        return S_OK;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    if (sourceChanged) {
        record.stimulusSource = source;
        StoreSourceRecord(record);
    }
    return ApplyPaging(settings, sourceChanged);
}

// The sweeps per page go to both blocks and events per page.
HRESULT PSTHView::ApplySweepPaging(std::u16string_view value)
{
    PagingSettings settings = Paging().Settings();
    const std::optional<PagingSettings> parsed = ParsePagingText(value, settings);
    if (!parsed || (parsed->mode != kBlocksPerPage && parsed->mode != kStimulusEvents)) {
        return E_INVALIDARG;
    }
    const std::int32_t sweeps = parsed->mode == kBlocksPerPage ? parsed->blocksPerPage : parsed->eventsPerPage;
    settings.mode = parsed->mode;
    settings.blocksPerPage = sweeps;
    settings.eventsPerPage = sweeps;
    return ApplyPaging(settings);
}

std::u16string PSTHView::SweepsText() const
{
    if (Paging().Settings().mode == kStimulusEvents) {
        return std::u16string(kStimulusPrefix) + SourceRecord().stimulusSource.Str();
    }
    return std::u16string(kBlocks);
}

std::u16string PSTHView::SweepPagingText() const
{
    const PagingSettings& settings = Paging().Settings();
    switch (settings.mode) {
    case kStimulusEvents:
        return CountText(kStimulusPrefix, settings.eventsPerPage);
    case kBlocksPerPage:
        return CountText(u"blocks:", settings.blocksPerPage);
    default:
        return u"none";
    }
}

} // namespace Nerolith
