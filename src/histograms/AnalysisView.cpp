#include "histograms/AnalysisView.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "detection/SpikeData.h"
#include "graph/HistogramWindow.h"
#include "histograms/AnalysisViewPrintout.h"
#include "histograms/AnalysisViewSettings.h"
#include "histograms/BinSizeSteps.h"
#include "histograms/StatisticsText.h"
#include "histograms/ViewSettingProtocol.h"
#include "module/AnalysisDocument.h"
#include "platform/error/XVEX.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Print.h"
#include "platform/ui/TDC.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

constexpr std::int32_t kDefaultWidth = 720;
constexpr std::int32_t kDefaultHeight = 540;

} // namespace

AnalysisView::AnalysisView(AnalysisDocument& document, Host::ViewKind kind, SpikeQuantity quantity)
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
    ShowPaneOverlays();
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->Redraw();
    }
    UpdateToolbar();
}

void AnalysisView::Refresh()
{
    ShowPaneOverlays();
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

void AnalysisView::ShowPaneOverlays()
{
    const PaneOverlay overlay = Overlay();
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        // Without bars of its own no overlay drew anything: the views that
        // have none are left as they are.
        if (overlay == PaneOverlay::None) {
            if (pane->ReplacesBars()) {
                pane->ClearOverlay();
            }
            continue;
        }
        FigurePane figure = pane->FigureData();
        DecorateFigurePane(*pane, figure);
        pane->ShowOverlay(figure, overlay == PaneOverlay::OwnBars);
    }
}

// A pane made after the settings changed takes them as the others have.
void AnalysisView::ConfigurePane(HistogramPane& pane)
{
    if (!menuItems_) {
        menuItems_ = std::make_unique<SettingMenuItems>(*document_, kind_, MenuChoices());
    }
    menuItems_->AddTo(pane.Graph().StyleMenu());
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

// ---- Settings: to the document and back ----

bool AnalysisView::SendSetting(std::u16string_view name, const std::u16string& value)
{
    return Succeeded(document_->SetViewSetting(kind_, VEX::String(name), VEX::String(value)));
}

HRESULT AnalysisView::SetSetting(const VEX::String& name, const VEX::String& value)
{
    try {
        const HRESULT own = SetOwnSetting(name.View(), value.View());
        if (own == S_OK) {
            ShowPaneOverlays();
        }
        return own == S_FALSE ? ViewSettingProtocol(*this).Set(name.View(), value.View()) : own;
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
        text = ViewSettingProtocol(*this).Get(name.View());
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

HRESULT AnalysisView::ChangeBinSize(double binSize)
{
    if (!(binSize >= kSmallestBinSize)) {
        return E_INVALIDARG;
    }
    if (binSize == binSize_) {
        return S_OK;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    binSize_ = binSize;
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

HRESULT AnalysisView::ChangeXRange(double minimum, double maximum)
{
    if (!(minimum < maximum)) {
        return E_INVALIDARG;
    }
    if (XRangeCountsAgain() && !CanAnalyseAgain()) {
        return E_FAIL;
    }
    xRange_ = {minimum, maximum};
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        ApplyXRange(*pane, minimum, maximum);
    }
    if (XRangeCountsAgain()) {
        AnalyseAgain();
    }
    return S_OK;
}

std::optional<std::pair<double, double>> AnalysisView::XRange() const
{
    if (xRange_ || panes_.empty()) {
        return xRange_;
    }
    return panes_.front()->Graph().GetDomain();
}

HRESULT AnalysisView::ChangeSelection(double start, double end)
{
    if (!(start <= end)) {
        return E_INVALIDARG;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    selection_.reset();
    if (start < end) {
        selection_ = {start, end};
    }
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->SetSelection(start, end);
    }
    AnalyseAgain();
    return S_OK;
}

std::optional<std::pair<double, double>> AnalysisView::Selection() const
{
    if (!selection_ || panes_.empty()) {
        return selection_;
    }
    const BinSelection& snapped = panes_.front()->Selection();
    return std::pair{snapped.start, snapped.end};
}

HRESULT AnalysisView::ChangeStatisticsOptions(std::int32_t options)
{
    if (options < 0 || options > kShowAllStatistics) {
        return E_INVALIDARG;
    }
    statisticsOptions_ = options;
    for (const std::unique_ptr<HistogramPane>& pane : panes_) {
        pane->SetStatisticsArea(StatisticsAreaHeight(statisticsOptions_));
    }
    Layout();
    paneArea_.Invalidate();
    return S_OK;
}

void AnalysisView::ResizePicture(std::int32_t width, std::int32_t height)
{
    const ui::TRect window = GetWindowRect();
    MoveWindow(window.left, window.top, width, height + AnalysisViewToolbar::kHeight);
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
        AppendPaneText(*pane, text);
    }
    return text;
}

void AnalysisView::AppendPaneText(const HistogramPane& pane, std::u16string& out) const
{
    pane.CopyText(out);
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

void AnalysisView::PrintPreview()
{
    AnalysisViewPrintout printout(*this);
    ui::PrintPreview(printout, this);
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
