#include "histograms/CorrelogramOverlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "histograms/AnalysisViewSettings.h"
#include "histograms/HistogramPane.h"
#include "histograms/NumberText.h"
#include "module/AnalysisDocument.h"
#include "quality/StoreQuality.h"
#include "quality/TrainWindow.h"

namespace Nerolith {
namespace {

namespace Name = ViewSettingName;

struct ScaleName {
    CorrelogramScale scale;
    std::u16string_view name;
    std::u16string_view title; // the Y axis' title
};

constexpr std::array<ScaleName, 3> kScales = {{
    {CorrelogramScale::Counts, u"counts", u"Counts/bin"},
    {CorrelogramScale::Rate, u"rate", u"Rate (spikes/s)"},
    {CorrelogramScale::Coefficient, u"coefficient", u"Correlation coefficient"},
}};

const ScaleName& NameOf(CorrelogramScale scale)
{
    return *std::find_if(kScales.begin(), kScales.end(), [scale](const ScaleName& s) { return s.scale == scale; });
}

// The next ':'-separated field of a band's text, advancing past it.
std::u16string_view NextField(std::u16string_view& text)
{
    const std::size_t colon = text.find(u':');
    const std::u16string_view field = text.substr(0, colon);
    text = colon == std::u16string_view::npos ? std::u16string_view() : text.substr(colon + 1);
    return field;
}

std::vector<double> Scaled(const std::vector<double>& values, const CorrelogramScaling& scaling)
{
    std::vector<double> scaled(values.size());
    std::transform(values.begin(), values.end(), scaled.begin(), scaling);
    return scaled;
}

// The band's column titles; each page's, named for it, in a paged view.
void AppendBandColumns(std::u16string& out, std::int32_t pageCount)
{
    for (std::int32_t page = 1; page <= pageCount; ++page) {
        const std::u16string prefix = pageCount == 1 ? u"" : u"Page " + WholeNumber(page) + u" ";
        for (const char16_t* column : {u"expected", u"lower 99%", u"upper 99%"}) {
            out += u'\t';
            out += prefix;
            out += column;
        }
    }
}

// The time page p of a paged view covers: from its start to the next
// page's, the last to the end of the analysed data.
TrainWindow PageWindow(IHostRecording& recording, const HistogramPages& pages, std::int32_t page)
{
    TrainWindow window;
    const PagePlace& start = pages.PageStart(page);
    window.startS = RecordingSeconds(recording, start.block, start.t);
    if (page + 1 < pages.PageCount()) {
        const PagePlace& next = pages.PageStart(page + 1);
        window.endS = RecordingSeconds(recording, next.block, next.t);
    }
    return window;
}

} // namespace

HRESULT CorrelogramOverlay::Set(std::u16string_view name, std::u16string_view value)
{
    if (name == Name::kScale) {
        const auto found =
            std::find_if(kScales.begin(), kScales.end(), [value](const ScaleName& s) { return s.name == value; });
        if (found == kScales.end()) {
            return E_INVALIDARG;
        }
        scale_ = found->scale;
        return S_OK;
    }
    return name == Name::kBand ? SetBand(value) : S_FALSE;
}

// "jitter" takes the jitter in ms (above 0), the rounds (1 to 10000) and the
// seed, each optional from the right.
HRESULT CorrelogramOverlay::SetBand(std::u16string_view value)
{
    if (value == u"none" || value == u"poisson") {
        band_ = value == u"none" ? Band::None : Band::Poisson;
        return S_OK;
    }
    std::u16string_view rest = value;
    if (NextField(rest) != u"jitter") {
        return E_INVALIDARG;
    }
    JitterResampling jitter;
    if (!rest.empty()) {
        const auto ms = ParseSettingNumber(NextField(rest));
        if (!ms || *ms <= 0.0) {
            return E_INVALIDARG;
        }
        jitter.jitterS = *ms / 1000.0;
    }
    if (!rest.empty()) {
        const auto rounds = ParseSettingWholeNumber(NextField(rest));
        if (!rounds || *rounds < 1 || *rounds > 10000) {
            return E_INVALIDARG;
        }
        jitter.rounds = *rounds;
    }
    if (!rest.empty()) {
        const auto seed = ParseSettingWholeNumber(NextField(rest));
        if (!seed || *seed < 0 || !rest.empty()) {
            return E_INVALIDARG;
        }
        jitter.seed = static_cast<std::uint64_t>(*seed);
    }
    band_ = Band::Jitter;
    jitter_ = jitter;
    return S_OK;
}

std::vector<SettingMenuItems::Choice> CorrelogramOverlay::MenuChoices()
{
    std::vector<SettingMenuItems::Choice> choices;
    for (const ScaleName& scale : kScales) {
        choices.push_back({std::u16string(Name::kScale), std::u16string(scale.name),
                           VEX::String(u"Scale: " + std::u16string(scale.title))});
    }
    choices.push_back({std::u16string(Name::kBand), u"none", VEX::String(u"No Band")});
    choices.push_back({std::u16string(Name::kBand), u"poisson", VEX::String(u"Poisson Band (99%)")});
    choices.push_back({std::u16string(Name::kBand), u"jitter", VEX::String(u"Jitter Band (99%)")});
    return choices;
}

std::optional<std::u16string> CorrelogramOverlay::Get(std::u16string_view name) const
{
    if (name == Name::kScale) {
        return std::u16string(NameOf(scale_).name);
    }
    if (name != Name::kBand) {
        return std::nullopt;
    }
    switch (band_) {
    case Band::None:
        return u"none";
    case Band::Poisson:
        return u"poisson";
    case Band::Jitter:
        return u"jitter:" + SettingNumberText(jitter_.jitterS * 1000.0) + u":" + WholeNumber(jitter_.rounds) +
               u":" + WholeNumber(static_cast<std::int64_t>(jitter_.seed));
    }
    return std::nullopt;
}

CorrelogramOverlay::Measured CorrelogramOverlay::Measure(AnalysisDocument& document, const HistogramPane& pane,
                                                         const LagBins& bins, std::int32_t page) const
{
    Measured measured;
    IHostRecording* recording = document.Recording();
    const std::int32_t channel = document.Settings().sourceChannel;
    const Host::ChannelAnalysisRecord* record = document.Settings().FindRecord(channel);
    if (recording == nullptr || record == nullptr) {
        return measured;
    }
    const std::vector<double> targetTrain = StoreTrain(document.Store(), *recording, channel, pane.Unit());
    const std::vector<double> referenceTrain =
        cross_ ? StoreTrain(document.Store(), *recording, channel, kReferenceTrain) : targetTrain;
    const std::vector<AnalysedSpan> spans = AnalysedSpans(*recording, *record);
    std::span<const double> target = targetTrain;
    std::span<const double> reference = referenceTrain;
    double duration = 0.0;
    if (pane.Pages().PageCount() > 1) {
        const TrainWindow window = PageWindow(*recording, pane.Pages(), page);
        target = TrainWithin(target, window);
        reference = TrainWithin(reference, window);
        duration = AnalysedSecondsWithin(*recording, spans, window);
    } else {
        for (const AnalysedSpan& span : spans) {
            duration += span.endS - span.startS;
        }
    }
    measured.scaling = {scale_, static_cast<double>(reference.size()), static_cast<double>(target.size()),
                        duration, bins.width};
    if (band_ == Band::Poisson) {
        measured.band = PoissonBand(reference.size(), target.size(), duration, bins, !cross_);
    } else if (band_ == Band::Jitter) {
        measured.band = JitterBand(reference, target, bins, !cross_, jitter_);
    }
    return measured;
}

void CorrelogramOverlay::AppendText(AnalysisDocument& document, const HistogramPane& pane,
                                    std::u16string& out) const
{
    const HistogramPages& pages = pane.Pages();
    if ((scale_ == CorrelogramScale::Counts && band_ == Band::None) || pages.PageCount() == 0) {
        pane.CopyText(out);
        return;
    }
    const std::size_t rows = static_cast<std::size_t>(pages.LargestPage());
    const LagBins bins{pages.XStart(), pages.BinSize(), rows};
    std::vector<Measured> measured;
    for (std::int32_t page = 0; page < pages.PageCount(); ++page) {
        measured.push_back(Measure(document, pane, bins, page));
    }
    out += pane.Label().Str() + u"\n";
    std::u16string header;
    pane.CopyText(header); // its second line is the X title and the pages' columns
    const std::size_t first = header.find(u'\n') + 1;
    out += header.substr(first, header.find(u'\n', first) - first);
    if (band_ != Band::None) {
        AppendBandColumns(out, pages.PageCount());
    }
    out += u'\n';
    AppendRows(pages, measured, out);
}

// Each page's scaled counts, a page's cells empty beyond its bins, then each
// page's band.
void CorrelogramOverlay::AppendRows(const HistogramPages& pages, const std::vector<Measured>& measured,
                                    std::u16string& out)
{
    for (std::size_t bin = 0; bin < static_cast<std::size_t>(pages.LargestPage()); ++bin) {
        out += DefaultNumber(pages.XStart() + static_cast<double>(bin) * pages.BinSize());
        for (std::int32_t page = 0; page < pages.PageCount(); ++page) {
            const std::span<const float> counts = pages.PageBins(page);
            const CorrelogramScaling& scaling = measured[static_cast<std::size_t>(page)].scaling;
            out += u'\t';
            if (bin < counts.size()) {
                out += DefaultNumber(scaling(counts[bin]));
            }
        }
        for (const Measured& one : measured) {
            if (one.band) {
                for (const auto* line : {&one.band->expected, &one.band->lower, &one.band->upper}) {
                    out += u'\t';
                    out += DefaultNumber(one.scaling((*line)[bin]));
                }
            }
        }
        out += u'\n';
    }
    out += u'\n';
}

void CorrelogramOverlay::Decorate(AnalysisDocument& document, const HistogramPane& pane, FigurePane& figure) const
{
    if (!cross_) {
        Host::QualitySettings quality;
        document.GetQualitySettings(&quality);
        figure.shadedX = std::pair{-quality.refractoryMs / 1000.0, quality.refractoryMs / 1000.0};
    }
    if (scale_ == CorrelogramScale::Counts && band_ == Band::None) {
        return;
    }
    // The band spans the whole X range, beyond the last bin with a count.
    const double span = figure.binWidth > 0.0 ? (figure.x.second - figure.firstBin) / figure.binWidth : 0.0;
    const auto reach = static_cast<std::size_t>(std::clamp(std::ceil(span), 0.0, 1e6));
    const Measured measured = Measure(document, pane,
                                      {figure.firstBin, figure.binWidth, std::max(figure.values.size(), reach)},
                                      pane.Pages().CurrentPage());
    figure.values = Scaled(figure.values, measured.scaling);
    figure.yTitle = NameOf(scale_).title;
    if (measured.band) {
        figure.lines.push_back({Scaled(measured.band->expected, measured.scaling), false});
        figure.lines.push_back({Scaled(measured.band->lower, measured.scaling), true});
        figure.lines.push_back({Scaled(measured.band->upper, measured.scaling), true});
    }
    // A coefficient runs below zero: the Y range takes in every value.
    double lowest = 0.0;
    double highest = 0.0;
    const auto widen = [&](const std::vector<double>& values) {
        for (double value : values) {
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
    };
    widen(figure.values);
    for (const FigureLine& line : figure.lines) {
        widen(line.values);
    }
    figure.y = {lowest, highest > lowest ? highest : lowest + 1.0};
}

} // namespace Nerolith
