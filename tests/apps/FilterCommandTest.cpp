#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "RunNerolith.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGroundTruth = fs::path(NEROLITH_SHARED_DATA) / "groundtruth";

using RunNerolith::Outcome;
using RunNerolith::Scratch;

std::string Contents(const fs::path& path) { return RunNerolith::ReadFile(path); }

using RunNerolith::Nerolith;

std::vector<std::vector<std::string>> Rows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string field; std::getline(cells, field, '\t');) {
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

// The tick column of a spikes listing.
std::vector<long> SpikeTicks(const std::string& listing)
{
    std::vector<long> ticks;
    const auto rows = Rows(listing);
    for (std::size_t row = 1; row < rows.size(); ++row) {
        ticks.push_back(std::stol(rows[row].at(2)));
    }
    return ticks;
}

// The summary's value for a key ("threshold", "filter", ...); empty if none.
std::string SummaryValue(const std::string& summary, const std::string& key)
{
    for (const auto& row : Rows(summary)) {
        if (row.size() >= 2 && row[0] == key) {
            return row[1];
        }
    }
    return {};
}

bool HaveData()
{
    return fs::exists(kGroundTruth / "easy1_noise015.json") && fs::exists(kGroundTruth / "harris_tetrode.json");
}

// A copy of a sidecar that reads the same data file with a constant added
// to every sample.
std::string WithOffset(const Scratch& scratch, const std::string& name, double offset)
{
    std::ifstream in(kGroundTruth / (name + ".json"));
    nlohmann::json sidecar = nlohmann::json::parse(in);
    sidecar["file"] = (kGroundTruth / sidecar["file"].get<std::string>()).string();
    sidecar["offset"] = std::vector<double>(sidecar["channels"].get<std::size_t>(), offset);
    const std::string path = scratch / (name + std::to_string(static_cast<int>(offset)) + ".json");
    std::ofstream(path) << sidecar.dump();
    return path;
}

} // namespace

TEST(FilterCommand, FindsTheGroundTruthSpikesInNoiseUnits)
{
    if (!HaveData()) {
        GTEST_SKIP() << "no shared test data at " << NEROLITH_SHARED_DATA;
    }
    std::vector<long> truth;
    {
        const auto rows = Rows(Contents(kGroundTruth / "easy1_noise015.truth.tsv"));
        for (std::size_t row = 1; row < rows.size(); ++row) {
            truth.push_back(std::stol(rows[row].at(0)));
        }
    }
    ASSERT_EQ(truth.size(), 121u);
    // As the data's README counts: a spike is found when a detection lies
    // within 4 ms after its template start (the peak comes 22-27 ticks in).
    const auto score = [&truth](const std::vector<long>& detected) {
        const auto near = [](long a, long b) { return b - a >= 0 && b - a <= 40; };
        std::size_t found = 0;
        std::size_t false_positives = 0;
        for (long t : truth) {
            found += std::any_of(detected.begin(), detected.end(), [&](long d) { return near(t, d); });
        }
        for (long d : detected) {
            false_positives += std::none_of(truth.begin(), truth.end(), [&](long t) { return near(t, d); });
        }
        return std::pair{found, false_positives};
    };
    const std::string file = (kGroundTruth / "easy1_noise015.json").string();
    const Outcome filtered = Nerolith("spikes " + file + " --filter 300:3000 --threshold 4sd");
    ASSERT_EQ(filtered.status, 0) << filtered.err;
    const std::vector<long> ticks = SpikeTicks(filtered.out);
    const auto [found, falsePositives] = score(ticks);
    EXPECT_GE(found, 118u); // 97% of 121
    EXPECT_LT(falsePositives * 20, ticks.size());
    // Counted one detection per spike, only overlaps closer than 4 ms merge.
    EXPECT_GE(ticks.size(), 117u);

    const Outcome raw = Nerolith("spikes " + file + " --threshold 4sd");
    ASSERT_EQ(raw.status, 0) << raw.err;
    EXPECT_LT(score(SpikeTicks(raw.out)).first, 100u);
}

TEST(FilterCommand, AConstantOffsetChangesNoSpikeHeightOrWidth)
{
    if (!HaveData()) {
        GTEST_SKIP() << "no shared test data at " << NEROLITH_SHARED_DATA;
    }
    const Scratch scratch("nerolith-filter");
    const std::string options = " --channel 2 --polarity negative --filter 300:3000 --threshold 4sd";
    const Outcome plain = Nerolith("spikes " + (kGroundTruth / "harris_tetrode.json").string() + options);
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_GT(SpikeTicks(plain.out).size(), 20u);
    for (const double offset : {2048.0, -2048.0}) {
        const Outcome shifted = Nerolith("spikes " + WithOffset(scratch, "harris_tetrode", offset) + options);
        ASSERT_EQ(shifted.status, 0) << shifted.err;
        EXPECT_EQ(shifted.out, plain.out) << offset;
    }
    const std::string referenced = options + " --reference-channels 1-4";
    const Outcome median = Nerolith("spikes " + (kGroundTruth / "harris_tetrode.json").string() + referenced);
    ASSERT_EQ(median.status, 0) << median.err;
    EXPECT_NE(median.out, plain.out);
    EXPECT_EQ(Nerolith("spikes " + WithOffset(scratch, "harris_tetrode", 2048.0) + referenced).out, median.out);
}

TEST(FilterCommand, SummaryStatesTheFilterAndBothFormsOfTheThreshold)
{
    const Outcome negative = Nerolith("analyze demo --filter 300:3000 --threshold 5sd --polarity negative");
    ASSERT_EQ(negative.status, 0) << negative.err;
    EXPECT_EQ(SummaryValue(negative.out, "filter"), "300-3000 Hz, Butterworth order 2, zero-phase");
    const std::string threshold = SummaryValue(negative.out, "threshold");
    ASSERT_EQ(threshold.rfind('-', 0), 0u) << threshold;
    const double level = std::stod(threshold);
    const double sigma = std::stod(threshold.substr(threshold.find("sigma ") + 6));
    EXPECT_NE(threshold.find("(5 sd, sigma "), std::string::npos) << threshold;
    // Both print to four significant digits.
    EXPECT_NEAR(level, -5.0 * sigma, 2e-3 * sigma * 5.0);

    const Outcome positive = Nerolith("analyze demo --filter 300:3000 --threshold 5sd");
    EXPECT_EQ(std::stod(SummaryValue(positive.out, "threshold")), -level);
    const Outcome online = Nerolith("analyze demo --filter 300: --filter-order 4 --online --threshold 5sd");
    ASSERT_EQ(online.status, 0) << online.err;
    EXPECT_EQ(SummaryValue(online.out, "filter"),
              "from 300 Hz, Butterworth order 4, causal, group delay 0.396 ms at 600 Hz");
    const Outcome referenced =
        Nerolith("analyze demo --filter 300:3000 --reference-channels 1,2 --reference-mode average --threshold 1");
    EXPECT_EQ(SummaryValue(referenced.out, "filter"),
              "300-3000 Hz, Butterworth order 2, zero-phase, less the mean of channels 1,2");
    // Without the new options the summary reads as it always did.
    const Outcome plain = Nerolith("analyze demo --threshold 0.3");
    EXPECT_EQ(SummaryValue(plain.out, "filter"), "");
    EXPECT_EQ(SummaryValue(plain.out, "threshold"), "");
}

TEST(FilterCommand, TheDocumentKeepsTheFilter)
{
    const Scratch scratch("nerolith-filter");
    const std::string document = scratch / "session.nrl";
    const Outcome saved = Nerolith("analyze demo --filter 400:4000 --threshold 0.05 --doc " + document + " --save");
    ASSERT_EQ(saved.status, 0) << saved.err;
    const Outcome reopened = Nerolith("spikes demo --doc " + document);
    const Outcome direct = Nerolith("spikes demo --filter 400:4000 --threshold 0.05");
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(reopened.out, direct.out);
    EXPECT_NE(reopened.out, Nerolith("spikes demo --threshold 0.05").out);
    EXPECT_EQ(Nerolith("spikes demo --filter off --doc " + document).out, Nerolith("spikes demo --threshold 0.05").out);
}

TEST(FilterCommand, BadFiltersAndThresholdsAreRefusedByName)
{
    const auto refused = [](const std::string& arguments, const std::string& message) {
        const Outcome run = Nerolith(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "nerolith: " + message + "\n") << arguments;
    };
    refused("spikes demo --filter 300", "--filter 300: expected LOW:HIGH or LOW: in Hz");
    refused("spikes demo --filter 300:abc", "--filter 300:abc: expected LOW:HIGH or LOW: in Hz");
    refused("spikes demo --filter 3000:300",
            "--filter 3000:300: the upper edge must lie above the lower one of channel 1");
    refused("spikes demo --filter 300:12000",
            "--filter 300:12000: the edges must lie below half the sample rate (10000 Hz) of channel 1");
    refused("export-nex demo -o /dev/null --threshold 5ds",
            "--threshold 5ds: expected a value in channel units or Nsd (N > 0)");
    refused("spikes demo --threshold -2sd", "--threshold -2sd: expected a value in channel units or Nsd (N > 0)");
    EXPECT_EQ(Nerolith("spikes demo --filter 300:3000 --filter-order 9").status, 2);
    EXPECT_EQ(Nerolith("spikes demo --reference-channels 1-2").status, 2);
    refused("spikes demo --filter 300:3000 --reference-channels 1-3",
            "--reference-channels 1-3: there is no reference channel 3 (the recording has 2)");
    // Refused at once, not after spelling out a billion channels.
    refused("spikes demo --filter 300:3000 --reference-channels 2,1-999999999",
            "--reference-channels 2,1-999999999: there is no reference channel 3 (the recording has 2)");
    refused("spikes demo --filter 300:3000 --reference-channels 2-1",
            "--reference-channels 2-1: expected channels from 1, as 1-4 or 1,3,5-8");
}

TEST(InfoCommand, DescribesARecordingAsTextAndJson)
{
    if (!HaveData()) {
        GTEST_SKIP() << "no shared test data at " << NEROLITH_SHARED_DATA;
    }
    const std::string edf = (fs::path(NEROLITH_SHARED_DATA) / "edf/edfPlusD.edf").string();
    const Outcome text = Nerolith("info " + edf);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(SummaryValue(text.out, "format"), "EDF+D");
    EXPECT_EQ(SummaryValue(text.out, "channels"), "11");
    EXPECT_EQ(SummaryValue(text.out, "blocks"), "6");
    EXPECT_NE(text.out.find("block 3\tstart 4 s\t6 s\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\t200 Hz\tticks 200,200,1200,200,200,200\n"), std::string::npos) << text.out;

    const Outcome json = Nerolith("info demo --json");
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json info = nlohmann::json::parse(json.out);
    EXPECT_EQ(info["format"], "demo (built in)");
    ASSERT_EQ(info["channels"].size(), 2u);
    EXPECT_EQ(info["channels"][0]["rate_hz"], 20000.0);
    EXPECT_EQ(info["channels"][0]["ticks"], nlohmann::json({1200000, 1200000, 1200000}));
    ASSERT_EQ(info["blocks"].size(), 3u);
    EXPECT_EQ(info["blocks"][1]["duration_s"], 60.0);
    ASSERT_GE(info["event_sources"].size(), 1u);
    EXPECT_GT(info["event_sources"][0]["count"].get<int>(), 0);

    const Outcome missing = Nerolith("info /nonexistent.json");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("nerolith: ", 0), 0u);
}
