#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "graph/BinPlotter.h"
#include "graph/GraphMenu.h"
#include "graph/GraphMessages.h"
#include "graph/HistogramWindow.h"
#include "histograms/AnalysisView.h"
#include "histograms/ViewClasses.h"
#include "platform/text/ListSeparator.h"
#include "platform/ui/RecordingDC.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

namespace {

using namespace Nerolith;
namespace ui = platform::ui;
using Host::ViewKind;

constexpr ui::COLORREF kShade = ui::RGB(0xDD, 0xDD, 0xDD);

// What the pane's graph drew, in the order drawn.
struct Drawn {
    ui::RecordingDC dc;

    explicit Drawn(HistogramPane& pane) { pane.Graph().Draw(dc, ui::TRect(0, 0, 400, 200)); }

    // Index of the first record of a kind that passes the test; -1 for none.
    template <class Test>
    std::ptrdiff_t First(Test test) const
    {
        const auto& records = dc.Records();
        const auto found = std::find_if(records.begin(), records.end(), test);
        return found == records.end() ? -1 : found - records.begin();
    }
    std::ptrdiff_t Shade() const
    {
        return First([](const ui::DrawRecord& r) {
            return r.op == ui::DrawOp::FillRect && r.fillBrush.color == kShade;
        });
    }
    // Black polylines: the band's lines (the bars are drawn in the unit's colour).
    std::vector<const ui::DrawRecord*> BandLines() const
    {
        std::vector<const ui::DrawRecord*> lines;
        for (const ui::DrawRecord* r : dc.Find(ui::DrawOp::Polyline)) {
            if (r->state.pen.color == ui::kBlack) {
                lines.push_back(r);
            }
        }
        return lines;
    }
    std::ptrdiff_t FirstBar() const
    {
        return First([](const ui::DrawRecord& r) { return r.op == ui::DrawOp::PolyPolyline; });
    }
};

// One unit firing in short bursts over 1 s, or the spikes given.
class PaneOverlayTest : public ::testing::Test {
protected:
    explicit PaneOverlayTest(
        const std::vector<int>& spikeTicks = {500, 700, 2000, 2150, 2400, 4000, 4110, 4300, 6000, 6200, 6500,
                                              8000, 8120, 9000},
        int ticks = 10000)
        : host(TestSupport::NewHostDocument(TestSupport::SpikyRecording({spikeTicks}, ticks))),
          doc(ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get())))
    {
        InstallAnalysisViews();
        VEX::OverrideListSeparator(u',');
        std::int32_t unit = -1;
        doc->CreateContourUnit(0, {0.0, 10.0, 10.0, 0.0}, {0.0, 0.0, 5.0, 5.0}, u"", &unit);
    }
    ~PaneOverlayTest() override
    {
        CloseAnalysisViews(*doc);
        VEX::OverrideListSeparator(std::nullopt);
    }

    HistogramPane& OpenAnalysed(ViewKind kind)
    {
        EXPECT_EQ(doc->OpenView(kind), S_OK);
        doc->RequestAnalyze();
        host->Messages().DeliverPending();
        auto& view = dynamic_cast<AnalysisView&>(*doc->FindView(kind));
        EXPECT_EQ(view.Panes().size(), 1u);
        return *view.Panes().front();
    }
    void Set(ViewKind kind, const char16_t* name, const char16_t* value)
    {
        ASSERT_EQ(doc->SetViewSetting(kind, name, value), S_OK);
    }
    std::u16string Get(ViewKind kind, const char16_t* name)
    {
        VEX::String value;
        EXPECT_EQ(doc->GetViewSetting(kind, name, &value), S_OK);
        return value.Str();
    }
    static std::vector<float> Shown(const HistogramPane& pane)
    {
        const DUdido1::BinSeries bins = pane.Bins();
        return {bins.counts.begin(), bins.counts.end()};
    }
    static const DUdido1::GraphMenuItem& Item(HistogramPane& pane, const char16_t* text)
    {
        const auto& items = pane.Graph().StyleMenu().Items();
        const auto found = std::find_if(items.begin(), items.end(), [text](const DUdido1::GraphMenuItem& i) {
            return i.text == VEX::String(text);
        });
        EXPECT_NE(found, items.end()) << VEX::String(text).ToUtf8();
        return *found;
    }
    static bool Checked(const DUdido1::GraphMenuItem& item)
    {
        DUdido1::PreDisplayMenuMessage state(item.id);
        item.receiver->Receive(state);
        return state.checked;
    }
    static void Choose(const DUdido1::GraphMenuItem& item)
    {
        DUdido1::OnMenuItemMessage choice(item.id);
        item.receiver->Receive(choice);
    }

    ComPtr<Desk::HostDocument> host;
    ComPtr<SpikeDoc> doc;
};

TEST_F(PaneOverlayTest, TheAutocorrelogramShadesTheRefractoryPeriodBehindTheBarsAndABandLiesOverThem)
{
    HistogramPane& pane = OpenAnalysed(ViewKind::Autocorrelation);
    {
        const Drawn drawn(pane);
        ASSERT_GE(drawn.Shade(), 0);
        ASSERT_GE(drawn.FirstBar(), 0);
        EXPECT_LT(drawn.Shade(), drawn.FirstBar()) << "the shade lies behind the bars";
        EXPECT_TRUE(drawn.BandLines().empty()) << "no band unless asked for";
        // 1.5 ms either side of zero lag.
        const ui::TRect shade = drawn.dc.Records()[static_cast<std::size_t>(drawn.Shade())].rect;
        const DUdido1::PlotFrame frame = pane.Graph().FrameFor(ui::TRect(0, 0, 400, 200));
        EXPECT_NEAR(shade.left, frame.PixelX(-0.0015), 1);
        EXPECT_NEAR(shade.right, frame.PixelX(0.0015), 1);
    }

    Set(ViewKind::Autocorrelation, u"band", u"poisson");
    const Drawn drawn(pane);
    const std::vector<const ui::DrawRecord*> lines = drawn.BandLines();
    ASSERT_EQ(lines.size(), 3u) << "expected, lower and upper";
    EXPECT_EQ(lines[0]->state.pen.style, ui::PenStyle::Solid);
    EXPECT_EQ(lines[1]->state.pen.style, ui::PenStyle::Dash);
    EXPECT_EQ(lines[2]->state.pen.style, ui::PenStyle::Dash);
    const auto& records = drawn.dc.Records();
    EXPECT_GT(std::find_if(records.begin(), records.end(),
                           [&](const ui::DrawRecord& r) { return &r == lines[0]; }) - records.begin(),
              drawn.FirstBar())
        << "the lines lie over the bars";
    // The range takes in the upper limit, below the plot's top edge.
    const ui::TRect plot = pane.Graph().FrameFor(ui::TRect(0, 0, 400, 200)).rect;
    for (const ui::TPoint& p : lines[2]->points) {
        EXPECT_GT(p.y, plot.top);
    }

    Set(ViewKind::Autocorrelation, u"band", u"none");
    EXPECT_TRUE(Drawn(pane).BandLines().empty());
}

TEST_F(PaneOverlayTest, TheCrossCorrelogramDrawsNothingOverItsCountsUnlessAsked)
{
    HistogramPane& pane = OpenAnalysed(ViewKind::CrossCorrelation);
    const Drawn drawn(pane);
    EXPECT_LT(drawn.Shade(), 0) << "only the autocorrelogram shades a refractory period";
    EXPECT_TRUE(drawn.BandLines().empty());
    EXPECT_FALSE(pane.ReplacesBars());
}

TEST_F(PaneOverlayTest, TheCoefficientScaleRedrawsTheBarsBelowZeroAsTheCopiedTextGivesThem)
{
    HistogramPane& pane = OpenAnalysed(ViewKind::Autocorrelation);
    const std::vector<float> counts = Shown(pane);
    const ui::COLORREF ink = pane.Graph().HistogramPlotter()->Colour();
    const std::vector<std::pair<ui::TPoint, ui::TPoint>> countBars = Drawn(pane).dc.Segments(ink);

    Set(ViewKind::Autocorrelation, u"scale", u"coefficient");
    const std::vector<float> coefficients = Shown(pane);
    ASSERT_EQ(coefficients.size(), counts.size());
    EXPECT_NE(coefficients, counts);
    const auto [lowest, highest] = std::minmax_element(coefficients.begin(), coefficients.end());
    EXPECT_LT(*lowest, 0.0f) << "empty lags fall below zero";
    // The axis takes in every bar, the deepest too.
    EXPECT_LE(pane.Graph().GetRange().first, *lowest);
    EXPECT_GE(pane.Graph().GetRange().second, *highest);
    EXPECT_NE(Drawn(pane).dc.Segments(ink), countBars);

    // The screen shows what the copied text gives.
    VEX::String text;
    ASSERT_EQ(doc->GetViewSetting(ViewKind::Autocorrelation, u"copied-text", &text), S_OK);
    const std::string copied = text.ToUtf8();
    std::size_t bin = 0;
    for (std::size_t line = copied.find('\n', copied.find('\n') + 1) + 1; line < copied.size() && bin < 3; ++bin) {
        const std::size_t tab = copied.find('\t', line);
        EXPECT_NEAR(std::stod(copied.substr(tab + 1)), coefficients[bin], 1e-4) << "bin " << bin;
        line = copied.find('\n', line) + 1;
    }

    Set(ViewKind::Autocorrelation, u"scale", u"counts");
    EXPECT_EQ(Shown(pane), counts);
    EXPECT_GE(pane.Graph().GetRange().first, 0.0) << "counts stand on the bottom again";
}

TEST_F(PaneOverlayTest, ThePanesMenusSetTheViewsOwnSettingsThroughTheDocument)
{
    HistogramPane& correlogram = OpenAnalysed(ViewKind::Autocorrelation);
    const DUdido1::GraphMenuItem& poisson = Item(correlogram, u"Poisson Band (99%)");
    const DUdido1::GraphMenuItem& none = Item(correlogram, u"No Band");
    EXPECT_TRUE(Checked(none));
    EXPECT_FALSE(Checked(poisson));
    Choose(poisson);
    EXPECT_EQ(Get(ViewKind::Autocorrelation, u"band"), u"poisson");
    EXPECT_TRUE(Checked(poisson));
    EXPECT_FALSE(Checked(none));
    EXPECT_EQ(Drawn(correlogram).BandLines().size(), 3u);
    Choose(Item(correlogram, u"Jitter Band (99%)"));
    EXPECT_TRUE(Checked(Item(correlogram, u"Jitter Band (99%)"))) << "jitter with its parameters";
    Choose(Item(correlogram, u"Scale: Rate (spikes/s)"));
    EXPECT_EQ(Get(ViewKind::Autocorrelation, u"scale"), u"rate");

    // The interval view's logarithmic axis: decades of log10 seconds, and
    // back to the linear axis it had.
    HistogramPane& intervals = OpenAnalysed(ViewKind::InterspikeInterval);
    const DUdido1::Extent linear = intervals.Graph().GetDomain();
    Choose(Item(intervals, u"Logarithmic Interval Axis"));
    EXPECT_EQ(Get(ViewKind::InterspikeInterval, u"log-x"), u"on");
    EXPECT_DOUBLE_EQ(intervals.Bins().width, 0.1);
    const DUdido1::Extent decades = intervals.Graph().GetDomain();
    EXPECT_DOUBLE_EQ(decades.first, -2.0) << "the shortest interval, 11 ms, opens the axis";
    EXPECT_DOUBLE_EQ(decades.second, 0.0);
    for (const char16_t* decade : {u"10 ms", u"100 ms", u"1 s"}) {
        EXPECT_TRUE(Drawn(intervals).dc.FindText(decade)) << "decade " << VEX::String(decade).ToUtf8();
    }
    Choose(Item(intervals, u"Linear Interval Axis"));
    EXPECT_EQ(intervals.Graph().GetDomain(), linear);
    EXPECT_FALSE(Drawn(intervals).dc.FindText(u"10 ms"));
    EXPECT_EQ(intervals.Bins().width, intervals.BinSize());
}

// Over 2 s: twenty spikes 45 ms apart in the first second, five 200 ms
// apart in the second.
std::vector<int> TwoRates()
{
    std::vector<int> ticks;
    for (int k = 0; k < 20; ++k) {
        ticks.push_back(500 + 450 * k);
    }
    for (int k = 0; k < 5; ++k) {
        ticks.push_back(10500 + 2000 * k);
    }
    return ticks;
}

class PagedOverlayTest : public PaneOverlayTest {
protected:
    PagedOverlayTest() : PaneOverlayTest(TwoRates(), 20000) {}

    std::vector<std::vector<std::string>> CopiedCells()
    {
        const std::string text = VEX::String(Get(ViewKind::Autocorrelation, u"copied-text")).ToUtf8();
        std::vector<std::vector<std::string>> rows;
        std::size_t line = 0;
        while (line < text.size()) {
            const std::size_t end = text.find('\n', line);
            std::vector<std::string> cells;
            for (std::size_t cell = line; cell <= end;) {
                const std::size_t tab = std::min(text.find('\t', cell), end);
                cells.push_back(text.substr(cell, tab - cell));
                cell = tab + 1;
            }
            rows.push_back(cells);
            line = end + 1;
        }
        return rows;
    }
};

TEST_F(PagedOverlayTest, EachPageOfAPagedViewIsScaledAndBandedByItsOwnRate)
{
    HistogramPane& pane = OpenAnalysed(ViewKind::Autocorrelation);
    Set(ViewKind::Autocorrelation, u"scale", u"rate");
    Set(ViewKind::Autocorrelation, u"band", u"poisson");
    const std::vector<std::vector<std::string>> whole = CopiedCells();
    Set(ViewKind::Autocorrelation, u"paging", u"duration:5");
    ASSERT_EQ(Get(ViewKind::Autocorrelation, u"pages"), u"1");
    EXPECT_EQ(CopiedCells(), whole) << "one page is the whole analysis";

    Set(ViewKind::Autocorrelation, u"paging", u"duration:1");
    ASSERT_EQ(Get(ViewKind::Autocorrelation, u"pages"), u"2");
    const std::vector<std::vector<std::string>> rows = CopiedCells();
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(rows[1].begin() + 1, rows[1].end()),
              (std::vector<std::string>{"Page 1", "Page 2", "Page 1 expected", "Page 1 lower 99%",
                                        "Page 1 upper 99%", "Page 2 expected", "Page 2 lower 99%",
                                        "Page 2 upper 99%"}));
    // A page of n spikes over 1 s: rate = count / (n x bin width), and the
    // Poisson expectation n (n - 1) w / T on that scale is (n - 1) / T.
    const double width = pane.BinSize();
    const std::array<double, 2> spikes{20.0, 5.0};
    std::array<float, 2> highest{};
    for (std::size_t row = 2; row + 1 < rows.size(); ++row) {
        const std::vector<std::string>& cells = rows[row];
        ASSERT_EQ(cells.size(), 9u) << "row " << row;
        const std::size_t bin = row - 2;
        for (std::size_t page = 0; page < 2; ++page) {
            const std::span<const float> counts = pane.Pages().PageBins(static_cast<std::int32_t>(page));
            if (bin < counts.size()) {
                highest[page] = std::max(highest[page], counts[bin]);
                EXPECT_NEAR(std::stod(cells[1 + page]), counts[bin] / (spikes[page] * width), 1e-3)
                    << "page " << page + 1 << " bin " << bin;
            }
            const double expected = std::stod(cells[3 + 3 * page]);
            EXPECT_NEAR(expected, spikes[page] - 1.0, 1e-3) << "page " << page + 1;
            EXPECT_LE(std::stod(cells[4 + 3 * page]), expected);
            EXPECT_GE(std::stod(cells[5 + 3 * page]), expected);
        }
    }
    EXPECT_GT(highest[0], 0.0f);
    EXPECT_GT(highest[1], 0.0f);

    // The screen shows each page's own bars and band.
    for (std::size_t page = 0; page < 2; ++page) {
        Set(ViewKind::Autocorrelation, u"page", page == 0 ? u"1" : u"2");
        const std::vector<float> shown = Shown(pane);
        const std::span<const float> counts = pane.Pages().PageBins(static_cast<std::int32_t>(page));
        ASSERT_GE(shown.size(), counts.size());
        for (std::size_t bin = 0; bin < counts.size(); ++bin) {
            EXPECT_NEAR(shown[bin], counts[bin] / (spikes[page] * width), 1e-3) << "page " << page + 1;
        }
        EXPECT_EQ(Drawn(pane).BandLines().size(), 3u) << "page " << page + 1;
    }
}

} // namespace
