#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "RunNerolith.h"

namespace {

using RunNerolith::Fields;
using RunNerolith::Lines;
using RunNerolith::Nerolith;
using RunNerolith::Outcome;
using RunNerolith::ReadFile;
using RunNerolith::Scratch;

constexpr const char* kUnits = R"({"units": [
  {"kind": "contour", "name": "Big", "vertices": [[0.1, 1.0], [2.0, 1.0], [2.0, 3.0], [0.1, 3.0]]},
  {"kind": "contour", "vertices": [[0.1, 0.55], [2.0, 0.55], [2.0, 1.0], [0.1, 1.0]]}]})";

} // namespace

TEST(CommandLine, ExitStatusTellsSuccessBadInputAndUsageApart)
{
    const Outcome sources = Nerolith("sources demo");
    EXPECT_EQ(sources.status, 0);
    EXPECT_EQ(sources.out, "Stimulus\n");

    const Outcome missing = Nerolith("sources /nonexistent/recording.json");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("nerolith: ", 0), 0u) << missing.err;
    EXPECT_NE(missing.err.find("/nonexistent/recording.json"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    EXPECT_EQ(Nerolith("").status, 2);
    EXPECT_EQ(Nerolith("sources").status, 2);
    EXPECT_EQ(Nerolith("frobnicate demo").status, 2);
}

TEST(CommandLine, TheWrittenDemoOffersWhatTheBuiltInOneOffers)
{
    const Scratch folder("nerolith-demo");
    ASSERT_EQ(Nerolith("gen-demo " + folder.Path().string()).status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "demo.truth.tsv"));
    const Outcome written = Nerolith("analyze " + folder / "demo.json");
    const Outcome builtIn = Nerolith("analyze demo");
    ASSERT_EQ(written.status, 0) << written.err;
    ASSERT_EQ(builtIn.status, 0) << builtIn.err;
    // Everything but the first line, which names where the recording is.
    EXPECT_EQ(written.out.substr(written.out.find('\n')), builtIn.out.substr(builtIn.out.find('\n')));
}

TEST(CommandLine, TheSpikeTableListsEverySpikeInStoreOrder)
{
    const Outcome run = Nerolith("spikes demo --threshold 0.25");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GT(lines.size(), 1000u);
    EXPECT_EQ(lines[0], "index\tblock\ttick\ttime\theight\twidth_ms\tunit\trecording_time\tunit_name");
    int previousBlock = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = Fields(lines[i]);
        ASSERT_EQ(fields.size(), 9u) << lines[i];
        EXPECT_EQ(fields[8], "") << "no unit, no unit name";
        EXPECT_EQ(std::stoul(fields[0]), i - 1);
        const int block = std::stoi(fields[1]);
        EXPECT_GE(block, previousBlock);
        previousBlock = block;
        EXPECT_DOUBLE_EQ(std::stod(fields[3]), std::stoi(fields[2]) * 5e-5) << "time is tick x interval";
        EXPECT_GE(std::stod(fields[4]), 0.0) << "peak to trough";
        EXPECT_EQ(fields[6], "-1") << "no units yet";
    }
    EXPECT_EQ(previousBlock, 2);
}

TEST(CommandLine, AnalysingWhileSamplingFindsAndCountsWhatTheOfflineRunDoes)
{
    const Scratch folder("nerolith-online");
    std::ofstream(folder / "units.json") << kUnits;
    const std::string options = " --units " + folder / "units.json" + " --view RM --view ISIH --out ";
    ASSERT_EQ(Nerolith("analyze demo" + options + folder / "offline").status, 0);
    const Outcome online = Nerolith("analyze demo --online" + options + folder / "online");
    ASSERT_EQ(online.status, 0) << online.err;
    for (const char* file : {"spikes.tsv", "RM.tsv", "ISIH.tsv"}) {
        EXPECT_EQ(ReadFile(folder / ("online/" + std::string(file))), ReadFile(folder / ("offline/" + std::string(file))))
            << file;
    }
}

TEST(CommandLine, UnitsAndHandAssignmentsSurviveTheDocumentAndTheSettingsStream)
{
    const Scratch folder("nerolith-doc");
    std::ofstream(folder / "units.json") << kUnits;
    const Outcome first = Nerolith("analyze demo --threshold 0.3 --units " + folder / "units.json" +
                                   " --assign 1=2 --exclude 2 --doc " + folder / "d.nrl --save");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("unit\tBig\t"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("unit\tUnit2\t"), std::string::npos) << first.out;

    const Outcome reopened = Nerolith("analyze demo --doc " + folder / "d.nrl");
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(reopened.out, first.out) << "settings, units and hand assignments come back";

    const Outcome dumped = Nerolith("settings dump " + folder / "d.nrl");
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_NE(dumped.out.find("\"detectionThreshold\": 0.3"), std::string::npos);
    std::ofstream(folder / "s.json") << dumped.out;
    ASSERT_EQ(Nerolith("settings encode " + folder / "s.json -o " + folder / "s.bin").status, 0);
    EXPECT_EQ(Nerolith("settings dump " + folder / "s.bin").out, dumped.out);
}

TEST(CommandLine, BadValuesNameWhatIsWrong)
{
    const Outcome channel = Nerolith("spikes demo --channel 5");
    EXPECT_EQ(channel.status, 1);
    EXPECT_NE(channel.err.find("--channel 5"), std::string::npos) << channel.err;
    const Outcome selection = Nerolith("spikes demo --selection 1:0-9:0");
    EXPECT_EQ(selection.status, 1);
    EXPECT_NE(selection.err.find("--selection"), std::string::npos) << selection.err;
    const Outcome window = Nerolith("spikes demo --pretrigger 0.004 --window 0.004");
    EXPECT_EQ(window.status, 1);
    EXPECT_EQ(Nerolith("spikes demo --polarity sideways").status, 2);
    const Outcome document = Nerolith("analyze demo --doc /nonexistent/d.nrl");
    EXPECT_EQ(document.status, 1);
    EXPECT_NE(document.err.find("/nonexistent/d.nrl"), std::string::npos);
    const Outcome later = Nerolith("settings dump /dev/null");
    EXPECT_EQ(later.status, 1);
}

TEST(CommandLine, ASelectionAnalysesOnlyItsRange)
{
    const Outcome run = Nerolith("spikes demo --selection 2:0-2:200000");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GT(lines.size(), 2u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = Fields(lines[i]);
        EXPECT_EQ(fields[1], "1");
        EXPECT_LT(std::stoi(fields[2]), 200000);
    }
}

// The export read back by an independent reader (Debian's python3-neo).
TEST(CommandLine, TheNexExportReadsBackWithTheSameCountsAndTimes)
{
    if (std::system("/usr/bin/python3 -c 'import neo' 2>/dev/null") != 0) {
        GTEST_SKIP() << "python3-neo is not installed";
    }
    const Scratch folder("nerolith-nex");
    std::ofstream(folder / "units.json") << kUnits;
    const std::string units = " --units " + folder / "units.json";
    ASSERT_EQ(Nerolith("export-nex demo -o " + folder / "x.nex" + units).status, 0);
    const Outcome spikes = Nerolith("spikes demo" + units);
    std::ofstream(folder / "read.py") << R"(import sys, neo
block = neo.io.NeuroExplorerIO(filename=sys.argv[1]).read_block()
for train in block.segments[0].spiketrains:
    print(train.name, len(train), " ".join("%.6f" % t for t in train.magnitude))
)";
    const std::string command = "/usr/bin/python3 " + folder / "read.py" + " " + folder / "x.nex" + " > " +
                                folder / "neo.txt" + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    // Expected: per unit, the spikes' recording times (block start + time).
    const double blockStart[] = {0.0, 70.0, 140.0};
    std::map<std::string, std::vector<double>> expected;
    const std::vector<std::string> lines = Lines(spikes.out);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        const int unit = std::stoi(f[6]);
        if (unit >= 0) {
            expected[unit == 0 ? "Big" : "Unit2"].push_back(blockStart[std::stoi(f[1])] + std::stod(f[3]));
        }
    }
    std::istringstream neo(ReadFile(folder / "neo.txt"));
    int trains = 0;
    for (std::string name; neo >> name;) {
        std::size_t count = 0;
        neo >> count;
        ASSERT_EQ(count, expected[name].size()) << name;
        for (std::size_t i = 0; i < count; ++i) {
            double time = 0.0;
            neo >> time;
            // The export truncates the tick count, so a time may land one tick early.
            EXPECT_NEAR(time, expected[name][i] - 2.5e-5, 2.6e-5) << name << " spike " << i;
        }
        ++trains;
    }
    EXPECT_EQ(trains, 2);
}
