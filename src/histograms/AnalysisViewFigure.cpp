#include <algorithm>

#include "histograms/AnalysisView.h"
#include "histograms/AnalysisViewSettings.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

namespace ui = platform::ui;
namespace Name = ViewSettingName;

namespace {

constexpr std::int32_t kLargestDpi = 2400;

// The recording's file name without its folder.
VEX::String RecordingName(AnalysisDocument& document)
{
    VEX::String name;
    IHostDocument* host = document.HostDocument();
    if (host == nullptr || Failed(host->DocumentName(&name))) {
        return {};
    }
    const std::u16string& text = name.Str();
    const std::size_t slash = text.find_last_of(u'/');
    return slash == std::u16string::npos ? name : VEX::String(text.substr(slash + 1));
}

} // namespace

HRESULT AnalysisView::ApplyFigureSetting(std::u16string_view name, std::u16string_view value)
{
    if (name == Name::kDpi) {
        const std::optional<std::int32_t> dpi = ParseSettingWholeNumber(value);
        if (!dpi || *dpi < 0 || *dpi > kLargestDpi) {
            return E_INVALIDARG;
        }
        figureOptions_.dpi = *dpi;
        return S_OK;
    }
    if (name == Name::kSharedX || name == Name::kBars) {
        const bool first = value == (name == Name::kSharedX ? u"on" : u"filled");
        const bool second = value == (name == Name::kSharedX ? u"off" : u"outline");
        if (!first && !second) {
            return E_INVALIDARG;
        }
        (name == Name::kSharedX ? figureOptions_.sharedX : figureOptions_.filledBars) = first;
        return S_OK;
    }
    return S_FALSE;
}

ui::PaintFunction AnalysisView::FigurePicture() const
{
    Figure figure;
    const VEX::String recording = RecordingName(*document_);
    figure.title = recording.Empty() ? Title() : Title() + VEX::String(u" \u2014 ") + recording;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        figure.panes.push_back(pane->FigureData());
        ToFigureUnits(figure.panes.back());
        DecorateFigurePane(*pane, figure.panes.back());
    }
    return [figure = std::move(figure), options = figureOptions_](ui::TDC& dc, const ui::TRect& rect) {
        DrawFigure(dc, rect, figure, options);
    };
}

} // namespace Nerolith
