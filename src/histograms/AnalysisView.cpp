#include "histograms/AnalysisView.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "graph/HistogramWindow.h"
#include "histograms/AnalysisViewPrintout.h"
#include "histograms/AnalysisViewSettings.h"
#include "histograms/BinSizeDialog.h"
#include "histograms/BinSizeSteps.h"
#include "histograms/NumberText.h"
#include "histograms/PagingDialog.h"
#include "histograms/StatisticsDialog.h"
#include "histograms/StatisticsText.h"
#include "platform/error/XVEX.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Print.h"
#include "platform/ui/TDC.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {

namespace ui = platform::ui;
namespace Name = ViewSettingName;

namespace {

constexpr std::int32_t kDefaultWidth = 720;
constexpr std::int32_t kDefaultHeight = 540;
// The largest picture a script may ask for, in pixels each way.
constexpr std::int32_t kLargestSide = 20000;

std::u16string WholeText(std::int64_t value)
{
    const std::string text = std::to_string(value);
    return {text.begin(), text.end()};
}

std::u16string LowerCase(std::u16string_view text)
{
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::tolower(c)) : c; });
    return lower;
}

} // namespace

AnalysisView::AnalysisView(SpikeDoc& document, Host::ViewKind kind, SpikeQuantity quantity)
    : ui::TWindow(nullptr, u"Nerolith Analysis View"), document_(&document), kind_(kind), toolbar_(this, *this),
      paneArea_(this, u"Panes"), paging_(quantity), unitsText_(u"s"),
      statisticsOptions_(kShowAllStatistics)
{
    paging_.SetListener(this);
    MoveWindow(0, 0, kDefaultWidth, kDefaultHeight, false);
}

AnalysisView::~AnalysisView()
{
    document_->DetachView(*this);
}

// ---- What the document tells the view ----

void AnalysisView::Notify(const SpikeNotification& record)
{
    paging_.Notify(record);
}

void AnalysisView::DataAdvanced(std::int32_t block, double time)
{
    paging_.Advance(block, time);
}

void AnalysisView::Reset()
{
    paging_.Reset();
    UpdateToolbar();
}

void AnalysisView::ReadSettings()
{
    SetCaption(Title());
    SetUnitsText(AnalysisUnits());
    FollowSourceUnits();
    UpdateStatus();
    UpdateToolbar();
}

void AnalysisView::Recompute()
{
    ReapplyXRange();
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->Redraw();
    }
    UpdateToolbar();
}

void AnalysisView::Refresh()
{
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->Redraw();
    }
    UpdateStatus();
    UpdateToolbar();
    Invalidate();
}

void AnalysisView::AddPane(std::int32_t unit)
{
    const bool shown = std::ranges::any_of(panes_, [unit](const auto& pane) { return pane->Unit() == unit; });
    if (!shown) {
        AddUnitPane(unit);
        Layout();
        UpdateToolbar();
    }
}

void AnalysisView::RemovePane(std::int32_t unit)
{
    const auto found = std::ranges::find_if(panes_, [unit](const auto& pane) { return pane->Unit() == unit; });
    if (found == panes_.end()) {
        return;
    }
    paging_.RemovePane(**found);
    panes_.erase(found);
    Layout();
    UpdateToolbar();
    paneArea_.Invalidate();
}

// ---- Panes ----

std::vector<HistogramPane*> AnalysisView::Panes() const
{
    std::vector<HistogramPane*> panes;
    panes.reserve(panes_.size());
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        panes.push_back(pane.get());
    }
    return panes;
}

std::vector<const HistogramPane*> AnalysisView::DataSheetPanes() const
{
    std::vector<const HistogramPane*> panes;
    panes.reserve(panes_.size());
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        panes.push_back(pane.get());
    }
    return panes;
}

void AnalysisView::AddUnitPane(std::int32_t unit)
{
    Host::UnitDescription description;
    description.number = unit;
    if (const SpikeUnit* known = document_->Store().Units().Find(unit)) {
        description.name = known->Name();
        description.colour = known->Colour();
        description.channel = known->Channel();
    }
    std::unique_ptr<HistogramPane> pane = CreatePane(unit, description);
    ConfigurePane(*pane);
    pane->Create();
    paging_.AddPane(*pane);
    panes_.push_back(std::move(pane));
}

// A pane made after the settings changed takes them as the others have.
void AnalysisView::ConfigurePane(HistogramPane& pane)
{
    pane.SetBinSize(binSize_);
    pane.SetUnits(unitsText_);
    pane.SetStatisticsArea(StatisticsAreaHeight(statisticsOptions_));
    if (selection_) {
        pane.SetSelection(selection_->first, selection_->second);
    }
    if (xRange_) {
        ApplyXRange(pane, xRange_->first, xRange_->second);
        // A pane without pages takes a new lag window at once.
        pane.Reset();
        pane.ResetAxes();
    }
}

// The panes follow the source channel's units, also when the source
// channel changes: no unit has two panes, and none is left of another
// channel.
void AnalysisView::FollowSourceUnits()
{
    const std::vector<UnitSummary> units = document_->Store().Units().List(document_->Settings().sourceChannel);
    std::vector<std::int32_t> stale;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        const std::int32_t unit = pane->Unit();
        if (std::ranges::none_of(units, [unit](const UnitSummary& u) { return u.number == unit; })) {
            stale.push_back(unit);
        }
    }
    for (const std::int32_t unit : stale) {
        RemovePane(unit);
    }
    for (const UnitSummary& unit : units) {
        AddPane(unit.number);
    }
}

void AnalysisView::SetUnitsText(const VEX::String& text)
{
    unitsText_ = text;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->SetUnits(text);
    }
    UpdateToolbar();
}

void AnalysisView::ApplyXRange(HistogramPane& pane, double minimum, double maximum)
{
    pane.SetAutoScale(false);
    pane.Graph().SetDomain(minimum, maximum);
}

// A new analysis puts the graphs' X ranges back to where the data go; the
// range the user set is given again once it is done.
void AnalysisView::ReapplyXRange()
{
    if (!xRange_ || XRangeCountsAgain()) {
        return;
    }
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        ApplyXRange(*pane, xRange_->first, xRange_->second);
    }
}

// ---- Texts ----

VEX::String AnalysisView::Title() const
{
    VEX::String channel;
    const std::int32_t source = document_->Settings().sourceChannel;
    IHostRecording* recording = document_->Recording();
    if (recording == nullptr || Failed(recording->ChannelTitle(source, &channel))) {
        channel = VEX::String(u"Channel " + WholeText(std::int64_t{source} + 1));
    }
    return channel + VEX::String(u": ") + ViewName();
}

VEX::String AnalysisView::PagingHint() const
{
    return VEX::String(u"Open Paging Options Dialog");
}

VEX::String AnalysisView::StatusText() const
{
    return toolbar_.GetControlText(AnalysisViewToolbar::kStatus);
}

VEX::String AnalysisView::BinSizeText() const
{
    return VEX::String(DefaultNumber(binSize_) + u" " + unitsText_.Str());
}

VEX::String AnalysisView::PageText() const
{
    if (paging_.PageCount() == 0) {
        return VEX::String(u"No Pages");
    }
    return VEX::String(u"Page " + WholeText(std::int64_t{paging_.CurrentPage()} + 1) + u" of " +
                       WholeText(paging_.PageCount()));
}

ui::TPopupMenu AnalysisView::BinSizeMenu() const
{
    ui::TPopupMenu menu;
    menu.AppendItem(kBinSizeItem, BinSizeText(), true, true);
    menu.AppendItem(kSetBinSizeItem, u"Set Bin Size...");
    return menu;
}

ui::TPopupMenu AnalysisView::PageMenu() const
{
    ui::TPopupMenu menu;
    const std::int32_t pages = paging_.PageCount();
    if (pages == 0) {
        menu.AppendItem(kFirstPageItem, u"No Pages", false);
        return menu;
    }
    const std::u16string of = u" of " + WholeText(pages);
    for (std::int32_t page = 0; page < pages; ++page) {
        menu.AppendItem(kFirstPageItem + static_cast<std::uint32_t>(page),
                        VEX::String(u"Page " + WholeText(std::int64_t{page} + 1) + of), true,
                        page == paging_.CurrentPage());
    }
    return menu;
}

void AnalysisView::UpdateStatus()
{
    toolbar_.SetControlText(AnalysisViewToolbar::kStatus,
                            paging_.IsWaiting() ? VEX::String(kWaitingText) : ReferenceLabel());
}

void AnalysisView::UpdateToolbar()
{
    const bool idle = !document_->IsSampling();
    toolbar_.EnableControl(AnalysisViewToolbar::kDecreaseBinSize,
                           idle && HasPanes() && CanDecreaseBinSize(binSize_));
    toolbar_.EnableControl(AnalysisViewToolbar::kIncreaseBinSize, idle && HasPanes());
    toolbar_.EnableControl(AnalysisViewToolbar::kPreviousPage, paging_.CanGoPrevious());
    toolbar_.EnableControl(AnalysisViewToolbar::kNextPage, paging_.CanGoNext());
    toolbar_.SetControlText(AnalysisViewToolbar::kBinSizeMenu, BinSizeText());
    toolbar_.SetControlText(AnalysisViewToolbar::kPageMenu, PageText());
}

// ---- Paging ----

void AnalysisView::PagesChanged(std::int32_t)
{
    toolbar_.SetControlText(AnalysisViewToolbar::kPageMenu, PageText());
    toolbar_.EnableControl(AnalysisViewToolbar::kPreviousPage, paging_.CanGoPrevious());
    toolbar_.EnableControl(AnalysisViewToolbar::kNextPage, paging_.CanGoNext());
}

void AnalysisView::WaitingChanged(bool)
{
    UpdateStatus();
}

void AnalysisView::ShowPage(std::int32_t page)
{
    if (paging_.PageCount() == 0) {
        return;
    }
    paging_.ShowPage(page);
    UpdateToolbar();
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->Redraw();
    }
    // The Data Sheet reads the page shown.
    document_->SendDocumentChanged();
}

// ---- The toolbar ----

void AnalysisView::ToolbarCommand(std::int32_t id)
{
    switch (id) {
    case AnalysisViewToolbar::kDecreaseBinSize:
        DecreaseBinSize();
        break;
    case AnalysisViewToolbar::kBinSizeMenu:
        PopUpBinSizeMenu();
        break;
    case AnalysisViewToolbar::kIncreaseBinSize:
        IncreaseBinSize();
        break;
    case AnalysisViewToolbar::kStatistics:
        OpenStatisticsDialog();
        break;
    case AnalysisViewToolbar::kPaging:
        OpenPagingDialog();
        break;
    case AnalysisViewToolbar::kPreviousPage:
        ShowPage(paging_.CurrentPage() - 1);
        break;
    case AnalysisViewToolbar::kPageMenu:
        PopUpPageMenu();
        break;
    case AnalysisViewToolbar::kNextPage:
        ShowPage(paging_.CurrentPage() + 1);
        break;
    default:
        break;
    }
}

void AnalysisView::IncreaseBinSize()
{
    if (HasPanes()) {
        SendSetting(Name::kBinSize, SettingNumberText(NextLargerBinSize(binSize_)));
    }
}

void AnalysisView::DecreaseBinSize()
{
    if (HasPanes() && CanDecreaseBinSize(binSize_)) {
        SendSetting(Name::kBinSize, SettingNumberText(NextSmallerBinSize(binSize_)));
    }
}

void AnalysisView::PopUpBinSizeMenu()
{
    const ui::TPopupMenu menu = BinSizeMenu();
    if (menu.TrackPopupMenu(toolbar_.MenuPoint(AnalysisViewToolbar::kBinSizeMenu), this) == kSetBinSizeItem) {
        OpenBinSizeDialog();
    }
}

void AnalysisView::PopUpPageMenu()
{
    const std::uint32_t chosen =
        PageMenu().TrackPopupMenu(toolbar_.MenuPoint(AnalysisViewToolbar::kPageMenu), this);
    if (chosen >= kFirstPageItem) {
        ShowPage(static_cast<std::int32_t>(chosen - kFirstPageItem));
    }
}

void AnalysisView::OpenBinSizeDialog()
{
    BinSizeDialog dialog(this, binSize_, unitsText_);
    if (dialog.Execute() == ui::IDOK && dialog.BinSize() != binSize_) {
        SendSetting(Name::kBinSize, SettingNumberText(dialog.BinSize()));
    }
}

void AnalysisView::OpenStatisticsDialog()
{
    StatisticsDialog dialog(this, statisticsOptions_);
    if (dialog.Execute() == ui::IDOK && dialog.Options() != statisticsOptions_) {
        SendSetting(Name::kStatistics, WholeText(dialog.Options()));
    }
}

void AnalysisView::OpenPagingDialog()
{
    PagingDialog dialog(this, paging_.Settings());
    if (dialog.Execute() == ui::IDOK && dialog.Settings() != paging_.Settings()) {
        SendSetting(Name::kPaging, PagingText(dialog.Settings()));
    }
}

void AnalysisView::SelectionChosen(double start, double end)
{
    SendSetting(Name::kSelectionX, SettingRangeText(std::min(start, end), std::max(start, end)));
}

// ---- Settings: to the document and back ----

bool AnalysisView::SendSetting(std::u16string_view name, const std::u16string& value)
{
    return Succeeded(document_->SetViewSetting(kind_, VEX::String(name), VEX::String(value)));
}

HRESULT AnalysisView::SetSetting(const VEX::String& name, const VEX::String& value)
{
    try {
        const HRESULT own = SetOwnSetting(name.View(), value.View());
        return own == S_FALSE ? ApplySetting(name.View(), value.View()) : own;
    } catch (const VEX::XVEX&) {
        return E_INVALIDARG;
    }
}

HRESULT AnalysisView::GetSetting(const VEX::String& name, VEX::String* value)
{
    if (value == nullptr) {
        return E_POINTER;
    }
    std::optional<std::u16string> text = OwnSetting(name.View());
    if (!text) {
        text = Setting(name.View());
    }
    if (!text) {
        return E_INVALIDARG;
    }
    *value = VEX::String(std::move(*text));
    return S_OK;
}

HRESULT AnalysisView::SetOwnSetting(std::u16string_view, std::u16string_view)
{
    return S_FALSE;
}

std::optional<std::u16string> AnalysisView::OwnSetting(std::u16string_view) const
{
    return std::nullopt;
}

HRESULT AnalysisView::ApplySetting(std::u16string_view name, std::u16string_view value)
{
    if (const HRESULT figure = ApplyFigureSetting(name, value); figure != S_FALSE) {
        return figure;
    }
    if (name == Name::kBinSize) {
        return ApplyBinSize(value);
    }
    if (name == Name::kPaging) {
        const std::optional<PagingSettings> paging = ParsePagingText(value, paging_.Settings());
        return paging ? ApplyPaging(*paging) : E_INVALIDARG;
    }
    if (name == Name::kXRange) {
        return ApplyXRangeSetting(value);
    }
    if (name == Name::kSelectionX) {
        return ApplySelection(value);
    }
    if (name == Name::kPage) {
        return ApplyPage(value);
    }
    if (name == Name::kStatistics) {
        return ApplyStatistics(value);
    }
    if (name == Name::kSize) {
        return ApplySize(value);
    }
    if (name == Name::kWritePicture) {
        return WritePicture(value);
    }
    return E_INVALIDARG;
}

std::optional<std::u16string> AnalysisView::Setting(std::u16string_view name) const
{
    if (name == Name::kBinSize) {
        return SettingNumberText(binSize_);
    }
    if (name == Name::kPaging) {
        return PagingText(paging_.Settings());
    }
    if (name == Name::kXRange) {
        return XRangeText();
    }
    if (name == Name::kSelectionX) {
        return SelectionText();
    }
    if (name == Name::kPage) {
        return WholeText(paging_.PageCount() == 0 ? 0 : std::int64_t{paging_.CurrentPage()} + 1);
    }
    if (name == Name::kStatistics) {
        return WholeText(statisticsOptions_);
    }
    if (name == Name::kSize) {
        const ui::TSize size = PictureSize();
        return WholeText(size.cx) + u"x" + WholeText(size.cy);
    }
    if (name == Name::kTitle) {
        return Title().Str();
    }
    if (name == Name::kPageCount) {
        return WholeText(paging_.PageCount());
    }
    if (name == Name::kCopiedText) {
        return CopiedText();
    }
    if (name == Name::kStatisticsLines) {
        return StatisticsLines();
    }
    return std::nullopt;
}

HRESULT AnalysisView::ApplyBinSize(std::u16string_view value)
{
    const std::optional<double> binSize = ParseSettingNumber(value);
    if (!binSize || *binSize < kSmallestBinSize) {
        return E_INVALIDARG;
    }
    if (*binSize == binSize_) {
        return S_OK;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    binSize_ = *binSize;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->SetBinSize(binSize_);
    }
    UpdateToolbar();
    AnalyseAgain();
    return S_OK;
}

HRESULT AnalysisView::ApplyPaging(const PagingSettings& settings, bool sourcesChanged)
{
    if (PagingSettingsError(settings)) {
        return E_INVALIDARG;
    }
    if (settings == paging_.Settings() && !sourcesChanged) {
        return S_OK;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    paging_.SetSettings(settings);
    AnalyseAgain();
    return S_OK;
}

HRESULT AnalysisView::ApplyXRangeSetting(std::u16string_view value)
{
    const auto range = ParseSettingRange(value);
    if (!range || !(range->first < range->second)) {
        return E_INVALIDARG;
    }
    if (XRangeCountsAgain() && !CanAnalyseAgain()) {
        return E_FAIL;
    }
    xRange_ = range;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        ApplyXRange(*pane, range->first, range->second);
    }
    if (XRangeCountsAgain()) {
        AnalyseAgain();
    }
    return S_OK;
}

std::u16string AnalysisView::XRangeText() const
{
    if (xRange_) {
        return SettingRangeText(xRange_->first, xRange_->second);
    }
    if (panes_.empty()) {
        return {};
    }
    const auto [minimum, maximum] = panes_.front()->Graph().GetDomain();
    return SettingRangeText(minimum, maximum);
}

HRESULT AnalysisView::ApplySelection(std::u16string_view value)
{
    const auto range = ParseSettingRange(value);
    if (!range || range->first > range->second) {
        return E_INVALIDARG;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    selection_.reset();
    if (range->first < range->second) {
        selection_ = range;
    }
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->SetSelection(range->first, range->second);
    }
    AnalyseAgain();
    return S_OK;
}

// The selection as the panes snapped it to their bins.
std::u16string AnalysisView::SelectionText() const
{
    if (!selection_) {
        return {};
    }
    if (panes_.empty()) {
        return SettingRangeText(selection_->first, selection_->second);
    }
    const BinSelection& snapped = panes_.front()->Selection();
    return SettingRangeText(snapped.start, snapped.end);
}

HRESULT AnalysisView::ApplyPage(std::u16string_view value)
{
    const std::optional<std::int32_t> page = ParseSettingWholeNumber(value);
    if (!page || *page < 1) {
        return E_INVALIDARG;
    }
    ShowPage(*page - 1);
    return S_OK;
}

HRESULT AnalysisView::ApplyStatistics(std::u16string_view value)
{
    const std::optional<std::int32_t> options = ParseSettingWholeNumber(value);
    if (!options || *options < 0 || *options > kShowAllStatistics) {
        return E_INVALIDARG;
    }
    statisticsOptions_ = *options;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->SetStatisticsArea(StatisticsAreaHeight(statisticsOptions_));
    }
    Layout();
    paneArea_.Invalidate();
    return S_OK;
}

HRESULT AnalysisView::ApplySize(std::u16string_view value)
{
    const auto size = ParseSettingSize(value, kLargestSide);
    if (!size) {
        return E_INVALIDARG;
    }
    const ui::TRect window = GetWindowRect();
    MoveWindow(window.left, window.top, size->first, size->second + AnalysisViewToolbar::kHeight);
    return S_OK;
}

HRESULT AnalysisView::WritePicture(std::u16string_view path)
{
    const std::u16string lower = LowerCase(path);
    const auto endsWith = [&lower](std::u16string_view extension) { return lower.ends_with(extension); };
    const VEX::String file{std::u16string(path)};
    try {
        if (endsWith(u".png")) {
            ui::SavePng(file, PictureSize(), FigurePicture(), figureOptions_.dpi);
        } else if (endsWith(u".svg")) {
            ui::SaveSvg(file, PictureSize(), FigurePicture());
        } else if (endsWith(u".pdf")) {
            ui::SavePdf(file, PictureSize(), FigurePicture());
        } else {
            return E_INVALIDARG;
        }
    } catch (const VEX::XVEX&) {
        return E_FAIL;
    }
    return S_OK;
}

bool AnalysisView::CanAnalyseAgain() const
{
    return !document_->IsSampling();
}

void AnalysisView::AnalyseAgain()
{
    document_->AnalyzeChannel(document_->Settings().sourceChannel);
    document_->SendDocumentChanged();
}

std::vector<VEX::String> AnalysisView::EventSourceNames() const
{
    std::vector<VEX::String> names;
    ComPtr<IHostCalc> calc;
    IHostDocument* host = document_->HostDocument();
    if (host == nullptr || Failed(host->GetCalc(calc.Put())) || !calc) {
        return names;
    }
    const std::int32_t count = calc->EventSourceCount();
    for (std::int32_t position = 0; position < count; ++position) {
        VEX::String name;
        if (Succeeded(calc->EventSourceNameAt(position, &name)) && !name.Empty()) {
            names.push_back(name);
        }
    }
    return names;
}

Host::ChannelAnalysisRecord AnalysisView::SourceRecord() const
{
    Host::ChannelAnalysisRecord record;
    document_->GetChannelRecord(document_->Settings().sourceChannel, &record);
    return record;
}

void AnalysisView::StoreSourceRecord(const Host::ChannelAnalysisRecord& record)
{
    document_->SetChannelRecord(record);
}

// ---- Copy and print ----

std::u16string AnalysisView::CopiedText() const
{
    std::u16string text;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->CopyText(text);
    }
    return text;
}

std::u16string AnalysisView::StatisticsLines() const
{
    std::u16string text;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->BuildStatisticsText();
        for (const std::u16string* line : {&pane->Lines().header, &pane->Lines().x, &pane->Lines().y}) {
            if (!line->empty()) {
                text += *line + u"\n";
            }
        }
    }
    return text;
}

ui::TSize AnalysisView::PictureSize() const
{
    const ui::TRect area = paneArea_.GetClientRect();
    return {std::max(area.Width(), 1), std::max(area.Height(), 1)};
}

ui::PaintFunction AnalysisView::Picture()
{
    return ui::PaintOf(paneArea_);
}

bool AnalysisView::Copy()
{
    ui::ClipboardContent content;
    content.pictureSize = PictureSize();
    content.picture = Picture();
    content.text = VEX::String(CopiedText());
    if (!ui::CopyToClipboard(content)) {
        ui::MessageBox(this, u"Unable to copy to clipboard at present", u"Error", ui::MB_OK | ui::MB_ICONSTOP);
        return false;
    }
    return true;
}

bool AnalysisView::Print()
{
    AnalysisViewPrintout printout(*this);
    return ui::Print(printout, this);
}

void AnalysisView::PrintToFile(const VEX::String& path)
{
    AnalysisViewPrintout printout(*this);
    ui::PrintToPdf(printout, path);
}

// ---- Layout and painting ----

void AnalysisView::SetupWindow()
{
    ui::TWindow::SetupWindow();
    toolbar_.SetPagingHint(PagingHint());
    ReadSettings();
    Layout();
}

void AnalysisView::Paint(ui::TDC& dc, bool, ui::TRect&)
{
    dc.FillRect(GetClientRect(), ui::TBrush::LightGray());
}

void AnalysisView::EvSize(std::uint32_t, const ui::TSize&)
{
    Layout();
}

void AnalysisView::Layout()
{
    const ui::TRect client = GetClientRect();
    toolbar_.MoveWindow(0, 0, client.Width(), AnalysisViewToolbar::kHeight);
    paneArea_.MoveWindow(0, AnalysisViewToolbar::kHeight, client.Width(),
                         std::max(client.Height() - AnalysisViewToolbar::kHeight, 0));
    LayoutPanes({client.Width(), std::max(client.Height() - AnalysisViewToolbar::kHeight, 0)});
}

void AnalysisView::LayoutPanes(const ui::TSize& size)
{
    const auto count = static_cast<std::int32_t>(panes_.size());
    if (count == 0) {
        return;
    }
    const std::int32_t height = size.cy / count;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t top = i * height;
        const std::int32_t bottom = i == count - 1 ? size.cy : top + height;
        panes_[static_cast<std::size_t>(i)]->MoveWindow(0, top, size.cx, bottom - top);
    }
}

void AnalysisView::PaintPicture(ui::TDC& dc, const ui::TRect& rect)
{
    struct Restore {
        AnalysisView& view;
        ~Restore() { view.Layout(); }
    } restore{*this};
    LayoutPanes({rect.Width(), rect.Height()});
    Picture()(dc, rect);
}

} // namespace Nerolith
