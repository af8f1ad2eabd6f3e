#include <gtest/gtest.h>

#include "module/AnalysisSettings.h"

using namespace Nerolith;

TEST(AnalysisSettings, AChannelGetsItsRecordWithTheDefaultsOnFirstUse)
{
    AnalysisSettings settings;
    Host::Position start{5, 5};
    Host::Position end{5, 5};
    EXPECT_FALSE(settings.GetRange(3, start, end));
    EXPECT_TRUE(settings.ChannelKeys().empty()) << "asking for a range inserts nothing";

    const ChannelAnalysisRecord& record = settings.Record(3);
    EXPECT_EQ(record.channel, 3);
    EXPECT_DOUBLE_EQ(record.detectionThreshold, 0.2);
    EXPECT_DOUBLE_EQ(record.pretriggerTime, 0.001);
    EXPECT_DOUBLE_EQ(record.totalTriggerTime, 0.004);
    EXPECT_EQ(record.discriminationMode, 1);
    EXPECT_EQ(record.signalMode, 0);
    EXPECT_FALSE(record.analyzed);

    ChannelAnalysisRecord other;
    other.channel = 1;
    other.analyzed = true;
    other.rangeEnd = {10, 2};
    settings.SetRecord(other);
    EXPECT_EQ(settings.ChannelKeys(), (std::vector<std::int32_t>{1, 3}));
    EXPECT_TRUE(settings.GetRange(1, start, end));
    EXPECT_EQ(end, (Host::Position{10, 2}));
    EXPECT_FALSE(settings.IsAnalyzedOnline(1)) << "only while analysing when sampling";
    settings.analyzeWhileSampling = true;
    EXPECT_TRUE(settings.IsAnalyzedOnline(1));
    EXPECT_FALSE(settings.IsAnalyzedOnline(3));

    ClearRecord(settings.Record(1));
    EXPECT_FALSE(settings.Record(1).analyzed);
    EXPECT_EQ(settings.Record(1).rangeEnd, (Host::Position{1, 0}));
    EXPECT_FALSE(RangeIsEmpty(settings.Record(1))) << "a cleared range covers one tick";
}

TEST(AnalysisSettings, DetectionSettingsCompareWithARelativeTolerance)
{
    EXPECT_TRUE(NearlyEqual(0.2, 0.2 * (1 + 5e-14)));
    EXPECT_FALSE(NearlyEqual(0.2, 0.2 * (1 + 5e-13)));
    EXPECT_TRUE(NearlyEqual(1e-40, -3e-35)) << "both negligible";
    EXPECT_FALSE(NearlyEqual(0.0, 1e-30));

    ChannelAnalysisRecord before;
    ChannelAnalysisRecord after = before;
    after.stimulusSource = u"Stimulus";
    after.optionValue1 = 7.0;
    after.rangeEnd = {3, 3};
    EXPECT_FALSE(DetectionSettingsDiffer(before, after)) << "sources and ranges need no new analysis";
    after.detectionThreshold = 0.2 * (1 + 1e-15);
    EXPECT_FALSE(DetectionSettingsDiffer(before, after));
    after.detectionThreshold = 0.25;
    EXPECT_TRUE(DetectionSettingsDiffer(before, after));
    after = before;
    after.defaultFitTolerance = 0.2;
    EXPECT_TRUE(DetectionSettingsDiffer(before, after));
    after = before;
    after.useSelection = true;
    EXPECT_TRUE(DetectionSettingsDiffer(before, after));
}
