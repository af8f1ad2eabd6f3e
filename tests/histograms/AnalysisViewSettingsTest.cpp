#include <gtest/gtest.h>

#include "histograms/AnalysisViewSettings.h"
#include "platform/text/VexString.h"

namespace {

using namespace Nerolith;

TEST(AnalysisViewSettings, NumbersAndRangesTakeOnlyWholeFiniteTexts)
{
    EXPECT_EQ(ParseSettingNumber(u"0.01"), 0.01);
    EXPECT_EQ(ParseSettingNumber(u"-1e-3"), -0.001);
    for (const char16_t* bad : {u"", u"nan", u"inf", u"1e999", u"0.01s", u" 1", u"1,5", u"\u0661"}) {
        EXPECT_FALSE(ParseSettingNumber(bad)) << VEX::String(bad).ToUtf8();
    }
    EXPECT_EQ(ParseSettingWholeNumber(u"2147483647"), 2147483647);
    EXPECT_FALSE(ParseSettingWholeNumber(u"2147483648"));
    EXPECT_FALSE(ParseSettingWholeNumber(u"2.0"));

    EXPECT_EQ(ParseSettingRange(u"-0.1:0.1"), (std::pair{-0.1, 0.1}));
    EXPECT_FALSE(ParseSettingRange(u"0.1"));
    EXPECT_FALSE(ParseSettingRange(u"0.1:"));
    EXPECT_FALSE(ParseSettingRange(u"0:1:2"));

    EXPECT_EQ(ParseSettingSize(u"640x480", 20000), (std::pair{640, 480}));
    EXPECT_FALSE(ParseSettingSize(u"0x480", 20000));
    EXPECT_FALSE(ParseSettingSize(u"20001x10", 20000));

    EXPECT_EQ(SettingNumberText(0.1 + 0.2), u"0.30000000000000004") << "reads back to the same number";
    EXPECT_EQ(SettingRangeText(-1.0, 0.5), u"-1:0.5");
}

TEST(AnalysisViewSettings, PagingTextsSetOneModeAndKeepTheOtherValues)
{
    PagingSettings settings;
    settings.fixedDuration = 2.5;
    const auto blocks = ParsePagingText(u"blocks:3", settings);
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->mode, kBlocksPerPage);
    EXPECT_EQ(blocks->blocksPerPage, 3);
    EXPECT_EQ(blocks->fixedDuration, 2.5);
    EXPECT_EQ(PagingText(*blocks), u"blocks:3");

    for (const char16_t* text : {u"none", u"duration:0.5", u"stimulus:7"}) {
        const auto parsed = ParsePagingText(text, settings);
        ASSERT_TRUE(parsed) << VEX::String(text).ToUtf8();
        EXPECT_EQ(PagingText(*parsed), text);
    }
    for (const char16_t* bad : {u"blocks:0", u"stimulus:-1", u"duration:0", u"duration:nan", u"blocks:1.5",
                                u"pages:3", u"blocks", u""}) {
        EXPECT_FALSE(ParsePagingText(bad, settings)) << VEX::String(bad).ToUtf8();
    }
}

} // namespace
