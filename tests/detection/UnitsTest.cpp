#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "detection/Classification.h"
#include "detection/ContinuedFraction.h"
#include "detection/ContourUnit.h"
#include "detection/SpikeData.h"
#include "detection/TemplateUnit.h"
#include "detection/UnitPalette.h"
#include "support/FakeHost.h"

using namespace Nerolith;

namespace {

UnitRecord Square(std::int32_t number = 0)
{
    UnitRecord r;
    r.number = number;
    r.widths = {0, 2, 2, 0};
    r.heights = {0, 0, 2, 2};
    return r;
}

bool Inside(const SpikeUnit& unit, double height, double widthMs)
{
    double distance = 0.0;
    return unit.Test({}, height, widthMs, 0, distance);
}

TemplateUnit Template(std::vector<float> waveform, double tolerance)
{
    UnitRecord r;
    r.fitTolerance = tolerance;
    return TemplateUnit(r, std::move(waveform));
}

SpikeEvent At(std::int32_t tick, double height, double widthMs)
{
    SpikeEvent s;
    s.tick = tick;
    s.height = height;
    s.width = widthMs / 1000.0;
    return s;
}

} // namespace

TEST(ContourUnit, CrossingRuleOnEdges)
{
    const ContourUnit square(Square());
    EXPECT_TRUE(Inside(square, 1.0, 1.0));
    EXPECT_FALSE(Inside(square, 1.0, 3.0));
    // The ray runs towards larger widths: the right edge is not crossed by a
    // point on it, the left one is.
    EXPECT_FALSE(Inside(square, 1.0, 2.0));
    EXPECT_TRUE(Inside(square, 1.0, 0.0));
    // Horizontal edges are never crossed: bottom counts in, top out.
    EXPECT_TRUE(Inside(square, 0.0, 1.0));
    EXPECT_FALSE(Inside(square, 2.0, 1.0));
    // The point is float32 first: just left of the right edge rounds onto it.
    EXPECT_FALSE(Inside(square, 1.0, 1.9999999999));
    UnitRecord empty;
    EXPECT_FALSE(Inside(ContourUnit(empty), 0.0, 0.0));
}

TEST(TemplateUnit, RmsBelowToleranceWithSteppingAndPolarity)
{
    double distance = -1.0;
    const std::vector<float> wave = {1, 2, 3, 4};
    EXPECT_TRUE(Template(wave, 0.5).Test(wave, 0, 0, 0, distance));
    EXPECT_EQ(distance, 0.0);
    EXPECT_FALSE(Template(wave, 0.0).Test(wave, 0, 0, 0, distance));
    EXPECT_TRUE(Template(wave, 0.5).Test(std::vector<float>{-1, -2, -3, -4}, 0, 0, 1, distance));
    // RMS exactly at the tolerance does not match.
    EXPECT_FALSE(Template(wave, 1.0).Test(std::vector<float>{2, 3, 4, 5}, 0, 0, 0, distance));
    EXPECT_DOUBLE_EQ(distance, 1.0);
    EXPECT_FALSE(Template({}, 1.0).Test(wave, 0, 0, 0, distance));

    // 40 window samples against 20: window 0, 2, 4, ... meet template 0, 1, 2, ...
    std::vector<float> twenty(20);
    std::vector<float> forty(40, 1000.0f);
    for (int k = 0; k < 20; ++k) {
        twenty[k] = float(k);
        forty[2 * k] = float(k);
    }
    EXPECT_TRUE(Template(twenty, 0.1).Test(forty, 0, 0, 0, distance));
}

TEST(ContinuedFraction, StepsFromLengthRatios)
{
    const auto is = [](double x, std::int64_t p, std::int64_t q) {
        const Fraction f = ContinuedFraction(x);
        return f.numerator == p && f.denominator == q;
    };
    EXPECT_TRUE(is(1.0, 1, 1));
    EXPECT_TRUE(is(2.0, 2, 1));
    EXPECT_TRUE(is(0.5, 1, 2));
    EXPECT_TRUE(is(40.0 / 30.0, 4, 3));
    EXPECT_TRUE(is(-0.75, -3, 4));
    const Fraction pi = ContinuedFraction(M_PI);
    EXPECT_NEAR(double(pi.numerator) / double(pi.denominator), M_PI, 1e-15);
    EXPECT_LE(pi.numerator, 0x7FFFFFFE);
}

TEST(UnitPalette, DistinctRepeatingColours)
{
    std::set<std::uint32_t> colours;
    for (std::int32_t n = 0; n < 18; ++n) {
        colours.insert(UnitColour(n));
        EXPECT_EQ(UnitColour(n), UnitColour(n + 18));
        EXPECT_NE(UnitColour(n), kNoUnitColour);
    }
    EXPECT_EQ(colours.size(), 18u);
}

struct Units : ::testing::Test {
    FakeHost::Owner owner;
    ComPtr<SpikeData> store = MakeCom<SpikeData>(&owner);
    UnitCatalog& units = store->Units();
    const std::vector<float> window = std::vector<float>(10);

    SpikeEvent Classified(std::int32_t channel, SpikeEvent spike)
    {
        ClassifySpike(store.Get(), window, channel, 0, 0, spike);
        return spike;
    }
};

TEST_F(Units, LaterUnitWinsAndChannelsStayApart)
{
    units.NewContourUnit(2, {0, 4, 4, 0}, {0, 0, 4, 4});
    units.NewContourUnit(2, {0, 2, 2, 0}, {0, 0, 2, 2});
    const SpikeEvent both = Classified(2, At(0, 1.0, 1.0));
    EXPECT_EQ(both.unit, 1);
    EXPECT_EQ(both.colour, UnitColour(1));
    EXPECT_EQ(Classified(3, At(0, 1.0, 1.0)).unit, -1);
    EXPECT_EQ(Classified(3, At(0, 1.0, 1.0)).colour, kNoUnitColour);

    SpikeEvent unsorted = At(0, 1.0, 1.0);
    ClassifySpike(nullptr, window, 2, 0, 0, unsorted);
    EXPECT_EQ(unsorted.unit, -1);
}

TEST_F(Units, HandAssignmentsOverrideAndExclude)
{
    units.NewContourUnit(2, {0, 4, 4, 0}, {0, 0, 4, 4});
    units.NewContourUnit(2, {0, 4, 4, 0}, {0, 0, 4, 4});
    units.Assignments().Add({.unit = 0, .block = 0, .tick = 100, .channel = 2, .tolerance = 0, .spikeIndex = 5});
    EXPECT_EQ(Classified(2, At(100, 1.0, 1.0)).unit, 0);
    // The match widened the record to half the window: a shifted trigger
    // still finds it.
    EXPECT_EQ(Classified(2, At(105, 1.0, 1.0)).unit, 0);
    EXPECT_EQ(Classified(2, At(106, 1.0, 1.0)).unit, 1);

    units.Assignments().Add({.unit = -1, .block = 0, .tick = 200, .channel = 2, .tolerance = 0, .spikeIndex = 6});
    const SpikeEvent excluded = Classified(2, At(200, 1.0, 1.0));
    EXPECT_EQ(excluded.unit, -1);
    EXPECT_EQ(excluded.colour, kNoUnitColour);
    EXPECT_TRUE(units.Assignments().IsExcluded(6));
    EXPECT_FALSE(units.Assignments().IsExcluded(5));
    units.Assignments().Add({.unit = -1, .block = 0, .tick = 200, .channel = 2, .tolerance = 0, .spikeIndex = 6});
    EXPECT_EQ(units.Assignments().Records().size(), 2u);

    // Deleting a unit drops the spikes assigned to it by hand, so that no
    // later unit of the same number inherits them; exclusions stay.
    units.DeleteUnit(0);
    EXPECT_EQ(units.Assignments().Records().size(), 1u);
    EXPECT_EQ(Classified(2, At(100, 1.0, 1.0)).unit, 1) << "the contours classify it again";
    EXPECT_TRUE(units.Assignments().RemoveChannel(2));
    EXPECT_FALSE(units.Assignments().RemoveChannel(2));
}

TEST_F(Units, NumbersNamesAndHostSources)
{
    units.SetChannelIdentifiers(2, 40, 41);
    for (int i = 0; i < 3; ++i) {
        units.NewContourUnit(2, {}, {});
    }
    FakeHost::Calc& calc = owner.calc();
    ASSERT_EQ(calc.sources.size(), 3u);
    EXPECT_EQ(calc.sources[100].name, u"NerolithUnit1");
    EXPECT_EQ(calc.sources[100].expression, u"UnitSelector(Spikes40, 0)");

    EXPECT_TRUE(units.DeleteUnit(0));
    EXPECT_EQ(calc.withdrawn, (std::vector<std::int32_t>{100}));
    EXPECT_TRUE(units.SetProperties(2, u"Unit5", 0x123456, 0.3));
    EXPECT_EQ(units.NewContourUnit(2, {}, {}), 3);
    EXPECT_EQ(units.Info(3)->name, VEX::String(u"Unit4"));
    EXPECT_EQ(units.NewContourUnit(2, {}, {}), 4);
    EXPECT_EQ(units.Info(4)->name, VEX::String(u"Unit6"));
    EXPECT_EQ(units.Info(2)->colour, 0x123456u);
    EXPECT_FALSE(units.Info(0));
    EXPECT_FALSE(units.SetProperties(0, u"x", 0, 0));

    units.DeleteUnits(2);
    EXPECT_TRUE(units.Units().empty());
    EXPECT_EQ(calc.withdrawn.size(), 5u);
    EXPECT_FALSE(units.ChannelIdentifiers(2));
    EXPECT_EQ(units.NextNumber(), 0);
}

TEST_F(Units, TemplateReadBackFromTheChannel)
{
    std::vector<float> ramp(100);
    for (int i = 0; i < 100; ++i) {
        ramp[i] = float(i);
    }
    owner.calc().samples[{2, 0}] = ramp;
    const auto number = units.NewTemplateUnit(2, {3, 0}, {5, 10}, 0.25);
    ASSERT_TRUE(number);
    const auto& unit = dynamic_cast<const TemplateUnit&>(*units.Find(*number));
    EXPECT_EQ(unit.Waveform(), std::vector<float>(ramp.begin(), ramp.begin() + 10));
    EXPECT_EQ(unit.FitTolerance(), 0.25);
    EXPECT_EQ(unit.Kind(), kTemplateUnit);
    EXPECT_FALSE(units.NewTemplateUnit(2, {3, 1}, {5, 10}, 0.25));
    EXPECT_EQ(units.Units().size(), 1u);
}
