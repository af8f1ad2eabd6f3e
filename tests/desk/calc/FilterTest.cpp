#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "CalcTestSupport.h"
#include "support/MemoryRecording.h"
#include "desk/calc/BiquadCascade.h"
#include "desk/calc/CalcEngine.h"
#include "desk/calc/FilterCalculation.h"
#include "host/HostTypes.h"
#include "platform/com/MemoryStream.h"

using namespace CalcTest;
using Desk::BiquadCascade;
using Desk::CalcEngine;
using Desk::FilterCalculation;
using Desk::FilterDesign;

// The reference numbers come from scipy.signal, through
// filter_reference.py beside this file.
namespace {

using TestSupport::MemoryRecording;

constexpr double kRate = 20000.0;

FilterDesign Band(double low, std::optional<double> high, int order, bool causal = false)
{
    FilterDesign design;
    design.low = low;
    design.high = high;
    design.order = order;
    design.causal = causal;
    return design;
}

// |H| of an analog Butterworth edge carried through the prewarped bilinear
// transform: 1 / sqrt(1 + (tan(pi f/fs) / tan(pi fc/fs))^(+-2N)).
double AnalyticEdge(double f, double corner, int order, bool highPass)
{
    const double ratio = std::tan(std::numbers::pi * f / kRate) / std::tan(std::numbers::pi * corner / kRate);
    return 1.0 / std::sqrt(1.0 + std::pow(highPass ? 1.0 / ratio : ratio, 2.0 * order));
}

MemoryRecording OneChannel(std::vector<float> samples, double interval = 1.0 / kRate)
{
    return MemoryRecording({{std::move(samples)}}, interval);
}

// Sets a filter calculation on channel 1 and reads the block as every reader
// of the channel does.
std::vector<float> Filtered(const MemoryRecording& recording, const FilterDesign& design, std::int32_t block = 0,
                            std::int32_t start = 0, std::uint32_t chunk = 4096)
{
    CalcEngine engine(recording);
    auto calculation = ComPtr<FilterCalculation>::Attach(new FilterCalculation(recording, 0, design));
    EXPECT_EQ(engine.ChannelCalculations()->Apply(0, calculation.Get(), nullptr), S_OK);
    ComPtr<IEnumSamples> samples;
    EXPECT_EQ(engine.Calc()->OpenSamples(0, block, start, Host::kSampleRequest, samples.Put()), S_OK);
    std::vector<float> values;
    std::vector<float> buffer(chunk);
    for (std::uint32_t fetched = 0;;) {
        const HRESULT hr = samples->Next(chunk, buffer.data(), &fetched);
        values.insert(values.end(), buffer.begin(), buffer.begin() + fetched);
        if (hr != S_OK) {
            break;
        }
    }
    return values;
}

std::vector<float> Sine(double frequency, std::size_t count, double offset = 0.0)
{
    std::vector<float> samples(count);
    for (std::size_t n = 0; n < count; ++n) {
        samples[n] = static_cast<float>(offset + std::sin(2.0 * std::numbers::pi * frequency * n / kRate));
    }
    return samples;
}

// The amplitude of a sine over the middle half of a block holding a whole
// number of its periods there.
double AmplitudeInMiddle(const std::vector<float>& values)
{
    const std::size_t quarter = values.size() / 4;
    double power = 0.0;
    for (std::size_t n = quarter; n < values.size() - quarter; ++n) {
        power += double{values[n]} * values[n];
    }
    return std::sqrt(2.0 * power / static_cast<double>(values.size() - 2 * quarter));
}

// Where the energy of a pulse lies on average, in ticks.
double EnergyCentre(const std::vector<float>& values)
{
    double energy = 0.0;
    double moment = 0.0;
    for (std::size_t n = 0; n < values.size(); ++n) {
        energy += double{values[n]} * values[n];
        moment += static_cast<double>(n) * values[n] * values[n];
    }
    return moment / energy;
}

// The test signal scipy's reference numbers below were made from:
// 100 + 3 sin(2 pi 50 n/fs) + sin(2 pi 1100 n/fs + 0.3) + 2 (n >= 700), as float32.
std::vector<float> ReferenceSignal()
{
    std::vector<float> samples(2000);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        samples[n] = static_cast<float>(100.0 + 3.0 * std::sin(2.0 * std::numbers::pi * 50.0 * n / kRate) +
                                        std::sin(2.0 * std::numbers::pi * 1100.0 * n / kRate + 0.3) +
                                        (n >= 700 ? 2.0 : 0.0));
    }
    return samples;
}

// Whole numbers, as an ADC gives them, so a float32 offset adds exactly.
std::vector<float> Counts()
{
    std::vector<float> samples = ReferenceSignal();
    for (float& value : samples) {
        value = std::round(value * 40.0f);
    }
    return samples;
}

struct Reference {
    std::size_t tick;
    double value;
};

} // namespace

TEST(FilterDesign, MagnitudeMatchesButterworthAndScipy)
{
    // scipy.signal.sosfreqz of butter(2, 300, 'high') and butter(2, 3000, 'low') at fs 20 kHz.
    const BiquadCascade band(Band(300, 3000, 2), kRate);
    const std::vector<std::pair<double, double>> scipy = {{100, 0.1102879347737039},
                                                          {300, 0.7070808382776683},
                                                          {1000, 0.9914754810901857},
                                                          {3000, 0.7070808382776618},
                                                          {6000, 0.1357729414657194}};
    for (const auto& [f, magnitude] : scipy) {
        EXPECT_NEAR(std::abs(band.Response(f)), magnitude, 1e-12) << f << " Hz";
        EXPECT_NEAR(std::abs(band.Response(f)), AnalyticEdge(f, 300, 2, true) * AnalyticEdge(f, 3000, 2, false), 1e-12);
    }
    for (int order = 1; order <= FilterDesign::kMaxOrder; ++order) {
        const BiquadCascade highPass(Band(450, std::nullopt, order), kRate);
        EXPECT_NEAR(std::abs(highPass.Response(450)), std::sqrt(0.5), 1e-12) << "order " << order;
        EXPECT_NEAR(std::abs(highPass.Response(200)), AnalyticEdge(200, 450, order, true), 1e-12);
        EXPECT_NEAR(std::abs(highPass.Response(0)), 0.0, 1e-12);
    }
}

TEST(FilterDesign, CausalDelayAndSettling)
{
    // scipy.signal.group_delay of the 300-3000 Hz cascade at 1 kHz: 3.0175 ticks.
    const BiquadCascade band(Band(300, 3000, 2), kRate);
    EXPECT_NEAR(band.GroupDelay(1000) * kRate, 3.01749816, 1e-3);
    EXPECT_GT(band.SettlingTicks(), 100);
    EXPECT_LT(band.SettlingTicks(), 2000);
    EXPECT_GT(BiquadCascade(Band(3, 3000, 2), kRate).SettlingTicks(), 50 * band.SettlingTicks());
}

TEST(FilterDesign, RefusesEdgesTheRateCannotCarry)
{
    EXPECT_EQ(Band(300, 3000, 2).Problem(10000), "");
    EXPECT_THAT(Band(300, 3000, 2).Problem(5000), testing::HasSubstr("half the sample rate (2500 Hz)"));
    EXPECT_THAT(Band(300, 200, 2).Problem(kRate), testing::HasSubstr("above the lower"));
    EXPECT_THAT(Band(0, 200, 2).Problem(kRate), testing::HasSubstr("above 0 Hz"));
    EXPECT_THAT(Band(300, 3000, 9).Problem(kRate), testing::HasSubstr("order"));
}

TEST(FilteredChannel, GainAtTheCornersIsHalfZeroPhaseAndRootHalfCausal)
{
    for (const double corner : {300.0, 3000.0}) {
        const MemoryRecording recording = OneChannel(Sine(corner, 40000, 5.0));
        EXPECT_NEAR(AmplitudeInMiddle(Filtered(recording, Band(300, 3000, 2))), 0.5, 2e-3) << corner;
        EXPECT_NEAR(AmplitudeInMiddle(Filtered(recording, Band(300, 3000, 2, true))), std::sqrt(0.5), 2e-3) << corner;
    }
    const MemoryRecording middle = OneChannel(Sine(950, 40000));
    EXPECT_NEAR(AmplitudeInMiddle(Filtered(middle, Band(300, 3000, 4))), std::pow(std::abs(BiquadCascade(Band(300, 3000, 4), kRate).Response(950)), 2), 2e-3);
}

TEST(FilteredChannel, MatchesScipySosfiltfiltAndSosfilt)
{
    // scipy: sosfiltfilt(sos, x, padlen=0) and sosfilt(sos, x, zi=sosfilt_zi(sos) * x[0]).
    const std::vector<Reference> zeroPhase = {
        {0, 0.010017031986275828},  {1, 0.20473209628101272},    {10, -0.7057833007253975},
        {503, -0.9521310217362471}, {699, -0.23739926352013624}, {700, -0.01247085354290857},
        {701, 0.11720621603391376}, {1237, 0.4887271320673028},  {1999, 0.0}};
    const std::vector<Reference> causal = {
        {0, 0.0},                   {1, 0.04332907508454451},  {10, -0.4577232585304442},
        {503, -1.0134986317496435}, {699, 0.2344332738026894}, {700, 0.13952226932493084},
        {701, 0.46269802772220914}, {1237, 0.3676286533580402}, {1999, -0.13178092895852428}};
    const std::vector<Reference> order3 = {
        {0, -0.0522203655366711},   {1, 0.19607845490165562}, {10, -0.6319681504997251},
        {503, -0.9645882771984453}, {699, -0.402516555606177}, {700, 0.15464335908953397},
        {701, 0.3581997096949128},  {1237, 0.49265144603037375}, {1999, 0.0}};
    const MemoryRecording recording = OneChannel(ReferenceSignal());
    const auto check = [&recording](const FilterDesign& design, const std::vector<Reference>& expected) {
        const std::vector<float> values = Filtered(recording, design);
        ASSERT_EQ(values.size(), 2000u);
        for (const Reference& point : expected) {
            EXPECT_NEAR(values[point.tick], point.value, 2e-5) << "tick " << point.tick;
        }
    };
    check(Band(300, 3000, 2), zeroPhase);
    check(Band(300, 3000, 2, true), causal);
    check(Band(500, 5000, 3), order3);
}

TEST(FilteredChannel, ZeroPhaseKeepsASpikeInPlaceAndCausalDelaysIt)
{
    std::vector<float> samples(8000, 0.0f);
    const std::ptrdiff_t centre = 4000;
    for (std::ptrdiff_t n = -40; n <= 40; ++n) {
        samples[centre + n] = static_cast<float>(-std::exp(-0.5 * (n / 4.0) * (n / 4.0)));
    }
    const MemoryRecording recording = OneChannel(samples);
    const auto trough = [](const std::vector<float>& values) {
        return std::min_element(values.begin(), values.end()) - values.begin();
    };
    const std::vector<float> zeroPhase = Filtered(recording, Band(300, 3000, 2));
    EXPECT_EQ(trough(zeroPhase), centre);
    for (std::ptrdiff_t n = 1; n < 60; ++n) {
        EXPECT_NEAR(zeroPhase[centre - n], zeroPhase[centre + n], 1e-6) << n;
    }
    EXPECT_NEAR(EnergyCentre(zeroPhase), centre, 1e-3);
    // A causal filter delays: its output's energy comes later.
    EXPECT_GT(EnergyCentre(Filtered(recording, Band(300, 3000, 2, true))), centre + 1.0);
}

TEST(FilteredChannel, AnyWindowReadsAsTheWholeBlockDoes)
{
    const MemoryRecording recording = OneChannel(ReferenceSignal());
    for (const bool causal : {false, true}) {
        const FilterDesign design = Band(300, 3000, 2, causal);
        const std::vector<float> whole = Filtered(recording, design, 0, 0, 4096);
        const std::vector<float> bySeven = Filtered(recording, design, 0, 0, 7);
        const std::vector<float> fromMiddle = Filtered(recording, design, 0, 1500, 64);
        ASSERT_EQ(bySeven.size(), whole.size());
        ASSERT_EQ(fromMiddle.size(), 500u);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            EXPECT_NEAR(bySeven[n], whole[n], 1e-6) << n;
        }
        for (std::size_t n = 0; n < fromMiddle.size(); ++n) {
            EXPECT_NEAR(fromMiddle[n], whole[1500 + n], 1e-6) << n;
        }
    }
}

TEST(FilteredChannel, AConstantOffsetChangesNothingAndBlocksStandAlone)
{
    const std::vector<float> base = Counts();
    std::vector<float> shifted = base;
    for (float& value : shifted) {
        value += 2048.0f;
    }
    EXPECT_EQ(Filtered(OneChannel(base), Band(300, 3000, 2)), Filtered(OneChannel(shifted), Band(300, 3000, 2)));
    EXPECT_EQ(Filtered(OneChannel(base), Band(300, std::nullopt, 4, true)),
              Filtered(OneChannel(shifted), Band(300, std::nullopt, 4, true)));

    // A second block reads the same whatever the first one held.
    const MemoryRecording two({{shifted}, {base}}, 1.0 / kRate);
    const MemoryRecording other({{Sine(700, 3000, -500.0)}, {base}}, 1.0 / kRate);
    EXPECT_EQ(Filtered(two, Band(300, 3000, 2), 1), Filtered(other, Band(300, 3000, 2), 1));
    EXPECT_EQ(Filtered(two, Band(300, 3000, 2), 1), Filtered(OneChannel(base), Band(300, 3000, 2)));
}

TEST(FilteredChannel, AReferenceTakesTheCommonSignalOff)
{
    const std::vector<float> common = Counts();
    std::vector<float> spike(common.size(), 0.0f);
    for (std::size_t n = 900; n < 920; ++n) {
        spike[n] = static_cast<float>(std::round(-40.0 * std::sin(std::numbers::pi * static_cast<double>(n - 900) / 20.0)));
    }
    std::vector<float> electrode = common;
    std::vector<float> other = common;
    for (std::size_t n = 0; n < common.size(); ++n) {
        electrode[n] += spike[n];
        other[n] += 7.0f * (n % 3 == 0 ? 1.0f : -1.0f);
    }
    const MemoryRecording recording({{electrode, common, common, common, other}}, 1.0 / kRate);
    const std::vector<float> alone = Filtered(OneChannel(spike), Band(300, 3000, 2));
    FilterDesign median = Band(300, 3000, 2);
    median.reference = {0, 1, 2, 3, 4};
    const std::vector<float> medianOut = Filtered(recording, median);
    FilterDesign mean = Band(300, 3000, 2);
    mean.reference = {1, 2};
    mean.medianReference = false;
    const std::vector<float> meanOut = Filtered(recording, mean);
    ASSERT_EQ(medianOut.size(), alone.size());
    ASSERT_EQ(meanOut.size(), alone.size());
    for (std::size_t n = 0; n < alone.size(); ++n) {
        EXPECT_NEAR(medianOut[n], alone[n], 1e-4) << n;
        EXPECT_NEAR(meanOut[n], alone[n], 1e-4) << n;
    }
}

TEST(FilterCalculationTest, AppliesSavesAndComesOff)
{
    const MemoryRecording recording = OneChannel(ReferenceSignal());
    CalcEngine engine(recording);
    auto calculation = ComPtr<FilterCalculation>::Attach(new FilterCalculation(recording, 0, Band(300, 3000, 2)));
    ASSERT_EQ(engine.ChannelCalculations()->Apply(0, calculation.Get(), nullptr), S_OK);

    VEX::String text;
    ASSERT_EQ(engine.ChannelCalculations()->Expression(0, &text), S_OK);
    EXPECT_EQ(text.ToUtf8(), "Filter(ch1, 300, 3000, 2, 0)");
    // The expression evaluates to the samples every reader sees.
    ComPtr<IEnumSamples> calculated;
    ComPtr<IEnumSamples> read;
    ASSERT_EQ(engine.OpenCalculatedSamples(0, 0, 0, calculated.Put()), S_OK);
    ASSERT_EQ(engine.Calc()->OpenSamples(0, 0, 0, Host::kSampleRequest, read.Put()), S_OK);
    std::vector<float> a(2000);
    std::vector<float> b(2000);
    std::uint32_t fetched = 0;
    calculated->Next(2000, a.data(), &fetched);
    read->Next(2000, b.data(), &fetched);
    EXPECT_EQ(a, b);
    EXPECT_NEAR(b[1237], 0.4887271320673028, 2e-5);

    auto stream = MakeCom<MemoryStream>();
    ASSERT_EQ(calculation->SaveSettings(stream.Get()), S_OK);
    auto loaded = ComPtr<FilterCalculation>::Attach(new FilterCalculation(recording, 0, FilterDesign{}));
    auto back = MakeCom<MemoryStream>(stream->Bytes());
    ASSERT_EQ(loaded->LoadSettings(back.Get()), S_OK);
    EXPECT_EQ(loaded->Design(), Band(300, 3000, 2));
    FilterDesign referenced = Band(300, std::nullopt, 3, true);
    referenced.reference = {0, 0};
    referenced.medianReference = false;
    auto withReference = ComPtr<FilterCalculation>::Attach(new FilterCalculation(recording, 0, referenced));
    auto referenceStream = MakeCom<MemoryStream>();
    ASSERT_EQ(withReference->SaveSettings(referenceStream.Get()), S_OK);
    auto referenceBack = MakeCom<MemoryStream>(referenceStream->Bytes());
    ASSERT_EQ(loaded->LoadSettings(referenceBack.Get()), S_OK);
    EXPECT_EQ(loaded->Design(), referenced);
    ASSERT_EQ(withReference->ExpressionText(&text), S_OK);
    EXPECT_EQ(text.ToUtf8(), "Filter(ch1, 300, 0, 3, 1, 2, ch1, ch1)");
    ASSERT_EQ(engine.ChannelCalculations()->Apply(0, withReference.Get(), nullptr), S_OK);
    ASSERT_EQ(engine.OpenCalculatedSamples(0, 0, 0, calculated.Put()), S_OK);
    calculated->Next(2000, a.data(), &fetched);
    EXPECT_EQ(a, std::vector<float>(2000, 0.0f)); // the channel less itself
    ASSERT_EQ(engine.ChannelCalculations()->Apply(0, calculation.Get(), nullptr), S_OK);
    auto garbage = MakeCom<MemoryStream>(std::vector<std::uint8_t>{'{', 'x'});
    EXPECT_EQ(loaded->LoadSettings(garbage.Get()), E_FAIL);
    EXPECT_EQ(loaded->Design(), referenced);

    ASSERT_EQ(engine.ChannelCalculations()->Apply(0, nullptr, nullptr), S_OK);
    ASSERT_EQ(engine.Calc()->OpenSamples(0, 0, 0, Host::kSampleRequest, read.Put()), S_OK);
    read->Next(2000, b.data(), &fetched);
    EXPECT_EQ(b, ReferenceSignal());
}

TEST(FilterCalculationTest, RefusesWhatTheChannelCannotCarry)
{
    const MemoryRecording recording = OneChannel(ReferenceSignal(), 1.0 / 5000.0);
    CalcEngine engine(recording);
    auto calculation = ComPtr<FilterCalculation>::Attach(new FilterCalculation(recording, 0, Band(300, 3000, 2)));
    VEX::String reason;
    EXPECT_EQ(engine.ChannelCalculations()->Apply(0, calculation.Get(), &reason), E_FAIL);
    EXPECT_EQ(reason.ToUtf8(), "the edges must lie below half the sample rate (2500 Hz)");
    // A filter makes a channel, never events.
    EXPECT_NE(engine.CheckEventExpression(u"Filter(ch1, 300, 3000, 2, 0)"), "");
}
