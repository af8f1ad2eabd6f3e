#pragma once

#include <cstdint>
#include <vector>

#include "histograms/PagingSettings.h"
#include "module/SpikeNotification.h"

namespace Nerolith {

class HistogramPane;

// What the view shows of the paging.
class PageListener {
public:
    // The page count changed: 0 after a reset; after a new page, the newest
    // page is every pane's current page.
    virtual void PagesChanged(std::int32_t pageCount) = 0;
    // Waiting for a stimulus began or ended ("Waiting for stimulus...").
    virtual void WaitingChanged(bool waiting) = 0;

protected:
    ~PageListener() = default;
};

// Which value of a spike the panes count: its time (five of the analyses)
// or its height (the amplitude histogram).
enum class SpikeQuantity : std::uint8_t { Time, Height };

// The paging of an analysis view: it takes the document's notifications,
// starts pages on the view's panes by the paging mode (none, blocks per
// page, fixed duration, stimulus events), ends segments at block ends, tells
// the panes of stimuli and hands them the spikes and reference events.
//
// The panes are the view's (not owned); the view adds and removes them.
//
// Notifications of a negative block, the no-block sentinel or a time that is
// not finite are ignored; at most kMaxPages pages are started, after which
// the data fall on the last page.
class PageController {
public:
    static constexpr std::int32_t kMaxPages = 100000;

    explicit PageController(SpikeQuantity quantity = SpikeQuantity::Time);

    void SetListener(PageListener* listener) { listener_ = listener; }

    const PagingSettings& Settings() const { return settings_; }
    // Refuses settings out of range (VEX::XVEX with the reason). The view
    // analyses again after a change, which resets the paging.
    void SetSettings(const PagingSettings& settings);

    void AddPane(HistogramPane& pane);
    void RemovePane(const HistogramPane& pane);
    const std::vector<HistogramPane*>& Panes() const { return panes_; }

    // An analysis starts or was cleared: every pane is cleared, no pages;
    // in stimulus mode the view waits for a stimulus.
    void Reset();
    // One notification of the document: the paging rules, then a spike
    // (code 0) or reference event (code 5, as unit -3) goes to the panes.
    void Notify(const SpikeNotification& record);
    // The analysed position advanced to time t of a block while sampling:
    // the panes' time axes follow (unless waiting), then the paging rules.
    void Advance(std::int32_t block, double t);

    std::int32_t PageCount() const { return pageCount_; }
    std::int32_t CurrentPage() const { return currentPage_; }
    bool IsWaiting() const { return waiting_; }
    // The current page's first block and start time (seconds from the start
    // of that block).
    std::int32_t PageFirstBlock() const { return firstBlock_; }
    double PageStartTime() const { return pageStart_; }

    // Shows page p (from 0), clamped to the pages there are; nothing
    // without pages. A pane with fewer pages shows its last one.
    void ShowPage(std::int32_t page);
    bool CanGoPrevious() const { return pageCount_ > 0 && currentPage_ > 0; }
    bool CanGoNext() const { return pageCount_ > 0 && currentPage_ < pageCount_ - 1; }
    void PreviousPage();
    void NextPage();

private:
    void ApplyPaging(std::int32_t code, std::int32_t block, double t);
    void PageByBlocks(std::int32_t code, std::int32_t block, double t);
    void PageByDuration(std::int32_t code, std::int32_t block, double t);
    void PageByStimulus(std::int32_t code, std::int32_t block, double t);
    void NewPage(std::int32_t block, double t);
    void EndBlock(double length);
    void EndSegments();
    void Stimulus(double t);
    void PassSpike(std::int32_t unit, const SpikeNotification& record);
    void SetWaiting(bool waiting);

    SpikeQuantity quantity_;
    PageListener* listener_ = nullptr;
    PagingSettings settings_;
    std::vector<HistogramPane*> panes_;
    std::int32_t pageCount_ = 0;
    std::int32_t currentPage_ = 0;
    std::int32_t firstBlock_ = 0;
    double pageStart_ = 0.0;
    std::int32_t stimulusCount_ = 0;
    bool waiting_ = false;
};

} // namespace Nerolith
