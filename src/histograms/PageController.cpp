#include "histograms/PageController.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "histograms/HistogramPane.h"
#include "module/SpikeView.h"
#include "platform/error/XVEX.h"

namespace Nerolith {

namespace {

// The analysed position advanced while sampling.
constexpr std::int32_t kDataAdvance = 2;
// Relative; far below a tick at any sampling rate, far above the rounding
// of sums of page durations.
constexpr double kTimeTolerance = 1e-9;

bool IsUsable(const SpikeNotification& record)
{
    return record.block >= 0 && record.block != INT_MAX && std::isfinite(record.time);
}

} // namespace

PageController::PageController(SpikeQuantity quantity) : quantity_(quantity)
{
}

void PageController::SetSettings(const PagingSettings& settings)
{
    if (const std::optional<std::string> error = PagingSettingsError(settings)) {
        throw VEX::XVEX(*error);
    }
    settings_ = settings;
}

void PageController::AddPane(HistogramPane& pane)
{
    if (std::find(panes_.begin(), panes_.end(), &pane) == panes_.end()) {
        panes_.push_back(&pane);
    }
}

void PageController::RemovePane(const HistogramPane& pane)
{
    std::erase(panes_, &pane);
}

void PageController::Reset()
{
    for (HistogramPane* pane : panes_) {
        pane->Clear();
    }
    pageCount_ = 0;
    currentPage_ = 0;
    firstBlock_ = 0;
    pageStart_ = 0.0;
    stimulusCount_ = 0;
    if (listener_) {
        listener_->PagesChanged(0);
    }
    SetWaiting(settings_.mode == kStimulusEvents);
}

void PageController::Notify(const SpikeNotification& record)
{
    if (!IsUsable(record)) {
        return;
    }
    ApplyPaging(record.code, record.block, record.time);
    if (record.code == SpikeNotification::kSpike) {
        PassSpike(record.unit, record);
    } else if (record.code == SpikeNotification::kReference) {
        PassSpike(kReferenceUnit, record);
    }
}

void PageController::Advance(std::int32_t block, double t)
{
    if (block < 0 || block == INT_MAX || !std::isfinite(t)) {
        return;
    }
    if (!waiting_) {
        for (HistogramPane* pane : panes_) {
            pane->ShowTime(t);
        }
    }
    ApplyPaging(kDataAdvance, block, t);
}

void PageController::ShowPage(std::int32_t page)
{
    if (pageCount_ == 0) {
        return;
    }
    currentPage_ = std::clamp(page, 0, pageCount_ - 1);
    for (HistogramPane* pane : panes_) {
        pane->SetCurrentPage(currentPage_);
    }
}

void PageController::PreviousPage()
{
    ShowPage(currentPage_ - 1);
}

void PageController::NextPage()
{
    ShowPage(currentPage_ + 1);
}

void PageController::ApplyPaging(std::int32_t code, std::int32_t block, double t)
{
    if (code == SpikeNotification::kBlockStart && settings_.mode != kStimulusEvents && pageCount_ == 0) {
        NewPage(block, t);
        return;
    }
    switch (settings_.mode) {
    case kNoPaging:
        if (code == SpikeNotification::kBlockEnd && pageCount_ > 0) {
            EndBlock(t);
        }
        break;
    case kBlocksPerPage:
        PageByBlocks(code, block, t);
        break;
    case kFixedDuration:
        PageByDuration(code, block, t);
        break;
    default:
        PageByStimulus(code, block, t);
        break;
    }
}

void PageController::PageByBlocks(std::int32_t code, std::int32_t block, double t)
{
    if (pageCount_ == 0) {
        return;
    }
    if (code == SpikeNotification::kBlockEnd) {
        EndBlock(t);
    }
    // A gap of several blocks leaves the pages between empty.
    while (static_cast<std::int64_t>(block) - firstBlock_ >= settings_.blocksPerPage && pageCount_ < kMaxPages) {
        NewPage(static_cast<std::int32_t>(firstBlock_ + settings_.blocksPerPage), 0.0);
    }
}

void PageController::PageByDuration(std::int32_t code, std::int32_t block, double t)
{
    if (pageCount_ == 0) {
        return;
    }
    // A page never spans two blocks.
    if (block != firstBlock_) {
        NewPage(block, 0.0);
    }
    // Data at a page's start belong to that page; a position reached (the
    // data advancing while sampling, a block's end) opens a page only once
    // it is past the start, so that no path makes an empty page at a block's
    // end. Page starts are sums of durations and a block's length a product
    // of ticks, so both are compared with a tolerance.
    const bool atData = code == SpikeNotification::kSpike || code == SpikeNotification::kReference ||
                        code == SpikeNotification::kStimulus;
    const double tolerance = kTimeTolerance * std::max(1.0, std::fabs(t));
    const auto due = [&] {
        const double next = pageStart_ + settings_.fixedDuration;
        return atData ? t >= next - tolerance : t > next + tolerance;
    };
    while (due() && pageCount_ < kMaxPages) {
        NewPage(block, pageStart_ + settings_.fixedDuration);
    }
    if (code == SpikeNotification::kBlockEnd) {
        EndSegments();
    }
}

void PageController::PageByStimulus(std::int32_t code, std::int32_t block, double t)
{
    if (!waiting_ && block != firstBlock_) {
        SetWaiting(true);
    }
    if (code == SpikeNotification::kBlockEnd) {
        EndSegments();
        return;
    }
    if (code != SpikeNotification::kStimulus) {
        return;
    }
    if (waiting_) {
        NewPage(block, t);
        SetWaiting(false);
    }
    Stimulus(t);
    // Stimulus before NewPage: the pre-stimulus spikes of the stimulus that
    // opens a page are counted on that page.
    if (stimulusCount_ >= settings_.eventsPerPage) {
        NewPage(block, t);
    }
    ++stimulusCount_;
}

void PageController::NewPage(std::int32_t block, double t)
{
    if (pageCount_ >= kMaxPages) {
        return;
    }
    // What the correlations still hold belongs to the page that ends.
    if (pageCount_ > 0) {
        for (HistogramPane* pane : panes_) {
            pane->Flush();
        }
    }
    firstBlock_ = block;
    pageStart_ = t;
    stimulusCount_ = 0;
    for (HistogramPane* pane : panes_) {
        pane->StartPage(t, block);
    }
    ++pageCount_;
    currentPage_ = pageCount_ - 1;
    for (HistogramPane* pane : panes_) {
        pane->SetCurrentPage(currentPage_);
    }
    if (listener_) {
        listener_->PagesChanged(pageCount_);
    }
}

void PageController::EndBlock(double length)
{
    for (HistogramPane* pane : panes_) {
        pane->AddElapsed(length);
        pane->EndSegment();
    }
}

void PageController::EndSegments()
{
    for (HistogramPane* pane : panes_) {
        pane->EndSegment();
    }
}

void PageController::Stimulus(double t)
{
    for (HistogramPane* pane : panes_) {
        pane->SetReferenceTime(t);
    }
}

void PageController::PassSpike(std::int32_t unit, const SpikeNotification& record)
{
    if (quantity_ == SpikeQuantity::Height) {
        if (waiting_) {
            return;
        }
        for (HistogramPane* pane : panes_) {
            if (pane->Unit() == unit) {
                pane->AddSpike(unit, record.height);
            }
        }
        return;
    }
    for (HistogramPane* pane : panes_) {
        if (waiting_) {
            pane->HoldSpike(unit, record.time);
        } else {
            pane->AddSpike(unit, record.time);
        }
    }
}

void PageController::SetWaiting(bool waiting)
{
    if (waiting == waiting_) {
        return;
    }
    waiting_ = waiting;
    if (listener_) {
        listener_->WaitingChanged(waiting);
    }
}

} // namespace Nerolith
