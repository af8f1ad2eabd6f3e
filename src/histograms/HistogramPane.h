#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "graph/BinPlotDataV3.h"
#include "graph/MessageReceiver.h"
#include "histograms/Figure.h"
#include "histograms/GraphRanges.h"
#include "histograms/HistogramPages.h"
#include "histograms/StatisticsText.h"
#include "host/ISpikeDocInterface.h"
#include "platform/text/VexString.h"
#include "platform/ui/TWindow.h"

namespace DUdido1 {
class BinLines;
class BinPlotter;
class DecadeLabels;
class ShadedSpan;
class HistogramWindow;
class SelectionQueen;
} // namespace DUdido1

namespace Nerolith {

class PaneOwner;

// The histogram of one unit in an analysis view: a child window holding the
// histogram graph, with three lines of statistics above it. It counts the
// values of its analysis into the bins of its pages (HistogramPages), serves
// the displayed page to the graph's plotter, keeps the graph's ranges in step
// with the counts, and describes the bin under the pointer.
//
// The six analyses derive from it and differ in how a spike becomes a value
// and a bin (AddSpike).
class HistogramPane : public platform::ui::TWindow, public DUdido1::BinPlotDataV3, private MessSys::MessageReceiver {
public:
    // The description gives the label (its name; "Unit " and the number
    // counted from 1 when it has none) and the colour of the bars.
    HistogramPane(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                  const Host::UnitDescription& description);
    ~HistogramPane() override;

    std::int32_t Unit() const { return unit_; }
    const VEX::String& Label() const { return label_; }
    DUdido1::HistogramWindow& Graph() { return *graph_; }
    const HistogramPages& Pages() const { return pages_; }

    double BinSize() const { return pages_.BinSize(); }
    // Refuses a size not above zero ("Broken bin size"). The graph draws
    // bins of the new width and the selection is fitted to them; counts
    // already made keep their bins, so the view analyses again.
    void SetBinSize(double binSize);
    double XOrigin() const { return pages_.XOrigin(); }
    void SetXOrigin(double xOrigin);
    std::optional<std::int64_t> BinIndex(double x) const { return pages_.BinIndex(x); }

    // At time t (seconds) of a block.
    std::int32_t StartPage(double t, std::int32_t block = 0);
    std::int32_t PageCount() const { return pages_.PageCount(); }
    std::int32_t CurrentPage() const { return pages_.CurrentPage(); }
    // A page beyond this pane's pages shows its last one.
    void SetCurrentPage(std::int32_t page);
    // The length of a block that ended on the newest page.
    void AddElapsed(double length) { pages_.AddElapsed(length); }
    // A time of the current block as time since the newest page began.
    double PageTime(double t) const { return pages_.PageTime(t); }
    double ReferenceTime() const { return pages_.ReferenceTime(); }
    // Back to no pages: graph ranges 0 to 1, then Reset() and ResetAxes().
    void Clear();

    const BinSelection& Selection() const { return pages_.Selection(); }
    void SetSelection(double start, double end);

    bool IsAutoScale() const { return autoScale_; }
    void SetAutoScale(bool autoScale) { autoScale_ = autoScale; }

    // Rebuilds the statistics lines (and the Y statistics) of the displayed
    // page; painting calls it.
    void BuildStatisticsText();
    const StatisticsLines& Lines() const { return lines_; }
    const StatsAccumulator& YStatistics() const { return yStatistics_; }
    // Pixels above the graph, for the view's layout; a new pane leaves room
    // for all three lines, as a new view shows all statistics.
    void SetStatisticsArea(std::int32_t height);
    std::int32_t StatisticsArea() const { return statisticsArea_; }

    const VEX::String& HintText() const { return hint_; }
    // The items' texts joined with ", "; repaints only on a change.
    void SetHint(const std::vector<VEX::String>& items);
    // The hint of the bin under an X value of the displayed page; empty
    // outside its bins.
    std::u16string HintAt(double x) const;

    void CopyText(std::u16string& out) const;
    // The displayed page as a published figure draws it (counts per bin).
    FigurePane FigureData() const;

    // The analysis' operations, in the order views rely on.
    virtual void SetReferenceTime(double t);
    virtual void EndSegment();
    virtual void Flush();
    // A spike (or reference event, unit -3) of a unit, as the analysis' own
    // value: a time in seconds from the start of its block, or a height.
    virtual void AddSpike(std::int32_t unit, double value) = 0;
    // A spike that arrives while the view waits for a stimulus: counted by
    // no analysis; the peristimulus histogram keeps it for the pre-stimulus
    // window of the coming stimulus.
    virtual void HoldSpike(std::int32_t unit, double value);
    virtual void SetUnits(const VEX::String& text);
    virtual void ShowTime(double t);
    virtual void ResetAxes();
    virtual void Reset();
    void Redraw();

    // The displayed page as the plotter draws it: bins from k0 x bin size,
    // or the overlay's bars.
    DUdido1::BinSeries Bins() const override;

    // What a view draws over the counts (a figure pane as the view decorates
    // it): its lines over the bars, its shaded interval behind them and its
    // Y title; with replacesBars, also its bars, X title (decades marked as
    // times on a log10 seconds axis) and ranges in place
    // of the counts', which then no longer move the ranges. Counting goes on
    // into the pages; the view shows the overlay again after each analysis.
    void ShowOverlay(const FigurePane& figure, bool replacesBars);
    // Back to the counts, their titles and ranges.
    void ClearOverlay();
    bool ReplacesBars() const { return bars_.has_value(); }

protected:
    // Counts x into a bin of the newest page and lets the graph's ranges
    // follow; nothing for a bin below 0, or without a page.
    void CountValue(std::int64_t bin, double x);
    // Counts each value as CountValue does; the ranges follow once.
    void CountValues(std::span<const BinnedValue> values);
    // CountValue at BinIndex(x).
    void CountAt(double x);
    // Widens the X ranges to show x (data range, and the visible one when
    // it showed all the data and auto-scale is on).
    void ExtendX(double x);
    // The X axis title (also the copied text's) and units.
    void SetXAxis(const VEX::String& title, const VEX::String& units);
    // Sets both X ranges, data and visible. The bin data's own X range
    // (BinPlotData::Extent) is not touched: it follows only the user's
    // changes of the X axis.
    void SetXRanges(double minimum, double maximum);

    void Paint(platform::ui::TDC& dc, bool erase, platform::ui::TRect& rect) override;
    void EvSize(std::uint32_t sizeType, const platform::ui::TSize& size) override;

private:
    void Receive(MessSys::Message& message) override;
    void Layout();
    void ApplyX(const RangeChange& change);
    void ApplyY(const RangeChange& change);
    void RequestRepaint();
    void ShowAxisTitles(const VEX::String& xTitle, const VEX::String& xUnits, const VEX::String& yTitle);

    PaneOwner& owner_;
    std::int32_t unit_;
    VEX::String label_;
    VEX::String xTitle_;
    VEX::String xUnits_;
    HistogramPages pages_;
    bool autoScale_ = true;
    StatisticsLines lines_;
    StatsAccumulator yStatistics_;
    std::int32_t statisticsArea_ = 0;
    VEX::String hint_;
    // While the pane sets the graph's X range itself; the bin data's X range
    // follows only what the user does.
    bool settingRanges_ = false;
    bool repaintPending_ = false;
    UnchangingX unchangingX_;
    // Declared before the graph, which lets go of it when destroyed.
    std::unique_ptr<DUdido1::SelectionQueen> selection_;
    std::unique_ptr<DUdido1::HistogramWindow> graph_;
    DUdido1::BinPlotter* plotter_ = nullptr;
    // Owned by the graph.
    DUdido1::ShadedSpan* shade_ = nullptr;
    DUdido1::BinLines* overlayLines_ = nullptr;
    DUdido1::DecadeLabels* decades_ = nullptr;
    // The overlay's bars, and the X ranges they replaced.
    struct OverlayBars {
        double firstBin = 0.0;
        double binWidth = 1.0;
        std::vector<float> values;
        std::optional<std::pair<AxisExtent, AxisExtent>> replacedX;
    };
    std::optional<OverlayBars> bars_;
};

} // namespace Nerolith
