#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PaneTestSupport.h"
#include "graph/HistogramWindow.h"
#include "histograms/AmplitudeHistogram.h"
#include "histograms/AutoCorrelationHistogram.h"
#include "histograms/PSTH.h"
#include "histograms/PageController.h"
#include "histograms/RateMeter.h"
#include "platform/error/XVEX.h"

namespace {

using namespace Nerolith;
using histtest::Counts;
using histtest::FakeOwner;
using histtest::Record;
using Bins = std::vector<float>;
using Code = SpikeNotification::Code;

struct PageStart {
    std::int32_t block;
    double time;
    friend bool operator==(const PageStart&, const PageStart&) = default;
};

// Records where each page began and the waiting state.
struct Listener : PageListener {
    explicit Listener(const PageController& c) : controller(c) {}
    void PagesChanged(std::int32_t count) override
    {
        if (count > 0) {
            starts.push_back({controller.PageFirstBlock(), controller.PageStartTime()});
        }
    }
    void WaitingChanged(bool waiting) override { waits.push_back(waiting); }

    const PageController& controller;
    std::vector<PageStart> starts;
    std::vector<bool> waits;
};

class PageControllerTest : public ::testing::Test {
protected:
    PageControllerTest()
    {
        controller.SetListener(&listener);
        rate->SetBinSize(0.5);
        controller.AddPane(*rate);
    }
    void Start(std::int32_t mode)
    {
        PagingSettings settings;
        settings.mode = mode;
        settings.blocksPerPage = 2;
        settings.eventsPerPage = 2;
        controller.SetSettings(settings);
        controller.Reset();
    }
    void Send(std::int32_t code, std::int32_t block, double t, std::int32_t unit = 0)
    {
        controller.Notify(Record(code, block, t, unit));
    }

    FakeOwner owner;
    PageController controller;
    Listener listener{controller};
    std::unique_ptr<RateMeter> rate = std::make_unique<RateMeter>(nullptr, owner, 0, Host::UnitDescription{});
};

TEST_F(PageControllerTest, NoPagingKeepsOnePageAcrossBlocks)
{
    Start(kNoPaging);
    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kSpike, 0, 0.25);
    Send(Code::kBlockEnd, 0, 1.0);
    Send(Code::kBlockStart, 1, 0.0);
    Send(Code::kSpike, 1, 0.75);
    EXPECT_EQ(listener.starts, (std::vector<PageStart>{{0, 0.0}}));
    EXPECT_EQ(Counts(rate->Pages()), (Bins{1, 0, 0, 1})) << "the second block's spike at page time 1.75";

    // While data arrive, the time axis follows the analysed position.
    controller.Advance(1, 3.0);
    EXPECT_EQ(rate->Graph().GetDomain(), (std::pair{0.0, 4.5}));
}

TEST_F(PageControllerTest, BlocksPerPageLeavesSkippedBlocksAsEmptyPages)
{
    Start(kBlocksPerPage);
    for (const std::int32_t block : {0, 1, 5}) {
        Send(Code::kBlockStart, block, 0.0);
        Send(Code::kSpike, block, 0.25);
        Send(Code::kBlockEnd, block, 2.0);
    }
    EXPECT_EQ(listener.starts, (std::vector<PageStart>{{0, 0.0}, {2, 0.0}, {4, 0.0}}));
    EXPECT_EQ(Counts(rate->Pages(), 0), (Bins{1, 0, 0, 0, 1})) << "block 1 continues at 2.25 s";
    EXPECT_TRUE(Counts(rate->Pages(), 1).empty());
    EXPECT_EQ(Counts(rate->Pages(), 2), (Bins{1}));
}

TEST_F(PageControllerTest, FixedDurationPagesNeverSpanBlocks)
{
    Start(kFixedDuration);
    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kSpike, 0, 2.5);
    EXPECT_EQ(listener.starts, (std::vector<PageStart>{{0, 0.0}, {0, 1.0}, {0, 2.0}}));
    EXPECT_EQ(Counts(rate->Pages(), 2), (Bins{0, 1})) << "on the third page, 0.5 s in";

    // A block of exactly three pages ends without a fourth, empty one.
    Send(Code::kBlockEnd, 0, 3.0);
    EXPECT_EQ(controller.PageCount(), 3);

    // The next block starts a page at its time 0, and its spikes run on from
    // there.
    Send(Code::kBlockStart, 1, 0.0);
    Send(Code::kSpike, 1, 1.25);
    EXPECT_EQ(listener.starts.back(), (PageStart{1, 1.0}));
    EXPECT_EQ(listener.starts[3], (PageStart{1, 0.0}));
    EXPECT_EQ(Counts(rate->Pages(), 4), (Bins{1}));
}

// The pages of a block as the offline analysis (a block end notification)
// and the online one (the data advancing to the block's end) make them.
TEST_F(PageControllerTest, FixedDurationPagesAreTheSameOnlineAndOfflineWhateverTheRounding)
{
    struct Case {
        double pageSeconds;
        double blockSeconds;
        std::int32_t pages;
    };
    const Case cases[] = {{4.0, 12.0, 3}, {4.0, 3.5, 1}, {4.0, 8.0, 2},
                          {0.1, 7000 * (1.0 / 10000), 7}, {0.1, 3000 * (1.0 / 10000), 3}};
    for (const Case& c : cases) {
        for (const bool online : {false, true}) {
            PagingSettings settings;
            settings.mode = kFixedDuration;
            settings.fixedDuration = c.pageSeconds;
            controller.SetSettings(settings);
            controller.Reset();
            Send(Code::kBlockStart, 0, 0.0);
            if (online) {
                for (double t = 0.0; t < c.blockSeconds; t += c.pageSeconds / 3) {
                    controller.Advance(0, t);
                }
                controller.Advance(0, c.blockSeconds);
            }
            Send(Code::kBlockEnd, 0, c.blockSeconds);
            EXPECT_EQ(controller.PageCount(), c.pages)
                << (online ? "online, " : "offline, ") << c.blockSeconds << " s in pages of " << c.pageSeconds;
        }
    }
}

TEST_F(PageControllerTest, StimulusPagesHoldTheirSweepsAndWaitAtEachBlock)
{
    Start(kStimulusEvents);
    EXPECT_TRUE(controller.IsWaiting());
    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kSpike, 0, 0.25);
    EXPECT_EQ(controller.PageCount(), 0) << "no page before the first stimulus";

    Send(Code::kStimulus, 0, 1.0);
    Send(Code::kStimulus, 0, 2.0);
    Send(Code::kStimulus, 0, 3.0);
    EXPECT_FALSE(controller.IsWaiting());
    EXPECT_EQ(listener.starts, (std::vector<PageStart>{{0, 1.0}, {0, 3.0}})) << "stimuli 1 and 2 on page 1";
    EXPECT_EQ(rate->ReferenceTime(), 3.0);

    Send(Code::kBlockEnd, 0, 4.0);
    Send(Code::kBlockStart, 1, 0.0);
    EXPECT_TRUE(controller.IsWaiting());
    Send(Code::kStimulus, 1, 0.5);
    EXPECT_EQ(listener.starts.back(), (PageStart{1, 0.5}));
    EXPECT_EQ(listener.waits, (std::vector<bool>{true, false, true, false}));
    EXPECT_TRUE(Counts(rate->Pages(), 0).empty()) << "the spike before the first stimulus counts nowhere";
}

TEST_F(PageControllerTest, APSTHKeepsPreStimulusSpikesOfANewBlockForItsFirstStimulus)
{
    auto psth = std::make_unique<PSTH>(nullptr, owner, 0, Host::UnitDescription{});
    psth->SetBinSize(0.25);
    psth->SetXOrigin(-0.5);
    controller.AddPane(*psth);
    Start(kStimulusEvents);
    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kStimulus, 0, 1.0);
    Send(Code::kSpike, 0, 1.25);
    Send(Code::kBlockEnd, 0, 2.0);
    Send(Code::kBlockStart, 1, 0.0);
    Send(Code::kSpike, 1, 0.75);
    EXPECT_EQ(Counts(psth->Pages(), 0), (Bins{0, 0, 0, 1})) << "nothing of block 1 on block 0's page";

    Send(Code::kStimulus, 1, 1.0);
    Send(Code::kSpike, 1, 1.5);
    EXPECT_EQ(Counts(psth->Pages(), 1), (Bins{0, 1, 0, 0, 1}));
}

TEST_F(PageControllerTest, AmplitudesAreNotCountedWhileWaiting)
{
    PageController amplitudes(SpikeQuantity::Height);
    auto pane = std::make_unique<AmplitudeHistogram>(nullptr, owner, 0, Host::UnitDescription{});
    pane->SetBinSize(1.0);
    amplitudes.AddPane(*pane);
    PagingSettings settings;
    settings.mode = kStimulusEvents;
    amplitudes.SetSettings(settings);
    amplitudes.Reset();
    amplitudes.Notify(Record(Code::kBlockStart, 0, 0.0));
    amplitudes.Notify(Record(Code::kStimulus, 0, 1.0));
    amplitudes.Notify(Record(Code::kSpike, 0, 1.5, 0, 2.5));
    amplitudes.Notify(Record(Code::kBlockStart, 1, 0.0));
    amplitudes.Notify(Record(Code::kSpike, 1, 0.5, 0, 0.5));
    EXPECT_EQ(Counts(pane->Pages()), (Bins{0, 0, 1}));
}

TEST_F(PageControllerTest, PendingLagsGoOnThePageThatEnds)
{
    auto acg = std::make_unique<AutoCorrelationHistogram>(nullptr, owner, 0, Host::UnitDescription{});
    acg->SetBinSize(0.25);
    controller.AddPane(*acg);
    Start(kFixedDuration);
    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kSpike, 0, 0.25);
    Send(Code::kSpike, 0, 0.5);
    Send(Code::kSpike, 0, 1.0);
    EXPECT_EQ(Counts(acg->Pages(), 0), (Bins{0, 0, 0, 1, 0, 1})) << "-0.25 and +0.25 on page 1";
    EXPECT_TRUE(Counts(acg->Pages(), 1).empty()) << "no pair across the page start";
}

TEST_F(PageControllerTest, PageNavigationStaysOnThePages)
{
    Start(kBlocksPerPage);
    controller.ShowPage(2);
    EXPECT_EQ(controller.CurrentPage(), 0);
    EXPECT_FALSE(controller.CanGoPrevious());
    EXPECT_FALSE(controller.CanGoNext());

    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kBlockStart, 5, 0.0);
    ASSERT_EQ(controller.PageCount(), 3);
    EXPECT_EQ(controller.CurrentPage(), 2) << "the newest page is shown";
    EXPECT_FALSE(controller.CanGoNext());
    controller.ShowPage(7);
    EXPECT_EQ(controller.CurrentPage(), 2);
    controller.PreviousPage();
    controller.PreviousPage();
    controller.PreviousPage();
    EXPECT_EQ(controller.CurrentPage(), 0);
    EXPECT_FALSE(controller.CanGoPrevious());
    EXPECT_TRUE(controller.CanGoNext());

    // A pane that joined late shows its own last page.
    auto late = std::make_unique<RateMeter>(nullptr, owner, 1, Host::UnitDescription{});
    late->StartPage(0.0);
    controller.AddPane(*late);
    controller.ShowPage(2);
    EXPECT_EQ(late->CurrentPage(), 0);
    EXPECT_EQ(rate->CurrentPage(), 2);
}

TEST_F(PageControllerTest, RefusesBadSettingsAndIgnoresBadRecords)
{
    PagingSettings settings;
    settings.blocksPerPage = 0;
    EXPECT_THROW(controller.SetSettings(settings), VEX::XVEX);
    settings = {};
    settings.fixedDuration = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(controller.SetSettings(settings), VEX::XVEX);
    settings = {};
    settings.mode = 4;
    EXPECT_THROW(controller.SetSettings(settings), VEX::XVEX);
    EXPECT_EQ(controller.Settings(), PagingSettings{});

    Start(kFixedDuration);
    Send(Code::kBlockStart, 0, 0.0);
    Send(Code::kSpike, 0, std::numeric_limits<double>::infinity());
    Send(Code::kSpike, -1, 0.5);
    EXPECT_EQ(controller.PageCount(), 1);
    EXPECT_TRUE(Counts(rate->Pages()).empty());
}

} // namespace
