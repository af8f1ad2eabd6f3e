#include <deque>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "SpikeDetTestSupport.h"
#include "detection/DetEx_Measure.h"
#include "detection/SpikeData.h"

namespace Nerolith::Testing {
namespace {

std::vector<float> Flat(std::size_t n) { return std::vector<float>(n, 0.0f); }

TEST(DetExEventAlgorithm, TriggersOnRiseFromBelowToAtOrAbove)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    std::vector<float> x = Flat(40);
    x[5] = 0.5f;      // exactly the threshold: triggers
    x[20] = 0.4999f;  // just under it: does not
    source.AddRecord(x);
    EXPECT_EQ(std::vector<std::int32_t>{5}, Ticks(DetectAll(source, {})));

    // A record that starts above the threshold has to go below first; one
    // that never does yields nothing.
    std::vector<float> high(40, 1.0f);
    source.AddRecord(high);
    high[10] = 0.0f;
    source.AddRecord(high);
    EXPECT_TRUE(DetectAll(source, {}, 1).empty());
    EXPECT_EQ(std::vector<std::int32_t>{11}, Ticks(DetectAll(source, {}, 2)));
}

TEST(DetExEventAlgorithm, SpikeRecordHoldsItsWindowMeasures)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    std::vector<float> x = Flat(30);
    x[4] = 1;
    x[5] = 2;
    x[6] = 1;
    source.AddRecord(x);
    DetectorArgs args;
    args.channel = 3;
    const auto spikes = DetectAll(source, args);
    ASSERT_EQ(1u, spikes.size());
    // Window: ticks 2..6 = 0, 0, 1, 2, 1; crossings at 2 and 4.
    EXPECT_EQ(4, spikes[0].tick);
    EXPECT_EQ(0.0f, spikes[0].fraction);
    EXPECT_DOUBLE_EQ(1.0, spikes[0].value);
    EXPECT_DOUBLE_EQ(2.0, spikes[0].height);
    EXPECT_DOUBLE_EQ(2e-3, spikes[0].width);
    EXPECT_EQ(3, spikes[0].channel);
    // No spike store on this channel: unassigned.
    EXPECT_EQ(-1, spikes[0].unit);
    EXPECT_EQ(kNoUnitColour, spikes[0].colour);

    args.discrimination = 1;
    const auto biphasic = DetectAll(source, args);
    ASSERT_EQ(1u, biphasic.size());
    EXPECT_DOUBLE_EQ(1.0, biphasic[0].height); // peak 2, trough 1 after it
    EXPECT_DOUBLE_EQ(1e-3, biphasic[0].width);
}

TEST(DetExEventAlgorithm, ClassifiesWithTheStoreOfItsChannelAndRecord)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    std::vector<float> x = Flat(30);
    for (int t : {4, 14}) {
        x[t] = 1;
        x[t + 1] = 2;
        x[t + 2] = 1;
    }
    source.AddRecord(x);
    source.AddRecord(x);
    auto store = MakeCom<SpikeData>(nullptr);
    // Both spikes measure 2 ms wide and 2 high: inside the contour.
    const std::int32_t unit = store->Units().NewContourUnit(3, {1, 3, 3, 1}, {1, 1, 3, 3});
    store->Units().NewContourUnit(4, {0, 9, 9, 0}, {0, 0, 9, 9});
    store->Units().Assignments().Add({-1, 1, 14, 3, 0, -1});
    source.SetChildData(store.Get());
    DetectorArgs args;
    args.channel = 3;

    const auto first = DetectAll(source, args, 0);
    ASSERT_EQ(2u, first.size());
    EXPECT_EQ(unit, first[0].unit);
    EXPECT_EQ(unit, first[1].unit);
    EXPECT_EQ(store->Units().Find(unit)->Colour(), first[1].colour);
    // The exclusion is of block 1 only.
    const auto second = DetectAll(source, args, 1);
    ASSERT_EQ(2u, second.size());
    EXPECT_EQ(unit, second[0].unit);
    EXPECT_EQ(-1, second[1].unit);
    EXPECT_EQ(kNoUnitColour, second[1].colour);
}

TEST(DetExEventAlgorithm, DeadTimeAndRecordEdges)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    std::vector<float> x = Flat(20);
    // Window of 5 with 2 before the trigger: the crossing at 12 falls into
    // the window of 10 (ticks 8..12); the one at 14 triggers again.
    x[10] = x[12] = x[14] = 1.0f;
    x[1] = 1.0f;  // fewer than 2 samples before it: window = ticks 0..4
    x[17] = 1.0f; // window ends on the last sample: reported
    source.AddRecord(x);
    const auto spikes = DetectAll(source, {});
    EXPECT_EQ((std::vector<std::int32_t>{1, 10, 14, 17}), Ticks(spikes));
    EXPECT_DOUBLE_EQ(0.0, spikes[0].value); // tick 4 completed the window

    x[17] = 0.0f;
    x[18] = 1.0f; // its window would need tick 20
    source.AddRecord(x);
    EXPECT_EQ((std::vector<std::int32_t>{1, 10, 14}), Ticks(DetectAll(source, {}, 1)));
}

TEST(DetExEventAlgorithm, PretriggerNotShorterThanWindowKeepsWindowLength)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    std::vector<float> x = Flat(30);
    x[10] = 2.0f;
    x[13] = 3.0f;
    x[20] = 1.0f;
    source.AddRecord(x);
    DetectorArgs reference;
    reference.pretrigger = 0.002;
    reference.total = 0.003;
    DetectorArgs tooLong = reference;
    tooLong.pretrigger = 0.005;
    const auto expected = DetectAll(source, reference);
    const auto spikes = DetectAll(source, tooLong);
    EXPECT_EQ((std::vector<std::int32_t>{10, 13, 20}), Ticks(spikes));
    EXPECT_EQ(Ticks(expected), Ticks(spikes));

    // A window typed as minutes long is cut to one segment.
    std::vector<float> longRecord = Flat(150000);
    longRecord[10] = 1.0f;
    longRecord[10 + 99999 - 2] = 7.0f;
    source.AddRecord(longRecord);
    DetectorArgs minutes;
    minutes.total = 600.0;
    const auto cut = DetectAll(source, minutes, 1);
    ASSERT_EQ(1u, cut.size());
    EXPECT_DOUBLE_EQ(7.0, cut[0].value);

    // A window of no ticks still holds the trigger sample.
    DetectorArgs empty;
    empty.pretrigger = 0;
    empty.total = 0;
    const auto single = DetectAll(source, empty);
    ASSERT_EQ(3u, single.size());
    EXPECT_DOUBLE_EQ(3.0, single[1].value);
    EXPECT_DOUBLE_EQ(3.0, single[1].height);
}

TEST(DetExEventAlgorithm, LimitsBoundRecordsAndTicks)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    std::vector<float> x = Flat(100);
    for (int t : {10, 30, 50, 70, 90}) {
        x[t] = 1.0f;
    }
    for (int r = 0; r < 3; ++r) {
        source.AddRecord(x);
    }
    DetectorArgs args;
    args.startRecord = 0;
    args.startTick = 30; // a new state there: 30 itself does not trigger
    args.endRecord = 1;
    args.endTick = 72; // 70's window needs tick 72
    EXPECT_EQ((std::vector<std::int32_t>{50, 70, 90}), Ticks(DetectAll(source, args, 0)));
    EXPECT_EQ((std::vector<std::int32_t>{10, 30, 50}), Ticks(DetectAll(source, args, 1)));
    EXPECT_TRUE(DetectAll(source, args, 2).empty());

    DetectorArgs open;
    open.startRecord = 1;
    EXPECT_TRUE(DetectAll(source, open, 0).empty());
    EXPECT_EQ(5u, DetectAll(source, open, 2).size());
}

// The detector as one plain pass over the samples, one sample at a time.
std::vector<SpikeEvent> ReferenceScan(const std::vector<float>& x, double h, std::size_t pre, std::size_t total,
                                      double interval)
{
    std::vector<SpikeEvent> spikes;
    std::deque<float> history;
    int level = 0;
    bool triggered = false;
    SpikeEvent spike;
    for (std::size_t t = 0; t < x.size(); ++t) {
        history.push_back(x[t]);
        const bool below = x[t] < h;
        if (!below && !triggered && level == 2) {
            triggered = true;
            spike.tick = static_cast<std::int32_t>(t);
        }
        if (!triggered && history.size() > pre) {
            history.pop_front();
        }
        level = below ? 2 : 1;
        if (triggered && history.size() >= total) {
            const std::vector<float> window(history.begin(), history.end());
            const SpikeShape shape = MeasureMonophasic(window, interval);
            spike.value = x[t];
            spike.height = shape.height;
            spike.width = shape.width;
            spikes.push_back(spike);
            while (history.size() > pre) {
                history.pop_front();
            }
            triggered = false;
        }
    }
    return spikes;
}

std::vector<float> NoisySpikes(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 0.25f);
    std::uniform_int_distribution<int> gap(5, 400);
    std::vector<float> x(n);
    for (float& v : x) {
        v = noise(random);
    }
    for (std::size_t t = gap(random); t + 8 < n; t += gap(random)) {
        for (int k = 0; k < 8; ++k) {
            x[t + k] += 1.5f * static_cast<float>(4 - std::abs(k - 4)) / 4.0f;
        }
    }
    return x;
}

TEST(DetExEventAlgorithm, MatchesPlainPassAcrossChunksAndSegments)
{
    struct Case {
        unsigned seed;
        double pretrigger;
        double total;
        std::uint32_t chunk;
    };
    for (const Case c : {Case{1, 0.002, 0.005, 1u << 20}, Case{2, 0.0, 0.001, 7}, Case{3, 0.007, 0.008, 4096},
                         Case{4, 0.010, 0.032, 100000}}) {
        auto sourceObject = MakeCom<TestSource>();
        TestSource& source = *sourceObject;
        const std::vector<float> x = NoisySpikes(260000, c.seed);
        source.AddRecord(x)->chunk = c.chunk;
        DetectorArgs args;
        args.pretrigger = c.pretrigger;
        args.total = c.total;
        const auto spikes = DetectAll(source, args);
        const auto expected = ReferenceScan(x, args.height, static_cast<std::size_t>(c.pretrigger * 1000 + 0.5),
                                            static_cast<std::size_t>(c.total * 1000 + 0.5), 1e-3);
        ASSERT_EQ(expected.size(), spikes.size()) << "seed " << c.seed;
        for (std::size_t i = 0; i < spikes.size(); ++i) {
            ASSERT_EQ(expected[i].tick, spikes[i].tick) << "seed " << c.seed << " spike " << i;
            EXPECT_EQ(expected[i].value, spikes[i].value);
            EXPECT_EQ(expected[i].height, spikes[i].height);
            EXPECT_EQ(expected[i].width, spikes[i].width);
        }
    }
}

} // namespace
} // namespace Nerolith::Testing
