#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunNerolith.h"

namespace {

namespace fs = std::filesystem;
using RunNerolith::Lines;
using RunNerolith::Nerolith;
using RunNerolith::Outcome;
using RunNerolith::ReadFile;
using RunNerolith::Scratch;

// Ten seconds of the demo's last block, with one contour unit that becomes
// the selected unit.
constexpr const char* kAnalysis = "demo --selection 3:0-3:200000 --units ";
constexpr const char* kUnits =
    R"({"units": [{"kind": "contour", "name": "Big", "vertices": [[0.1, 1.0], [2.0, 1.0], [2.0, 3.0], [0.1, 3.0]]}]})";

TEST(DatasheetCommand, PrintsTheFunctionsInIndexOrder)
{
    const Scratch scratch("nerolith-datasheet");
    const fs::path units = scratch.Path() / "units.json";
    std::ofstream(units) << kUnits;
    const Outcome run = Nerolith(scratch, std::string("datasheet ") + kAnalysis + units.string());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 88u);
    EXPECT_EQ(lines[0], "name\tvalue\tunits");
    for (const std::string& line : lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    }
    EXPECT_EQ(lines[2], "Selected Unit\tBig\t ");
    EXPECT_EQ(lines[13].substr(0, lines[13].find('\t')), "AH: Maximum at");
    EXPECT_EQ(lines[80].substr(0, lines[80].find('\t')), "CCH: Minimum at");
    EXPECT_EQ(lines[16].rfind("ISIH: Bin Size\t\t", 0), 0u) << "no view open: an empty field";
    // The selected unit's quality figures follow the statistics.
    EXPECT_EQ(lines[81].rfind("Quality: Refractory Violations\t", 0), 0u) << lines[81];
    EXPECT_EQ(lines[87].rfind("Quality: Presence\t1\t", 0), 0u) << "ten seconds in one bin of 60 s";

    // The analyse command's datasheet.tsv is the same table.
    const fs::path out = scratch.Path() / "outputs";
    const Outcome analyze =
        Nerolith(scratch, std::string("analyze ") + kAnalysis + units.string() + " --out " + out.string());
    ASSERT_EQ(analyze.status, 0) << analyze.err;
    EXPECT_EQ(ReadFile(out / "datasheet.tsv"), run.out);
}

// The value field of the line whose name is given.
std::string ValueOf(const std::vector<std::string>& lines, const std::string& name)
{
    for (const std::string& line : lines) {
        if (line.rfind(name + "\t", 0) == 0) {
            const std::size_t start = name.size() + 1;
            return line.substr(start, line.find('\t', start) - start);
        }
    }
    return "missing";
}

TEST(DatasheetCommand, AnOpenViewFillsItsAnalysisWithTheSelectedUnitsStatistics)
{
    const Scratch scratch("nerolith-datasheet");
    const fs::path units = scratch.Path() / "units.json";
    std::ofstream(units) << kUnits;
    const Outcome run = Nerolith(scratch, std::string("datasheet ") + kAnalysis + units.string() +
                                              " --view AH --bin-size AH=0.5 --selection-x AH=1:2");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    EXPECT_EQ(ValueOf(lines, "AH: Bin Size"), "0.5");
    EXPECT_EQ(ValueOf(lines, "AH: Selection Start"), "1");
    EXPECT_EQ(ValueOf(lines, "AH: Selection End"), "2");
    const std::string counts = ValueOf(lines, "AH: Total Counts");
    EXPECT_GT(std::stoi(counts), 0);
    EXPECT_EQ(counts.find_first_not_of("0123456789"), std::string::npos) << "an integer: " << counts;
    EXPECT_NE(ValueOf(lines, "AH: Maximum at"), "");
    EXPECT_EQ(ValueOf(lines, "ISIH: Total Counts"), "") << "no interspike interval view";
}

TEST(DatasheetCommand, BadInputIsOneLineNamingIt)
{
    const Scratch scratch("nerolith-datasheet");
    const Outcome run = Nerolith(scratch, "datasheet demo --doc /nonexistent/d.nrl");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("nerolith: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("/nonexistent/d.nrl"), std::string::npos);
    EXPECT_EQ(Nerolith(scratch, "datasheet").status, 2);
}

} // namespace
