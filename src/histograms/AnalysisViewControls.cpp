// The analysis view's toolbar: what its gadgets show, the menus they pop
// up, and what they do.
#include <algorithm>

#include "histograms/AnalysisView.h"
#include "histograms/AnalysisViewSettings.h"
#include "histograms/BinSizeDialog.h"
#include "histograms/BinSizeSteps.h"
#include "histograms/NumberText.h"
#include "histograms/PagingDialog.h"
#include "histograms/StatisticsDialog.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

namespace ui = platform::ui;
namespace Name = ViewSettingName;

// ---- Texts ----

VEX::String AnalysisView::Title() const
{
    VEX::String channel;
    const std::int32_t source = document_->Settings().sourceChannel;
    IHostRecording* recording = document_->Recording();
    if (recording == nullptr || Failed(recording->ChannelTitle(source, &channel))) {
        channel = VEX::String(u"Channel " + WholeNumber(std::int64_t{source} + 1));
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
    return VEX::String(u"Page " + WholeNumber(std::int64_t{paging_.CurrentPage()} + 1) + u" of " +
                       WholeNumber(paging_.PageCount()));
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
    const std::u16string of = u" of " + WholeNumber(pages);
    for (std::int32_t page = 0; page < pages; ++page) {
        menu.AppendItem(kFirstPageItem + static_cast<std::uint32_t>(page),
                        VEX::String(u"Page " + WholeNumber(std::int64_t{page} + 1) + of), true,
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
    ShowPaneOverlays();
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
        SendSetting(Name::kStatistics, WholeNumber(dialog.Options()));
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

} // namespace Nerolith
