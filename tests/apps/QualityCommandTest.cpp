#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

#include "RunNerolith.h"

using namespace RunNerolith;

namespace {

const std::string kDemoUnits = std::string(NEROLITH_SOURCE_DIR) + "/data/demo-units.json";

// units.tsv by unit name, each row by column name.
std::map<std::string, std::map<std::string, std::string>> ReadUnits(const std::string& path)
{
    std::ifstream in(path);
    const std::vector<std::string> lines = Lines(std::string(std::istreambuf_iterator<char>(in), {}));
    std::map<std::string, std::map<std::string, std::string>> rows;
    if (lines.empty()) {
        return rows;
    }
    const std::vector<std::string> header = Fields(lines[0]);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = Fields(lines[i]);
        for (std::size_t c = 0; c < header.size() && c < fields.size(); ++c) {
            rows[fields[0]][header[c]] = fields[c];
        }
    }
    return rows;
}

// The demo's B and C as one contour, beside A.
constexpr const char* kMergedUnits = R"({"units": [
  {"kind": "contour", "name": "A", "vertices": [[0.2, 1.3], [0.7, 1.3], [0.7, 2.0], [0.2, 2.0]]},
  {"kind": "contour", "name": "BC", "vertices": [[0.3, 0.6], [1.0, 0.6], [1.0, 0.78], [1.3, 0.78], [1.3, 1.35],
     [0.58, 1.35], [0.58, 0.95], [0.3, 0.95]]}]})";

} // namespace

TEST(QualityCommand, TheDemoUnitsAreWellIsolatedAndTheBurstingUnitHasNoViolations)
{
    Scratch scratch("nerolith-quality");
    const Outcome run = Nerolith(scratch, "analyze demo --units " + kDemoUnits + " --out " + scratch / "out");
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream table(scratch / "out/units.tsv");
    std::string header;
    std::getline(table, header);
    EXPECT_EQ(header, "unit\tspikes\trefractory_violations\trefractory_fraction\tcontamination\t"
                      "isolation_distance\tl_ratio\tsnr\tpresence");
    auto units = ReadUnits(scratch / "out/units.tsv");
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units["A"]["spikes"], "1396");
    EXPECT_EQ(units["B"]["refractory_violations"], "0");
    // A has more spikes than the rest of the channel: no isolation distance.
    EXPECT_EQ(units["A"]["isolation_distance"], "n/a");
    for (const char* name : {"A", "B", "C"}) {
        if (std::string(name) != "A") {
            EXPECT_GT(std::stod(units[name]["isolation_distance"]), 20.0) << name;
        }
        EXPECT_LT(std::stod(units[name]["l_ratio"]), 0.1) << name;
        EXPECT_GT(std::stod(units[name]["snr"]), 3.0) << name;
        EXPECT_EQ(units[name]["presence"], "1") << name;
    }
    EXPECT_NE(run.out.find("quality\tB\trefractory 0 (0%)"), std::string::npos) << run.out;
}

// Merged, B's and C's spikes interleave: intervals shorter than either
// unit's own appear. (Their isolation distance rises here, since the merged
// unit takes in its nearest neighbour; the constructed clusters of the unit
// tests show it falling where a third unit stays close.)
TEST(QualityCommand, MergingTwoUnitsRaisesTheViolations)
{
    Scratch scratch("nerolith-quality-merge");
    std::ofstream(scratch / "merged.json") << kMergedUnits;
    // A refractory period past the detector's 3 ms dead time, so that short
    // intervals can be seen at all.
    const std::string options = " --refractory 10 --out ";
    ASSERT_EQ(Nerolith(scratch, "analyze demo --units " + kDemoUnits + options + scratch / "apart").status, 0);
    const Outcome merged =
        Nerolith(scratch, "analyze demo --units " + scratch / "merged.json" + options + scratch / "merged");
    ASSERT_EQ(merged.status, 0) << merged.err;
    auto apart = ReadUnits(scratch / "apart/units.tsv");
    auto together = ReadUnits(scratch / "merged/units.tsv");
    const auto count = [](auto& row) { return std::stol(row["refractory_violations"]); };
    EXPECT_EQ(std::stol(together["BC"]["spikes"]), std::stol(apart["B"]["spikes"]) + std::stol(apart["C"]["spikes"]));
    EXPECT_GT(count(together["BC"]), count(apart["B"]) + count(apart["C"]));
}

TEST(QualityCommand, SettingsAreCheckedAndKeptWithTheDocument)
{
    Scratch scratch("nerolith-quality-settings");
    Outcome run = Nerolith(scratch, "analyze demo --refractory -1");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("--refractory"), std::string::npos) << run.err;
    run = Nerolith(scratch, "analyze demo --units " + kDemoUnits + " --refractory 4 --warn-isolation 1000 --doc " +
                                scratch / "d.nrl --save");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("isolation"), std::string::npos);
    // The saved document measures with the saved settings: every unit now
    // warns of its isolation.
    run = Nerolith(scratch, "analyze demo --doc " + scratch / "d.nrl");
    ASSERT_EQ(run.status, 0) << run.err;
    std::size_t warnings = 0;
    for (std::size_t at = run.out.find("(!)"); at != std::string::npos; at = run.out.find("(!)", at + 1)) {
        ++warnings;
    }
    EXPECT_GE(warnings, 3u) << run.out;
    // Dump and encode carry them, so that a round trip through JSON keeps
    // them byte for byte.
    const Outcome dumped = Nerolith(scratch, "settings dump " + scratch / "d.nrl");
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_NE(dumped.out.find("\"refractoryMs\": 4.0"), std::string::npos) << dumped.out;
    std::ofstream(scratch / "d.json") << dumped.out;
    ASSERT_EQ(Nerolith(scratch, "settings encode " + scratch / "d.json" + " -o " + scratch / "d.bin").status, 0);
    EXPECT_EQ(Nerolith(scratch, "settings dump " + scratch / "d.bin").out, dumped.out);
    // Without units the summary is what it always was.
    run = Nerolith(scratch, "analyze demo");
    EXPECT_EQ(run.out.find("quality"), std::string::npos) << run.out;
}

namespace {

// The rows of one pane of a view's copied text, by its label.
std::vector<std::vector<std::string>> PaneRows(const std::string& text, const std::string& label,
                                               std::string* header = nullptr)
{
    const std::vector<std::string> lines = Lines(text);
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != label || i + 1 >= lines.size()) {
            continue;
        }
        if (header != nullptr) {
            *header = lines[i + 1];
        }
        for (std::size_t j = i + 2; j < lines.size() && !lines[j].empty(); ++j) {
            rows.push_back(Fields(lines[j]));
        }
        break;
    }
    return rows;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(QualityCommand, TheBurstingUnitsAutocorrelogramRisesAboveThePoissonBand)
{
    Scratch scratch("nerolith-quality-band");
    const Outcome run = Nerolith(scratch, "analyze demo --units " + kDemoUnits +
                                              " --view ACH --bin-size ACH=0.001 --x-range ACH=-0.05:0.05"
                                              " --band ACH=poisson --out " + scratch / "out");
    ASSERT_EQ(run.status, 0) << run.err;
    std::string header;
    const auto rows = PaneRows(FileText(scratch / "out/ACH.tsv"), "B", &header);
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(header.ends_with("\tPage 1\texpected\tlower 99%\tupper 99%")) << header;
    double burst = 0.0;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 5u);
        const double lag = std::stod(row[0]);
        if (lag >= 0.003 && lag < 0.006) {
            burst = std::max(burst, std::stod(row[1]) - std::stod(row[4]));
        }
        if (std::abs(lag) > 0.03) {
            EXPECT_LE(std::stod(row[1]), std::stod(row[4]) + 3) << "far from the bursts B fires at random";
        }
    }
    EXPECT_GT(burst, 10.0) << "B's bursts stand well above the band";

    // On the rate scale every value is the count over (spikes x bin width).
    const Outcome rate = Nerolith(scratch, "analyze demo --units " + kDemoUnits +
                                               " --view ACH --bin-size ACH=0.001 --x-range ACH=-0.05:0.05"
                                               " --scale ACH=rate --out " + scratch / "rate");
    ASSERT_EQ(rate.status, 0) << rate.err;
    const auto scaled = PaneRows(FileText(scratch / "rate/ACH.tsv"), "B");
    ASSERT_EQ(scaled.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NEAR(std::stod(scaled[i][1]), std::stod(rows[i][1]) / (929 * 0.001), 1e-3 * std::stod(scaled[i][1]) + 1e-9);
    }
}

TEST(QualityCommand, BandsScalesAndTheLogAxisRefuseWhatTheyDoNotTake)
{
    Scratch scratch("nerolith-quality-refuse");
    for (const char* options : {"--view ACH --band ACH=jitter:0", "--view ACH --band ACH=gauss",
                                "--view AH --scale AH=rate", "--view ACH --scale ACH=percent"}) {
        const Outcome run = Nerolith(scratch, std::string("analyze demo ") + options);
        EXPECT_EQ(run.status, 1) << options;
        EXPECT_NE(run.err.find("nerolith: --"), std::string::npos) << run.err;
    }
}

TEST(QualityCommand, TheLogIntervalAxisCountsEveryInterval)
{
    Scratch scratch("nerolith-quality-logisi");
    const Outcome run =
        Nerolith(scratch, "analyze demo --units " + kDemoUnits + " --view ISIH --log-isi --out " + scratch / "out");
    ASSERT_EQ(run.status, 0) << run.err;
    std::string header;
    const auto rows = PaneRows(FileText(scratch / "out/ISIH.tsv"), "B", &header);
    EXPECT_EQ(header, "log10 interval (s)\tCounts");
    double total = 0.0;
    double shortest = 0.0;
    for (const auto& row : rows) {
        total += std::stod(row[1]);
        if (shortest == 0.0 && std::stod(row[1]) > 0) {
            shortest = std::stod(row[0]);
        }
    }
    EXPECT_EQ(total, 929 - 3) << "every interval within the three blocks";
    EXPECT_LT(shortest, -2.0) << "the bursts' intervals of a few ms get bins of their own";
}
