#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "desk/demo/DemoRecording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/OpenRecording.h"

namespace {

std::vector<float> ReadAll(const Desk::Recording& recording, std::int32_t channel, std::int32_t block)
{
    std::vector<float> samples(static_cast<std::size_t>(recording.Ticks(channel, block)));
    EXPECT_EQ(recording.Read(channel, block, 0, samples.size(), samples.data()), samples.size());
    return samples;
}

bool SameSamples(const Desk::Recording& a, const Desk::Recording& b)
{
    for (std::int32_t block = 0; block < a.BlockCount(); ++block) {
        for (std::int32_t channel = 0; channel < a.ChannelCount(); ++channel) {
            const std::vector<float> x = ReadAll(a, channel, block);
            const std::vector<float> y = ReadAll(b, channel, block);
            if (x.size() != y.size() || std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) != 0) {
                return false;
            }
        }
    }
    return true;
}

bool SameEvents(const Desk::Recording& a, const Desk::Recording& b)
{
    const auto key = [](const Desk::EventMark& m) { return std::make_pair(m.block, m.tick); };
    if (a.Events().size() != b.Events().size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.Events().size(); ++i) {
        const auto& x = a.Events()[i].marks;
        const auto& y = b.Events()[i].marks;
        if (!(a.Events()[i].name == b.Events()[i].name)
            || !std::equal(x.begin(), x.end(), y.begin(), y.end(), [&](auto& p, auto& q) { return key(p) == key(q); })) {
            return false;
        }
    }
    return true;
}

TEST(DemoRecording, HasTheDocumentedLayout)
{
    const auto demo = Desk::MakeDemoRecording();
    ASSERT_EQ(demo->ChannelCount(), 2);
    ASSERT_EQ(demo->BlockCount(), 3);
    EXPECT_EQ(demo->ChannelTitle(0).ToUtf8(), "Electrode");
    EXPECT_EQ(demo->ChannelUnit(0).ToUtf8(), "mV");
    EXPECT_EQ(demo->ChannelTitle(1).ToUtf8(), "Stimulus");
    EXPECT_EQ(demo->ChannelUnit(1).ToUtf8(), "V");
    for (std::int32_t block = 0; block < 3; ++block) {
        EXPECT_EQ(demo->Ticks(0, block), 1'200'000);
        EXPECT_EQ(demo->Ticks(1, block), 1'200'000);
        EXPECT_DOUBLE_EQ(demo->SampleInterval(0, block), 5e-5);
        EXPECT_DOUBLE_EQ(demo->BlockStartTime(block), 70.0 * block);
    }

    // The "Stimulus" events are the onsets of the 5 V, 1 ms pulses.
    ASSERT_EQ(demo->Events().size(), 1u);
    EXPECT_EQ(demo->Events()[0].name.ToUtf8(), "Stimulus");
    const auto& marks = demo->Events()[0].marks;
    EXPECT_EQ(marks.size(), 180u);
    std::vector<float> stimulus = ReadAll(*demo, 1, 0);
    std::size_t highSamples = 0;
    for (const Desk::EventMark& mark : marks) {
        if (mark.block == 0) {
            EXPECT_EQ(stimulus[static_cast<std::size_t>(mark.tick) - 1], 0.0f);
            EXPECT_EQ(stimulus[static_cast<std::size_t>(mark.tick)], 5.0f);
            EXPECT_EQ(stimulus[static_cast<std::size_t>(mark.tick) + 19], 5.0f);
            EXPECT_EQ(stimulus[static_cast<std::size_t>(mark.tick) + 20], 0.0f);
        }
    }
    highSamples = static_cast<std::size_t>(std::count(stimulus.begin(), stimulus.end(), 5.0f));
    EXPECT_EQ(highSamples, 60u * 20u) << "nothing but the pulses";
}

TEST(DemoRecording, IsTheSameEveryTime)
{
    const auto first = Desk::MakeDemoRecording();
    const auto second = Desk::MakeDemoRecording();
    EXPECT_TRUE(SameSamples(*first, *second));
    EXPECT_EQ(first->Fingerprint(), second->Fingerprint());
    EXPECT_EQ(Desk::DemoGroundTruth(), Desk::DemoGroundTruth());
}

TEST(DemoRecording, WrittenFilesReadBackExactly)
{
    const RecordingTest::TempFolder folder;
    const auto where = folder / "nested/demo";
    Desk::WriteDemo(where);
    const auto demo = Desk::MakeDemoRecording();
    const auto written = Desk::OpenRecording((where / "demo.json").string());
    ASSERT_EQ(written->BlockCount(), 3);
    for (std::int32_t block = 0; block < 3; ++block) {
        EXPECT_EQ(written->BlockStartTime(block), demo->BlockStartTime(block));
        EXPECT_EQ(written->SampleInterval(1, block), demo->SampleInterval(1, block));
    }
    EXPECT_EQ(written->ChannelTitle(1), demo->ChannelTitle(1));
    EXPECT_EQ(written->ChannelUnit(0), demo->ChannelUnit(0));
    EXPECT_TRUE(SameSamples(*demo, *written));
    EXPECT_TRUE(SameEvents(*demo, *written));

    std::istringstream truth(RecordingTest::ReadFile(where / "demo.truth.tsv"));
    std::string line;
    std::getline(truth, line);
    EXPECT_EQ(line, "unit\tblock\ttick");
    for (const Desk::TruthSpike& spike : Desk::DemoGroundTruth()) {
        std::getline(truth, line);
        ASSERT_EQ(line, std::to_string(spike.unit) + "\t" + std::to_string(spike.block) + "\t" + std::to_string(spike.tick));
    }
    EXPECT_FALSE(std::getline(truth, line));
}

// The ground truth describes what is in the samples: the large units stand
// above the 0.2 mV threshold at their peaks, the background stays below, and
// the firing rules hold.
TEST(DemoRecording, GroundTruthMatchesTheSamples)
{
    const auto demo = Desk::MakeDemoRecording();
    const std::vector<Desk::TruthSpike> truth = Desk::DemoGroundTruth();
    std::map<std::int32_t, int> count;
    std::map<std::int32_t, int> peaksAbove;
    std::map<std::int32_t, int> nearPeaks;
    std::vector<std::vector<float>> electrode;
    for (std::int32_t block = 0; block < 3; ++block) {
        electrode.push_back(ReadAll(*demo, 0, block));
    }
    for (const Desk::TruthSpike& spike : truth) {
        const std::vector<float>& x = electrode[static_cast<std::size_t>(spike.block)];
        const auto tick = static_cast<std::size_t>(spike.tick);
        ++count[spike.unit];
        peaksAbove[spike.unit] += x[tick] > 0.2f;
        // Noise moves the largest sample of a broad peak by a tick or two.
        const auto top = std::max_element(x.begin() + tick - 10, x.begin() + tick + 11) - x.begin();
        nearPeaks[spike.unit] += std::abs(top - static_cast<std::ptrdiff_t>(tick)) <= 3;
    }
    // 180 s: A ~8 Hz, B ~4 spikes every 0.75 s, C ~0.8 of 180 pulses plus ~1 Hz.
    EXPECT_GT(count[1], 1200);
    EXPECT_LT(count[1], 1600);
    EXPECT_GT(count[2], 700);
    EXPECT_LT(count[2], 1200);
    EXPECT_GT(count[3], 250);
    EXPECT_LT(count[3], 420);
    EXPECT_GT(count[4], 1500);
    for (std::int32_t unit = 1; unit <= 3; ++unit) {
        EXPECT_EQ(peaksAbove[unit], count[unit]) << "unit " << unit;
        EXPECT_GE(nearPeaks[unit], count[unit] * 99 / 100) << "unit " << unit;
    }
    EXPECT_LT(peaksAbove[4], count[4] / 100) << "background spikes stay below threshold";

    for (std::size_t i = 1; i < truth.size(); ++i) {
        for (std::size_t j = i; j-- > 0 && truth[j].block == truth[i].block && truth[i].tick - truth[j].tick < 60;) {
            const bool sameUnit = truth[i].unit == truth[j].unit;
            if (sameUnit && truth[i].unit != 4) {
                EXPECT_GE(truth[i].tick - truth[j].tick, 40) << "refractory, unit " << truth[i].unit;
            } else if (!sameUnit && (truth[i].unit != 4 || truth[j].unit != 4)) {
                ADD_FAILURE() << "units " << truth[j].unit << " and " << truth[i].unit << " within 3 ms";
            }
        }
    }

    // Unit C answers most pulses 7-13 ms after their onset.
    int answered = 0;
    for (const Desk::EventMark& pulse : demo->Events()[0].marks) {
        answered += std::any_of(truth.begin(), truth.end(), [&](const Desk::TruthSpike& s) {
            return s.unit == 3 && s.block == pulse.block && s.tick >= pulse.tick + 140 && s.tick <= pulse.tick + 260;
        });
    }
    EXPECT_GT(answered, 180 * 7 / 10);
    EXPECT_LT(answered, 180 * 95 / 100);
}

TEST(DemoRecording, NoiseIsNearItsStatedLevel)
{
    const auto demo = Desk::MakeDemoRecording();
    std::vector<float> x = ReadAll(*demo, 0, 1);
    std::vector<float> magnitude(x.size());
    std::transform(x.begin(), x.end(), magnitude.begin(), [](float v) { return std::abs(v); });
    std::nth_element(magnitude.begin(), magnitude.begin() + magnitude.size() / 2, magnitude.end());
    const double sd = magnitude[magnitude.size() / 2] / 0.6745;
    EXPECT_NEAR(sd, 0.03, 0.005);
}

} // namespace
