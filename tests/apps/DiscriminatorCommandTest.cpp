#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "apps/RunNerolith.h"

namespace {

using namespace RunNerolith;

// The colours of units 1, 2 and 3 (the palette's first three).
constexpr std::array<QRgb, 3> kUnitColours{qRgb(230, 25, 75), qRgb(0, 90, 200), qRgb(60, 180, 75)};

struct Spike {
    std::int32_t block;
    std::int32_t tick;
    double height;
    double width;
    std::int32_t unit;
};

std::vector<Spike> SpikeTable(const std::string& text)
{
    std::vector<Spike> spikes;
    const std::vector<std::string> lines = Lines(text);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        spikes.push_back({std::stoi(f.at(1)), std::stoi(f.at(2)), std::stod(f.at(4)), std::stod(f.at(5)),
                          std::stoi(f.at(6))});
    }
    return spikes;
}

// Where a colour's pixels lie: how many, their mean row and their top row.
struct ColourPixels {
    std::int64_t count = 0;
    double meanRow = 0.0;
    int topRow = 1 << 30;
    double meanColumn = 0.0;
};

// Below the header, whose legend shows every unit's colour.
constexpr int kHeaderRows = 30;

ColourPixels PixelsOf(const QImage& image, QRgb colour)
{
    ColourPixels pixels;
    for (int y = kHeaderRows; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                ++pixels.count;
                pixels.meanRow += y;
                pixels.meanColumn += x;
                pixels.topRow = std::min(pixels.topRow, y);
            }
        }
    }
    if (pixels.count > 0) {
        pixels.meanRow /= static_cast<double>(pixels.count);
        pixels.meanColumn /= static_cast<double>(pixels.count);
    }
    return pixels;
}

std::string DemoUnits() { return std::string(NEROLITH_SOURCE_DIR) + "/data/demo-units.json"; }

// The demo's units A, B and C (tallest to shortest) as separate clusters of
// their colours in the scatter plot, and as distinct shapes in the spike plot:
// A's peak above B's above C's.
void ExpectThreeUnitsDrawn(const Scratch& scratch, const std::string& units)
{
    ASSERT_EQ(Nerolith(scratch, "render demo --units " + units + " --view scatter -o " + scratch / "s.png").status, 0);
    ASSERT_EQ(Nerolith(scratch, "render demo --units " + units + " --view waveforms -o " + scratch / "w.png").status,
              0);
    const QImage scatter(QString::fromStdString(scratch / "s.png"));
    const QImage waves(QString::fromStdString(scratch / "w.png"));
    ASSERT_FALSE(scatter.isNull());
    ASSERT_FALSE(waves.isNull());
    for (std::size_t u = 0; u < 3; ++u) {
        int legend = 0;
        for (int y = 0; y < kHeaderRows; ++y) {
            for (int x = 0; x < scatter.width(); ++x) {
                legend += (scatter.pixel(x, y) & 0xFFFFFF) == (kUnitColours[u] & 0xFFFFFF) ? 1 : 0;
            }
        }
        EXPECT_GT(legend, 20) << "unit " << u + 1 << " in the legend";
    }
    std::array<ColourPixels, 3> points;
    std::array<ColourPixels, 3> shapes;
    for (std::size_t u = 0; u < 3; ++u) {
        points[u] = PixelsOf(scatter, kUnitColours[u]);
        shapes[u] = PixelsOf(waves, kUnitColours[u]);
        EXPECT_GT(points[u].count, 100) << "unit " << u + 1 << " in the scatter plot";
        EXPECT_GT(shapes[u].count, 500) << "unit " << u + 1 << " in the spike plot";
    }
    EXPECT_LT(points[0].meanRow + 20, points[1].meanRow) << "A's cluster above B's";
    EXPECT_LT(points[2].meanColumn + 5, points[1].meanColumn) << "C's cluster left of B's (narrower)";
    EXPECT_LT(points[1].meanRow + 20, points[2].meanRow) << "B's cluster above C's";
    EXPECT_LT(shapes[0].topRow + 20, shapes[1].topRow) << "A's peak above B's";
    EXPECT_LT(shapes[1].topRow + 20, shapes[2].topRow) << "B's peak above C's";
}

TEST(DiscriminatorCommand, TheDemoUnitsShowAsColouredClustersAndShapes)
{
    const Scratch scratch("nerolith-discriminator-units");
    ExpectThreeUnitsDrawn(scratch, DemoUnits());
}

TEST(DiscriminatorCommand, SuggestedUnitsShowAsColouredClustersAndShapes)
{
    const Scratch scratch("nerolith-discriminator-suggest");
    ExpectThreeUnitsDrawn(scratch, "suggest");
}

// Each suggested unit holds at least 90% of one ground-truth unit's detected
// spikes, and at least 90% of its own spikes are that unit's.
TEST(DiscriminatorCommand, SuggestedUnitsMatchTheGroundTruth)
{
    const Scratch scratch("nerolith-discriminator-truth");
    ASSERT_EQ(Nerolith(scratch, "gen-demo " + scratch / "demo").status, 0);
    const Outcome run = Nerolith(scratch, "spikes demo --units suggest");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Spike> spikes = SpikeTable(run.out);
    std::map<std::pair<std::int32_t, std::int32_t>, std::int32_t> truth; // (block, peak tick) -> unit
    const std::vector<std::string> lines = Lines(ReadFile(scratch / "demo/demo.truth.tsv"));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        truth[{std::stoi(f.at(1)), std::stoi(f.at(2))}] = std::stoi(f.at(0));
    }
    // counts[suggested unit][truth unit]; a detected spike triggers a few
    // samples before the peak the truth gives.
    std::map<std::int32_t, std::map<std::int32_t, int>> counts;
    std::map<std::int32_t, int> truthTotals;
    for (const Spike& spike : spikes) {
        const auto peak = truth.lower_bound({spike.block, spike.tick - 2});
        if (peak == truth.end() || peak->first.first != spike.block || peak->first.second > spike.tick + 15) {
            continue;
        }
        ++counts[spike.unit][peak->second];
        ++truthTotals[peak->second];
    }
    std::vector<std::int32_t> matched;
    for (std::int32_t unit = 0; unit < 3; ++unit) {
        const std::map<std::int32_t, int>& row = counts[unit];
        ASSERT_FALSE(row.empty()) << "suggested unit " << unit + 1;
        const auto best = std::max_element(row.begin(), row.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        int total = 0;
        for (const auto& [truthUnit, count] : row) {
            total += count;
        }
        EXPECT_GE(best->second, 0.9 * total) << "purity of suggested unit " << unit + 1;
        EXPECT_GE(best->second, 0.9 * truthTotals[best->first]) << "truth unit " << best->first << " found";
        matched.push_back(best->first);
    }
    std::sort(matched.begin(), matched.end());
    EXPECT_EQ(matched, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(counts.count(3), 0u) << "three units, no more";
}

// Even-odd rule.
bool Inside(double x, double y, const std::vector<std::array<double, 2>>& polygon)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const auto& a = polygon[i];
        const auto& b = polygon[j];
        if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0]) {
            inside = !inside;
        }
    }
    return inside;
}

TEST(DiscriminatorCommand, AContourUnitHoldsExactlyTheSpikesInsideIt)
{
    const Scratch scratch("nerolith-discriminator-contour");
    // A slanted pentagon across clusters B and C, its corners off the
    // widths' 0.05 ms grid so that no spike lies on an edge.
    const std::vector<std::array<double, 2>> polygon{
        {0.525, 0.7}, {1.125, 0.9}, {1.175, 1.225}, {0.775, 1.175}, {0.625, 0.975}};
    std::ofstream units(scratch / "units.json");
    units << R"({"units": [{"kind": "contour", "name": "P", "vertices": [)";
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        units << (i ? "," : "") << "[" << polygon[i][0] << "," << polygon[i][1] << "]";
    }
    units << "]}]}";
    units.close();
    const Outcome run = Nerolith(scratch, "spikes demo --units " + scratch / "units.json");
    ASSERT_EQ(run.status, 0) << run.err;
    int inside = 0;
    for (const Spike& spike : SpikeTable(run.out)) {
        const bool expected = Inside(spike.width, spike.height, polygon);
        EXPECT_EQ(spike.unit, expected ? 0 : -1) << "spike at " << spike.width << " ms, " << spike.height;
        inside += expected ? 1 : 0;
    }
    EXPECT_GT(inside, 300);
}

TEST(DiscriminatorCommand, TheSpikePlotShowsOneUnitWhenAsked)
{
    const Scratch scratch("nerolith-discriminator-one-unit");
    const std::string units = " --units " + DemoUnits();
    ASSERT_EQ(Nerolith(scratch, "render demo" + units + " --view waveforms --unit B -o " + scratch / "b.png").status,
              0);
    const QImage waves(QString::fromStdString(scratch / "b.png"));
    EXPECT_EQ(PixelsOf(waves, kUnitColours[0]).count, 0);
    EXPECT_GT(PixelsOf(waves, kUnitColours[1]).count, 500);
    EXPECT_EQ(PixelsOf(waves, kUnitColours[2]).count, 0);
    const Outcome missing = Nerolith(scratch, "render demo" + units + " --view waveforms --unit D -o " + scratch / "d.png");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("--unit D: no such unit"), std::string::npos) << missing.err;
    EXPECT_EQ(Nerolith(scratch, "render demo" + units + " --view AH --unit B -o " + scratch / "a.png").status, 1);
}

TEST(DiscriminatorCommand, BadPicturesAndUnitsAreClearErrors)
{
    const Scratch scratch("nerolith-discriminator-errors");
    const Outcome unknown = Nerolith(scratch, "render demo --view scattered -o " + scratch / "x.png");
    EXPECT_EQ(unknown.status, 2) << "an unknown view is a usage error";
    EXPECT_NE(unknown.err.find("scattered"), std::string::npos) << unknown.err;
    const Outcome type = Nerolith(scratch, "render demo --view scatter -o " + scratch / "x.gif");
    EXPECT_EQ(type.status, 1);
    EXPECT_NE(type.err.find("x.gif"), std::string::npos) << type.err;
    const Outcome none = Nerolith(scratch, "spikes demo --threshold 50 --units suggest");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("--units suggest"), std::string::npos) << none.err;
    EXPECT_EQ(Nerolith(scratch, "render demo --view scatter --view waveforms -o " + scratch / "x.png").status, 1);
}

} // namespace
