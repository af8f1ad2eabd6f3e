#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "RunNerolith.h"

// Numbers from options, JSON files and stored streams: refused with a message
// naming the value when not finite or out of their type's range, never
// converted quietly.
namespace {

using RunNerolith::Nerolith;
using RunNerolith::Outcome;
using RunNerolith::Scratch;

void ExpectRefused(const Outcome& run, int status, const std::string& named)
{
    EXPECT_EQ(run.status, status) << run.err;
    EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
}

TEST(NumericInput, OptionsThatAreNotFiniteAreRefused)
{
    ExpectRefused(Nerolith("spikes demo --window nan"), 2, "nan");
    ExpectRefused(Nerolith("spikes demo --pretrigger nan"), 2, "nan");
    // A threshold may also be given in noise units, so it is read after the
    // options: bad input rather than a usage error.
    for (const char* value : {"nan", "inf", "-inf", "1e999"}) {
        ExpectRefused(Nerolith(std::string("spikes demo --threshold ") + value), 1, value);
    }
    ExpectRefused(Nerolith("spikes demo --fit-tolerance nan"), 2, "nan");
}

TEST(NumericInput, PicturesAreKeptWithinAPixelBudget)
{
    ExpectRefused(Nerolith("render demo --view AH -o /tmp/never.png --size 20000x20000"), 2, "pixels");
}

TEST(NumericInput, UnitsFilesHoldAListWithWholeSpikeNumbers)
{
    const Scratch folder("nerolith-units");
    const auto run = [&](const std::string& json) {
        RunNerolith::WriteFile(folder / "units.json", json);
        return Nerolith("spikes demo --units " + folder / "units.json");
    };
    for (const char* units : {R"({"units": null})", R"({"units": {}})"}) {
        ExpectRefused(run(units), 1, "\"units\" must be a list");
    }
    for (const char* spike : {"1e308", "4294967297", "2.9"}) {
        ExpectRefused(run(std::string(R"({"units": [{"kind": "template", "fit_tolerance": 0.1, "spike": )") +
                          spike + "}]}"),
                      1, "\"spike\" must be a whole number");
    }
}

TEST(NumericInput, SettingsJsonIntegersMustBeWholeAndInRange)
{
    const Scratch folder("nerolith-encode");
    RunNerolith::WriteFile(folder / "s.json",
                      R"({"units": [{"kind": 1e308, "number": 1, "channel": 0, "widths": [], "heights": []}]})");
    ExpectRefused(Nerolith("settings encode " + folder / "s.json" + " -o " + folder / "s.bin"), 1, "\"kind\"");
}

// A stored NaN keeps the defaults for its record and says so.
TEST(NumericInput, AStoredNumberThatIsNotFiniteKeepsTheDefaults)
{
    const Scratch folder("nerolith-nan-stream");
    RunNerolith::WriteFile(folder / "s.json", R"({"channels": [{"channel": 0, "pretriggerTime": 0.00125,
                                                           "totalTriggerTime": 0.005}]})");
    ASSERT_EQ(Nerolith("settings encode " + folder / "s.json" + " -o " + folder / "s.bin").status, 0);
    std::string stream = RunNerolith::ReadFile(folder / "s.bin");
    const double stored = 0.00125;
    const std::string pattern(reinterpret_cast<const char*>(&stored), sizeof stored);
    const std::size_t at = stream.find(pattern);
    ASSERT_NE(at, std::string::npos);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(stream.data() + at, &nan, sizeof nan);
    RunNerolith::WriteFile(folder / "nan.bin", stream);

    const Outcome dump = Nerolith("settings dump " + folder / "nan.bin");
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out.find("null"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"totalTriggerTime\": 0.004"), std::string::npos) << "the defaults: " << dump.out;
    EXPECT_NE(dump.err.find("not finite"), std::string::npos) << dump.err;
}

} // namespace
