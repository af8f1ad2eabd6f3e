#include "histograms/ViewSettingProtocol.h"

#include <algorithm>
#include <cctype>

#include "histograms/AnalysisView.h"
#include "histograms/AnalysisViewSettings.h"
#include "histograms/NumberText.h"
#include "platform/error/XVEX.h"

namespace Nerolith {

namespace ui = platform::ui;
namespace Name = ViewSettingName;

namespace {

// The largest picture a script may ask for, in pixels each way.
constexpr std::int32_t kLargestSide = 20000;

std::u16string LowerCase(std::u16string_view text)
{
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::tolower(c)) : c; });
    return lower;
}

std::u16string RangeText(const std::optional<std::pair<double, double>>& range)
{
    return range ? SettingRangeText(range->first, range->second) : std::u16string();
}

} // namespace

HRESULT ViewSettingProtocol::Set(std::u16string_view name, std::u16string_view value)
{
    if (const HRESULT figure = view_.ApplyFigureSetting(name, value); figure != S_FALSE) {
        return figure;
    }
    if (name == Name::kBinSize) {
        return SetBinSize(value);
    }
    if (name == Name::kPaging) {
        return SetPaging(value);
    }
    if (name == Name::kXRange) {
        return SetXRange(value);
    }
    if (name == Name::kSelectionX) {
        return SetSelection(value);
    }
    if (name == Name::kPage) {
        return SetPage(value);
    }
    if (name == Name::kStatistics) {
        return SetStatistics(value);
    }
    if (name == Name::kSize) {
        return SetSize(value);
    }
    if (name == Name::kWritePicture) {
        return WritePicture(value);
    }
    if (name == Name::kPrint) {
        return Print(value);
    }
    return E_INVALIDARG;
}

std::optional<std::u16string> ViewSettingProtocol::Get(std::u16string_view name) const
{
    const PageController& paging = view_.Paging();
    if (name == Name::kBinSize) {
        return SettingNumberText(view_.BinSize());
    }
    if (name == Name::kPaging) {
        return PagingText(paging.Settings());
    }
    if (name == Name::kXRange) {
        return RangeText(view_.XRange());
    }
    if (name == Name::kSelectionX) {
        return RangeText(view_.Selection());
    }
    if (name == Name::kPage) {
        return WholeNumber(paging.PageCount() == 0 ? 0 : std::int64_t{paging.CurrentPage()} + 1);
    }
    if (name == Name::kStatistics) {
        return WholeNumber(view_.StatisticsOptions());
    }
    if (name == Name::kSize) {
        const ui::TSize size = view_.PictureSize();
        return WholeNumber(size.cx) + u"x" + WholeNumber(size.cy);
    }
    if (name == Name::kTitle) {
        return view_.Title().Str();
    }
    if (name == Name::kPrintMenuText) {
        return view_.PrintMenuText().Str();
    }
    if (name == Name::kPageCount) {
        return WholeNumber(paging.PageCount());
    }
    if (name == Name::kCopiedText) {
        return view_.CopiedText();
    }
    if (name == Name::kStatisticsLines) {
        return view_.StatisticsLines();
    }
    return std::nullopt;
}

HRESULT ViewSettingProtocol::SetBinSize(std::u16string_view value)
{
    const std::optional<double> binSize = ParseSettingNumber(value);
    return binSize ? view_.ChangeBinSize(*binSize) : E_INVALIDARG;
}

HRESULT ViewSettingProtocol::SetPaging(std::u16string_view value)
{
    const std::optional<PagingSettings> paging = ParsePagingText(value, view_.Paging().Settings());
    return paging ? view_.ApplyPaging(*paging) : E_INVALIDARG;
}

HRESULT ViewSettingProtocol::SetXRange(std::u16string_view value)
{
    const auto range = ParseSettingRange(value);
    return range ? view_.ChangeXRange(range->first, range->second) : E_INVALIDARG;
}

HRESULT ViewSettingProtocol::SetSelection(std::u16string_view value)
{
    const auto range = ParseSettingRange(value);
    return range ? view_.ChangeSelection(range->first, range->second) : E_INVALIDARG;
}

HRESULT ViewSettingProtocol::SetPage(std::u16string_view value)
{
    const std::optional<std::int32_t> page = ParseSettingWholeNumber(value);
    if (!page || *page < 1) {
        return E_INVALIDARG;
    }
    view_.ShowPage(*page - 1);
    return S_OK;
}

HRESULT ViewSettingProtocol::SetStatistics(std::u16string_view value)
{
    const std::optional<std::int32_t> options = ParseSettingWholeNumber(value);
    return options ? view_.ChangeStatisticsOptions(*options) : E_INVALIDARG;
}

HRESULT ViewSettingProtocol::SetSize(std::u16string_view value)
{
    const auto size = ParseSettingSize(value, kLargestSide);
    if (!size) {
        return E_INVALIDARG;
    }
    view_.ResizePicture(size->first, size->second);
    return S_OK;
}

HRESULT ViewSettingProtocol::WritePicture(std::u16string_view path)
{
    const std::u16string lower = LowerCase(path);
    const auto endsWith = [&lower](std::u16string_view extension) { return lower.ends_with(extension); };
    const VEX::String file{std::u16string(path)};
    try {
        if (endsWith(u".png")) {
            ui::SavePng(file, view_.PictureSize(), view_.FigurePicture(), view_.FigureDpi());
        } else if (endsWith(u".svg")) {
            ui::SaveSvg(file, view_.PictureSize(), view_.FigurePicture());
        } else if (endsWith(u".pdf")) {
            ui::SavePdf(file, view_.PictureSize(), view_.FigurePicture());
        } else {
            return E_INVALIDARG;
        }
    } catch (const VEX::XVEX&) {
        return E_FAIL;
    }
    return S_OK;
}

// S_FALSE when the user cancels the print dialog.
HRESULT ViewSettingProtocol::Print(std::u16string_view how)
{
    if (how == u"dialog") {
        return view_.Print() ? S_OK : S_FALSE;
    }
    if (how == u"preview") {
        view_.PrintPreview();
        return S_OK;
    }
    if (!LowerCase(how).ends_with(u".pdf")) {
        return E_INVALIDARG;
    }
    try {
        view_.PrintToFile(VEX::String{std::u16string(how)});
    } catch (const VEX::XVEX&) {
        return E_FAIL;
    }
    return S_OK;
}

} // namespace Nerolith
