#include "discriminator/DiscriminatorView.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <vector>

#include "detection/SpikeData.h"
#include "detection/SpikeEvent.h"
#include "discriminator/PictureLegend.h"
#include "discriminator/UnitSuggestion.h"
#include "histograms/AnalysisViewSettings.h"
#include "module/AnalysisDocument.h"
#include "platform/com/ComPtr.h"
#include "platform/error/XVEX.h"
#include "platform/ui/TDC.h"

namespace Nerolith {
namespace {

namespace ui = platform::ui;

constexpr std::int32_t kDefaultWidth = 1000;
constexpr std::int32_t kDefaultHeight = 500;
constexpr std::int32_t kLargestSide = 20000;
constexpr std::int32_t kRightMargin = 12;
constexpr std::u16string_view kViewName = u"Nerolith Discriminator View";

std::u16string LowerCase(std::u16string_view text)
{
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::tolower(c)) : c; });
    return lower;
}

std::optional<DiscriminatorView::Picture> ParsePicture(std::u16string_view text)
{
    if (text == u"discriminator") {
        return DiscriminatorView::Picture::Discriminator;
    }
    if (text == u"scatter") {
        return DiscriminatorView::Picture::Scatter;
    }
    if (text == u"waveforms") {
        return DiscriminatorView::Picture::Waveforms;
    }
    return std::nullopt;
}

} // namespace

DiscriminatorView::DiscriminatorView(AnalysisDocument& document)
    : ui::TWindow(nullptr, u"Nerolith DiscriminatorViewEx"), document_(&document), pane_(this),
      scatter_(&pane_, document), spikes_(&pane_, document), status_(this)
{
    AddToolRow();
    pane_.Split(scatter_.Graph(), spikes_.Graph(), 0.5);
    status_.EnableSizeGrip(true);
    MoveWindow(0, 0, kDefaultWidth, kDefaultHeight, false);
}

DiscriminatorView::~DiscriminatorView()
{
    document_->DetachView(*this);
}

VEX::String DiscriminatorView::DocumentName() const
{
    VEX::String name;
    if (IHostDocument* host = document_->HostDocument(); host == nullptr || Failed(host->DocumentName(&name))) {
        name = VEX::String(u"Untitled");
    }
    return name;
}

VEX::String DiscriminatorView::Title() const
{
    return VEX::String(DocumentName().Str() + u": " + std::u16string(kViewName));
}

std::vector<LegendEntry> DiscriminatorView::Legend() const
{
    std::vector<LegendEntry> entries;
    std::vector<Host::UnitDescription> units;
    const std::int32_t channel = document_->Settings().sourceChannel;
    if (Succeeded(document_->GetUnits(&units))) {
        for (const Host::UnitDescription& unit : units) {
            if (unit.channel == channel && unit.kind != 0) {
                entries.push_back({unit.name, unit.colour});
            }
        }
    }
    if (scatter_.PointCount(kNoUnitColour) > 0) {
        entries.push_back({VEX::String(u"unassigned"), kNoUnitColour});
    }
    return entries;
}

void DiscriminatorView::Reset()
{
    // The store is being emptied for a new analysis; drop what points into it.
    const SpikeTable none;
    scatter_.Refresh(none, 0.0, {});
    spikes_.Refresh(none, {}, {}, {}, std::nullopt);
    shownWaveforms_.reset();
}

void DiscriminatorView::ReadSettings()
{
    SetCaption(Title());
    Refresh();
}

void DiscriminatorView::Refresh()
{
    // Filling the unit selector may tell the document, which tells its views.
    if (refreshing_) {
        return;
    }
    refreshing_ = true;
    Host::ChannelAnalysisRecord record;
    const std::int32_t channel = document_->Settings().sourceChannel;
    document_->GetChannelRecord(channel, &record);
    scatter_.Refresh(document_->Store().Spikes(), record.detectionThreshold, document_->ChannelUnitText(channel));
    RefreshSpikePlot();
    RefreshTools();
    Invalidate();
    refreshing_ = false;
}

void DiscriminatorView::RefreshSpikePlot()
{
    const std::int32_t channel = document_->Settings().sourceChannel;
    Host::ChannelAnalysisRecord record;
    document_->GetChannelRecord(channel, &record);
    const SpikeWindow window{channel, record.pretriggerTime, record.totalTriggerTime};
    const SpikeTable& table = document_->Store().Spikes();
    ComPtr<IHostCalc> calc;
    IHostDocument* host = document_->HostDocument();
    IHostRecording* recording = document_->Recording();
    const bool readable = host != nullptr && recording != nullptr && Succeeded(host->GetCalc(calc.Put())) && calc;
    const ShownWaveforms shown{table.Size(), window, ShownUnitColour()};
    if (shownWaveforms_ == shown) {
        spikes_.ShowSelected(readable ? SelectedSpikeWindow(*calc, *recording, window) : std::nullopt);
        return;
    }
    std::vector<Waveform> waveforms;
    if (readable) {
        waveforms = ReadWaveforms(*calc, *recording, window, table.Positions().ToVector());
    }
    spikes_.Refresh(table, std::move(waveforms), window, document_->ChannelUnitText(channel), shown.colour);
    shownWaveforms_ = shown;
}

std::optional<Waveform> DiscriminatorView::SelectedSpikeWindow(IHostCalc& calc, IHostRecording& recording,
                                                               const SpikeWindow& window) const
{
    std::int32_t selected = -1;
    const SpikeTable& table = document_->Store().Spikes();
    if (Failed(document_->GetSpikeSelection(&selected)) || selected < 0 ||
        static_cast<std::size_t>(selected) >= table.Size()) {
        return std::nullopt;
    }
    std::vector<Waveform> one =
        ReadWaveforms(calc, recording, window, {table.Positions()[static_cast<std::size_t>(selected)]});
    return one.front().values.empty() ? std::nullopt : std::optional(std::move(one.front()));
}

std::optional<std::uint32_t> DiscriminatorView::ShownUnitColour() const
{
    std::vector<Host::UnitDescription> units;
    const std::int32_t selected = document_->SelectedUnitNumber();
    if (!selectedOnly_ || selected < 0 || Failed(document_->GetUnits(&units))) {
        return std::nullopt;
    }
    const auto unit = std::find_if(units.begin(), units.end(),
                                   [selected](const Host::UnitDescription& u) { return u.number == selected; });
    return unit == units.end() ? std::nullopt : std::optional<std::uint32_t>(unit->colour);
}

void DiscriminatorView::EvSize(std::uint32_t, const ui::TSize& size)
{
    const std::int32_t paneHeight = std::max(0, size.cy - kToolRowHeight - kStatusHeight);
    pane_.MoveWindow(0, kToolRowHeight, size.cx, paneHeight, true);
    status_.MoveWindow(0, kToolRowHeight + paneHeight, size.cx, kStatusHeight, true);
}

std::optional<std::int32_t> DiscriminatorView::SuggestUnits(std::int32_t maxClusters)
{
    const SpikeTable& table = document_->Store().Spikes();
    SuggestionOptions options;
    options.maxClusters = maxClusters;
    options.widthStepMs = document_->Store().SampleInterval() * 1000.0;
    std::vector<SuggestedContour> contours;
    try {
        contours = SuggestContours(table.Widths().ToVector(), table.Heights().ToVector(), options);
    } catch (const std::exception&) {
        // Out of memory, or a fit the linear algebra gave up on.
        return std::nullopt;
    }
    const std::int32_t channel = document_->Settings().sourceChannel;
    std::int32_t made = 0;
    for (const SuggestedContour& contour : contours) {
        std::int32_t number = -1;
        if (Failed(document_->CreateContourUnit(channel, contour.widths, contour.heights, VEX::String(), &number))) {
            return std::nullopt;
        }
        ++made;
    }
    return made;
}

ui::TSize DiscriminatorView::PictureSize(Picture picture) const
{
    if (pictureSize_) {
        return *pictureSize_;
    }
    return picture == Picture::Discriminator ? ui::TSize(kDefaultWidth, kDefaultHeight)
                                             : ui::TSize(kDefaultHeight * 6 / 5, kDefaultHeight);
}

ui::PaintFunction DiscriminatorView::PictureOf(Picture picture)
{
    static constexpr std::array<std::u16string_view, 3> kPictureNames{kViewName, u"Scatter Plot", u"Spike Plot"};
    const VEX::String title(DocumentName().Str() + u": " +
                            std::u16string(kPictureNames[static_cast<std::size_t>(picture)]));
    return [this, picture, title, legend = Legend()](ui::TDC& dc, const ui::TRect& whole) {
        const ui::TRect below = DrawLegend(dc, whole, title, legend);
        // Room on the right for the last tick label of the time or width axis.
        dc.FillRect(below, ui::TBrush::White());
        const ui::TRect rect(below.left, below.top, std::max(below.left + 1, below.right - kRightMargin), below.bottom);
        if (picture == Picture::Scatter) {
            scatter_.Graph().DrawPicture(dc, rect);
        } else if (picture == Picture::Waveforms) {
            spikes_.Graph().DrawPicture(dc, rect);
        } else {
            DrawView(dc, rect);
        }
    };
}

HRESULT DiscriminatorView::WritePicture(std::u16string_view path)
{
    const std::u16string lower = LowerCase(path);
    const VEX::String file{std::u16string(path)};
    const ui::TSize size = PictureSize(picture_);
    try {
        if (lower.ends_with(u".png")) {
            ui::SavePng(file, size, PictureOf(picture_));
        } else if (lower.ends_with(u".svg")) {
            ui::SaveSvg(file, size, PictureOf(picture_));
        } else if (lower.ends_with(u".pdf")) {
            ui::SavePdf(file, size, PictureOf(picture_));
        } else {
            return E_INVALIDARG;
        }
    } catch (const VEX::XVEX&) {
        return E_FAIL;
    }
    return S_OK;
}

HRESULT DiscriminatorView::SetSetting(const VEX::String& name, const VEX::String& value)
{
    const std::u16string_view text = value.Str();
    if (name.Str() == u"picture") {
        const std::optional<Picture> picture = ParsePicture(text);
        if (!picture) {
            return E_INVALIDARG;
        }
        picture_ = *picture;
        return S_OK;
    }
    if (name.Str() == u"size") {
        const auto size = ParseSettingSize(text, kLargestSide);
        if (!size) {
            return E_INVALIDARG;
        }
        pictureSize_ = ui::TSize(size->first, size->second);
        return S_OK;
    }
    if (name.Str() == u"waveforms") {
        if (text != u"all" && text != u"selected") {
            return E_INVALIDARG;
        }
        selectedOnly_ = text == u"selected";
        RefreshSpikePlot();
        return S_OK;
    }
    if (name.Str() == u"suggest-units") {
        const std::optional<std::int32_t> most = ParseSettingWholeNumber(text);
        if (!most || *most < 1 || *most > 20) {
            return E_INVALIDARG;
        }
        return SuggestUnits(*most) ? S_OK : E_FAIL;
    }
    if (name.Str() == u"write-picture") {
        return WritePicture(text);
    }
    // "dialog" asks where (S_FALSE when cancelled), "preview" shows the pages.
    if (name.Str() == u"print" && text == u"dialog") {
        return Print() ? S_OK : S_FALSE;
    }
    if (name.Str() == u"print" && text == u"preview") {
        PrintPreview();
        return S_OK;
    }
    if (name.Str() == u"print" && LowerCase(text).ends_with(u".pdf")) {
        try {
            PrintToFile(value);
        } catch (const VEX::XVEX&) {
            return E_FAIL;
        }
        return S_OK;
    }
    if (name.Str() == u"copy" && text == u"clipboard") {
        return Copy() ? S_OK : E_FAIL;
    }
    return E_INVALIDARG;
}

HRESULT DiscriminatorView::GetSetting(const VEX::String& name, VEX::String* value)
{
    if (value == nullptr) {
        return E_POINTER;
    }
    if (name.Str() == u"title") {
        *value = Title();
        return S_OK;
    }
    if (name.Str() == u"print-menu-text") {
        *value = PrintMenuText();
        return S_OK;
    }
    return E_INVALIDARG;
}

} // namespace Nerolith
