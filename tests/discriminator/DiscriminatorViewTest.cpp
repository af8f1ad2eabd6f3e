#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "detection/SpikeEvent.h"
#include "detection/UnitPalette.h"
#include "discriminator/DiscriminatorClasses.h"
#include "discriminator/DiscriminatorView.h"
#include "discriminator/ScatterExtents.h"
#include "discriminator/UnitSuggestion.h"
#include "discriminator/Waveforms.h"
#include "module/DocumentWindows.h"
#include "support/SpikyDocument.h"

namespace {

using namespace Nerolith;
using Host::ViewKind;

SpikeExtents Extents(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
    return {minHeight, maxHeight, minWidth, maxWidth};
}

TEST(ScatterExtents, CentreTheDataAndFallBackWhenASpanIsEmpty)
{
    const ScatterExtents spread = DefaultScatterExtents(Extents(0.4f, 1.2f, 1.0f, 2.0f), 0.5);
    EXPECT_DOUBLE_EQ(spread.width.first, 0.0) << "0.8 - 0.8 would be 0; no negative widths anyway";
    EXPECT_NEAR(spread.width.second, 1.6, 1e-6);
    EXPECT_NEAR(spread.height.first, -0.25, 1e-6) << "the threshold widens the heights";
    EXPECT_NEAR(spread.height.second, 2.75, 1e-6);

    const ScatterExtents alike = DefaultScatterExtents(Extents(0.5f, 0.5f, 1.0f, 1.0f), 1.0);
    EXPECT_NEAR(alike.width.first, 0.45, 1e-6) << "a tenth of the width each side";
    EXPECT_NEAR(alike.width.second, 0.55, 1e-6);
    EXPECT_NEAR(alike.height.first, 0.9, 1e-6);

    const ScatterExtents none = DefaultScatterExtents(SpikeExtents{}, 0.0);
    EXPECT_EQ(none.width, kInitialWidthExtent) << "no spikes: nothing inverted";
    EXPECT_EQ(none.height, kInitialHeightExtent);
    const ScatterExtents zero = DefaultScatterExtents(Extents(0.0f, 0.0f, 0.0f, 0.0f), 0.0);
    EXPECT_EQ(zero.width, kInitialWidthExtent) << "zero maxima: nothing empty";
    EXPECT_EQ(zero.height, kInitialHeightExtent);
    const ScatterExtents thresholdOnly = DefaultScatterExtents(SpikeExtents{}, -0.5);
    EXPECT_NEAR(thresholdOnly.height.first, -0.55, 1e-9);
    EXPECT_NEAR(thresholdOnly.height.second, -0.45, 1e-9);
}

bool Inside(double x, double y, const SuggestedContour& contour)
{
    bool inside = false;
    const std::vector<double>& xs = contour.widths;
    const std::vector<double>& ys = contour.heights;
    for (std::size_t i = 0, j = xs.size() - 1; i < xs.size(); j = i++) {
        if ((ys[i] > y) != (ys[j] > y) && x < (xs[j] - xs[i]) * (y - ys[i]) / (ys[j] - ys[i]) + xs[i]) {
            inside = !inside;
        }
    }
    return inside;
}

// Clusters of widths on a 0.05 ms grid, as detected spikes' widths are.
struct Clusters {
    std::vector<float> widths;
    std::vector<float> heights;
    std::vector<int> labels;

    void Add(int label, double width, double height, double widthSpread, double heightSpread, int count)
    {
        std::normal_distribution<double> w(width, widthSpread);
        std::normal_distribution<double> h(height, heightSpread);
        for (int i = 0; i < count; ++i) {
            widths.push_back(static_cast<float>(std::round(w(generator) / 0.05) * 0.05));
            heights.push_back(static_cast<float>(h(generator)));
            labels.push_back(label);
        }
    }
    std::mt19937 generator{7};
};

TEST(UnitSuggestion, OneContourPerClusterHoldingItsPoints)
{
    Clusters data;
    data.Add(0, 0.45, 1.6, 0.05, 0.08, 800);
    data.Add(1, 0.95, 1.05, 0.1, 0.08, 500);
    data.Add(2, 0.5, 0.75, 0.06, 0.06, 200);
    SuggestionOptions options;
    options.widthStepMs = 0.05;
    const std::vector<SuggestedContour> contours = SuggestContours(data.widths, data.heights, options);
    ASSERT_EQ(contours.size(), 3u);
    for (std::size_t c = 0; c < 3; ++c) {
        int own = 0;
        int others = 0;
        for (std::size_t i = 0; i < data.widths.size(); ++i) {
            if (Inside(data.widths[i], data.heights[i], contours[c])) {
                (data.labels[i] == static_cast<int>(c) ? own : others) += 1;
            }
        }
        const int size = c == 0 ? 800 : c == 1 ? 500 : 200;
        EXPECT_GE(own, 0.95 * size) << "contour " << c << ", tallest first";
        EXPECT_LE(others, 0.02 * size) << "contour " << c;
    }
}

TEST(UnitSuggestion, OneClusterIsOneContourAndTooFewPointsNone)
{
    Clusters data;
    data.Add(0, 0.6, 1.0, 0.08, 0.1, 600);
    SuggestionOptions options;
    options.widthStepMs = 0.05;
    EXPECT_EQ(SuggestContours(data.widths, data.heights, options).size(), 1u);
    EXPECT_TRUE(SuggestContours({0.5f, 0.6f}, {1.0f, 1.1f}, options).empty());
    EXPECT_TRUE(SuggestContours({}, {}, options).empty());
    const std::vector<float> same(40, 0.5f);
    const std::vector<SuggestedContour> alike = SuggestContours(same, same, options);
    ASSERT_LE(alike.size(), 1u) << "identical points: one cluster at most";
    for (const SuggestedContour& contour : alike) {
        EXPECT_TRUE(Inside(0.5, 0.5, contour));
    }
}

class DiscriminatorViewTest : public ::testing::Test {
protected:
    DiscriminatorViewTest() : saved(InstalledWindows()) { DiscriminatorClasses().install(); }
    ~DiscriminatorViewTest() override
    {
        InstalledWindows().closeViews(*spiky.doc);
        InstalledWindows() = saved;
    }

    DiscriminatorView& Open()
    {
        EXPECT_EQ(spiky.doc->Execute(Commands::kDiscriminator), S_OK);
        return dynamic_cast<DiscriminatorView&>(*spiky.doc->FindView(ViewKind::Discriminator));
    }

    DocumentWindows saved;
    TestSupport::SpikyDocument spiky;
};

TEST_F(DiscriminatorViewTest, CommandOpensTheViewWhosePlotsFollowTheUnits)
{
    spiky.Analyze();
    DiscriminatorView& view = Open();
    EXPECT_NE(view.Title().Str().find(u": Nerolith Discriminator View"), std::u16string::npos);
    EXPECT_EQ(view.Scatter().PointCount(kNoUnitColour), 5);
    EXPECT_EQ(view.Spikes().WaveformCount(kNoUnitColour), 5u);
    const std::int32_t unit = spiky.Contour();
    spiky.Analyze();
    EXPECT_EQ(view.Scatter().PointCount(kNoUnitColour), 0);
    EXPECT_EQ(view.Scatter().PointCount(UnitColour(unit)), 5) << "every spike in the unit's colour";
    EXPECT_EQ(view.Spikes().WaveformCount(UnitColour(unit)), 5u);
    EXPECT_EQ(spiky.doc->Execute(Commands::kDiscriminator), S_OK) << "a second command shows the same view";
}

TEST_F(DiscriminatorViewTest, SettingsWritePicturesAndRefuseBadValues)
{
    spiky.Analyze();
    Open();
    const auto set = [this](const char16_t* name, const char16_t* value) {
        return spiky.doc->SetViewSetting(ViewKind::Discriminator, VEX::String(name), VEX::String(value));
    };
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "discriminator-view-test.png";
    EXPECT_EQ(set(u"picture", u"scatter"), S_OK);
    EXPECT_EQ(set(u"size", u"300x200"), S_OK);
    EXPECT_EQ(set(u"write-picture", file.u16string().c_str()), S_OK);
    EXPECT_GT(std::filesystem::file_size(file), 0u);
    std::filesystem::remove(file);
    EXPECT_EQ(set(u"picture", u"histogram"), E_INVALIDARG);
    EXPECT_EQ(set(u"size", u"0x200"), E_INVALIDARG);
    EXPECT_EQ(set(u"write-picture", u"picture.gif"), E_INVALIDARG);
    EXPECT_EQ(set(u"suggest-units", u"0"), E_INVALIDARG);
    EXPECT_EQ(set(u"waveforms", u"some"), E_INVALIDARG);
    EXPECT_EQ(set(u"bin-size", u"1"), E_INVALIDARG);
}

TEST(Waveforms, AWindowBeforeTheBlockStartKeepsTheSamplesThatExist)
{
    auto host = TestSupport::NewHostDocument(TestSupport::SpikyRecording({{3, 100}}));
    ComPtr<IHostCalc> calc;
    ComPtr<IHostRecording> recording;
    ASSERT_EQ(host->GetCalc(calc.Put()), S_OK);
    ASSERT_EQ(host->GetRecording(recording.Put()), S_OK);
    const SpikeWindow window{0, 0.001, 0.004}; // 10 ticks before, 40 in all
    const std::vector<Waveform> waves = ReadWaveforms(*calc, *recording, window, {{3, 0}, {100, 0}, {5, 7}});
    ASSERT_EQ(waves.size(), 3u);
    EXPECT_EQ(waves[0].values.size(), 33u) << "ticks 0 to 32";
    EXPECT_NEAR(waves[0].firstX, -0.3, 1e-9) << "drawn at its own time";
    EXPECT_FLOAT_EQ(waves[0].values[3], 1.0f) << "the peak at the trigger";
    EXPECT_EQ(waves[1].values.size(), 40u);
    EXPECT_NEAR(waves[1].firstX, -1.0, 1e-9);
    EXPECT_NEAR(waves[1].step, 0.1, 1e-12);
    EXPECT_TRUE(waves[2].values.empty()) << "no block 7";
}

} // namespace
