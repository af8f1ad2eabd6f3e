#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>

#include "RunNerolith.h"

using namespace RunNerolith;

namespace {

const std::string kDemoUnits = std::string(NEROLITH_SOURCE_DIR) + "/data/demo-units.json";

// Reads as a float and prints back the same: the shortest float text.
bool IsShortestFloat(const std::string& text)
{
    float value = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), value);
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr) == text;
}

} // namespace

TEST(Outputs, TheSpikeTableAppendsRecordingTimeAndUnitNameAndPrintsFloatsShortest)
{
    Scratch scratch("nerolith-outputs");
    const Outcome run = Nerolith(scratch, "spikes demo --units " + kDemoUnits);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GT(lines.size(), 1000u);
    EXPECT_EQ(lines[0], "index\tblock\ttick\ttime\theight\twidth_ms\tunit\trecording_time\tunit_name");
    const double blockStart[] = {0.0, 70.0, 140.0};
    std::map<std::string, std::string> nameOfUnit;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        ASSERT_EQ(f.size(), 9u) << lines[i];
        EXPECT_DOUBLE_EQ(std::stod(f[7]), blockStart[std::stoi(f[1])] + std::stod(f[3])) << lines[i];
        EXPECT_TRUE(IsShortestFloat(f[4])) << f[4];
        EXPECT_TRUE(IsShortestFloat(f[5])) << f[5];
        EXPECT_EQ(f[6] == "-1", f[8].empty()) << "a name exactly when a unit: " << lines[i];
        const auto [known, added] = nameOfUnit.emplace(f[6], f[8]);
        EXPECT_EQ(known->second, f[8]) << "one name per unit number";
    }
    EXPECT_EQ(nameOfUnit.size(), 4u) << "three units and the unassigned spikes";
}

// The table is written in pieces of 64 KiB; a unit name longer than a piece
// still goes out whole on each of its lines, and the lines around it too.
TEST(Outputs, AUnitNameLongerThanAPieceOfTheTableIsWrittenWhole)
{
    Scratch scratch("nerolith-outputs");
    const std::string name(70'000, 'N');
    WriteFile(scratch / "units.json", R"({"units": [{"kind": "contour", "name": ")" + name +
                                          R"(", "vertices": [[0.2, 1.3], [0.7, 1.3], [0.7, 2.0], [0.2, 2.0]]}]})");
    const Outcome run = Nerolith(scratch, "spikes demo --units " + scratch / "units.json");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GT(lines.size(), 1000u);
    std::size_t named = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        ASSERT_EQ(f.size(), 9u) << "line " << i;
        ASSERT_EQ(std::stoul(f[0]), i - 1);
        ASSERT_EQ(f[8], f[6] == "0" ? name : "") << "line " << i;
        named += f[6] == "0" ? 1 : 0;
    }
    EXPECT_GT(named, 100u);
}

TEST(Outputs, MessagesSayWhatIsAcceptedOrWhatWasUsed)
{
    Scratch scratch("nerolith-messages");
    std::ofstream(scratch / "template.json") << R"({"units": [{"kind": "template", "spike": 3}]})";
    Outcome run = Nerolith(scratch, "spikes demo --fit-tolerance 0.5 --units " + scratch / "template.json");
    EXPECT_EQ(run.status, 0) << "a template without fit_tolerance takes --fit-tolerance: " << run.err;
    run = Nerolith(scratch, "analyze demo --units " + scratch / "template.json" + " --fit-tolerance 0.25 --doc " +
                           scratch / "d.nrl --save");
    ASSERT_EQ(run.status, 0) << run.err;
    run = Nerolith(scratch, "settings dump " + scratch / "d.nrl");
    EXPECT_NE(run.out.find("\"fitTolerance\": 0.25"), std::string::npos) << run.out;

    run = Nerolith(scratch, "spikes demo --assign 5=1");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "nerolith: --assign 5=1: unit 1 does not exist; the channel's units: none\n");
    run = Nerolith(scratch, "spikes demo --units " + kDemoUnits + " --assign 5=7");
    EXPECT_NE(run.err.find("units: 1 A, 2 B, 3 C"), std::string::npos) << run.err;

    run = Nerolith(scratch, "analyze demo --paging PSTH=none");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("(it takes blocks:N or stimulus:N)"), std::string::npos) << run.err;
    run = Nerolith(scratch, "analyze demo --paging RM=pages:2");
    EXPECT_NE(run.err.find("(it takes none, blocks:N, duration:S or stimulus:N)"), std::string::npos) << run.err;
}

TEST(Outputs, ASpikeWindowOfFewerThanTwoSamplesIsRefused)
{
    const std::string edf = std::string(NEROLITH_SHARED_DATA) + "/edf/edfPlusC.edf";
    if (!std::filesystem::exists(edf)) {
        GTEST_SKIP() << edf << " is not there";
    }
    Scratch scratch("nerolith-window");
    Outcome run = Nerolith(scratch, "spikes " + edf);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "nerolith: --window 0.004: the spike window holds fewer than 2 samples of channel 1 "
                       "(200 Hz); give --window 0.01 or more\n");
    run = Nerolith(scratch, "spikes " + edf + " --window 0.02");
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST(Outputs, SourcesListUnitsByBothNamesAndTheReferenceTakesEither)
{
    Scratch scratch("nerolith-sources");
    Outcome run = Nerolith(scratch, "sources demo --units " + kDemoUnits);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Stimulus\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("NerolithUnit1\tA\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("NerolithUnit3\tC\n"), std::string::npos) << run.out;

    run = Nerolith(scratch, "sources demo");
    EXPECT_EQ(run.out, "Stimulus\n");
    EXPECT_NE(run.err.find("--units FILE"), std::string::npos) << "says how units' sources appear";

    const std::string common = "analyze demo --units " + kDemoUnits + " --view CCH --out ";
    ASSERT_EQ(Nerolith(scratch, common + scratch / "internal --reference NerolithUnit1").status, 0);
    run = Nerolith(scratch, common + scratch / "own --reference A");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(scratch / "own/CCH.tsv"), ReadFile(scratch / "internal/CCH.tsv"));
    run = Nerolith(scratch, "analyze demo --units " + kDemoUnits + " --reference Z");
    EXPECT_NE(run.err.find("(it takes Stimulus, "), std::string::npos) << run.err;
}

TEST(Outputs, PicturesAndExportsOfNoUnitAreRefused)
{
    Scratch scratch("nerolith-nounits");
    Outcome run = Nerolith(scratch, "render demo --view ISIH -o " + scratch / "x.png");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("x.png: channel 1 has no units"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "x.png"));
    run = Nerolith(scratch, "export-nex demo -o " + scratch / "x.nex");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("x.nex: channel 1 has no units"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "x.nex"));
}

// Read back by an independent reader: the header spans the recording and
// every block's start is there, spikes or not.
TEST(Outputs, TheNexExportSpansTheRecordingAndListsEveryBlock)
{
    if (!HasPython("neo")) {
        GTEST_SKIP() << "python3-neo is not installed";
    }
    Scratch scratch("nerolith-nexspan");
    ASSERT_EQ(Nerolith(scratch, "export-nex demo --selection 2:0-2:20000 -o " + scratch / "x.nex --units " + kDemoUnits)
                  .status,
              0);
    std::ofstream(scratch / "read.py") << R"(import sys, neo
seg = neo.io.NeuroExplorerIO(filename=sys.argv[1]).read_block().segments[0]
print(float(seg.t_start), float(seg.t_stop))
for e in seg.events:
    print(e.name, " ".join("%g" % t for t in e.magnitude))
)";
    ASSERT_EQ(Shell("/usr/bin/python3 " + scratch / "read.py " + scratch / "x.nex >" + scratch / "neo.txt"), 0);
    EXPECT_EQ(ReadFile(scratch / "neo.txt"), "0.0 200.0\nBlock start times 0 70 140\n");
}

TEST(Outputs, SeveralRecordingsGetAFolderEachAndOneSummary)
{
    Scratch scratch("nerolith-batch");
    ASSERT_EQ(Nerolith(scratch, "gen-demo " + scratch / "a").status, 0);
    std::filesystem::copy_file(scratch / "a/demo.json", scratch / "a/second.json");
    std::ofstream(scratch / "a/broken.json") << "{";
    const Outcome run = Nerolith(scratch, "analyze '" + scratch / "a/*.json" + "' demo --units " + kDemoUnits +
                                         " --view RM --out " + scratch / "out");
    EXPECT_EQ(run.status, 1) << "one recording failed";
    ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_NE(run.err.find("broken.json"), std::string::npos) << run.err;
    for (const char* file : {"out/demo/RM.png", "out/second/spikes.tsv", "out/demo-2/export.nex"}) {
        EXPECT_TRUE(std::filesystem::exists(scratch / file)) << file;
    }
    const std::vector<std::string> summary = Lines(ReadFile(scratch / "out/summary.tsv"));
    ASSERT_EQ(summary.size(), 13u) << "three recordings of three units and the unassigned";
    EXPECT_EQ(summary[0], "recording\tunit\tspikes\trate_hz\tfolder");
    EXPECT_EQ(Fields(summary[1])[1], "A");
    EXPECT_EQ(Fields(summary[1])[4], scratch / "out/demo");
    EXPECT_EQ(Fields(summary[12])[1], "unassigned");
    EXPECT_EQ(Fields(summary[12])[4], scratch / "out/demo-2");
    EXPECT_EQ(Fields(summary[1])[2], Fields(summary[9])[2]) << "the written demo is the built-in one";
    for (std::size_t i = 1; i < summary.size(); ++i) {
        std::string digits;
        const std::string rate = Fields(summary[i])[3];
        for (const char c : rate) {
            if (std::isdigit(static_cast<unsigned char>(c)) && (c != '0' || !digits.empty())) {
                digits += c;
            }
        }
        EXPECT_LE(digits.size(), 3u) << "three significant digits: " << summary[i];
    }
}

TEST(Outputs, HelpStatesTheNumbering)
{
    Scratch scratch("nerolith-help");
    const Outcome run = Nerolith(scratch, "spikes --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Output columns count from 0"), std::string::npos) << run.out;
}

// The program sets up only the command named first on its line: each
// command that help lists must work set up on its own, with the help it
// has among all the others.
TEST(Outputs, EveryCommandWorksSetUpOnItsOwn)
{
    Scratch scratch("nerolith-commands");
    const Outcome all = Nerolith(scratch, "--help");
    ASSERT_EQ(all.status, 0);
    const std::vector<std::string> lines = Lines(all.out);
    const auto listed = std::find(lines.begin(), lines.end(), "Subcommands:");
    ASSERT_NE(listed, lines.end()) << all.out;
    int commands = 0;
    for (auto line = std::next(listed); line != lines.end() && line->starts_with("  "); ++line, ++commands) {
        const std::string name = line->substr(2, line->find(' ', 2) - 2);
        const Outcome alone = Nerolith(scratch, name + " --help");
        EXPECT_EQ(alone.status, 0) << name << ": " << alone.err;
        EXPECT_NE(alone.out.find("Usage: nerolith " + name), std::string::npos) << alone.out;
        EXPECT_NE(all.out.find(alone.out.substr(0, alone.out.find('\n'))), std::string::npos)
            << name << "'s description is the one help lists";
    }
    EXPECT_EQ(commands, 9);
}

namespace {

// "WIDTH HEIGHT DRAWN EDGE" of a PNG: its size, the pixels that are not
// white, and those of them on its outermost rows and columns, where a
// clipped text or bar would show.
std::string PngCensus(const Scratch& scratch, const std::string& png)
{
    std::ofstream(scratch / "census.py") << R"PY(import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
pos, idat = 8, b''
while pos < len(data):
    length, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b'IHDR':
        width, height, depth, colour = struct.unpack('>IIBB', body[:10])
    elif kind == b'IDAT':
        idat += body
    pos += 12 + length
n = 3 if colour == 2 else 4
raw, stride = zlib.decompress(idat), width * n
prev, drawn, edge = bytearray(stride), 0, 0
for y in range(height):
    f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - n] if i >= n else 0
        b, c = prev[i], (prev[i - n] if i >= n else 0)
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    for x in range(width):
        if line[x * n:x * n + 3] != b'\xff\xff\xff':
            drawn += 1
            edge += x in (0, width - 1) or y in (0, height - 1)
    prev = line
print(width, height, drawn, edge)
)PY";
    Shell("/usr/bin/python3 " + scratch / "census.py " + png + " >" + scratch / "census.txt");
    return ReadFile(scratch / "census.txt");
}

} // namespace

TEST(Outputs, RenderedFiguresFitSmallAndLargePictures)
{
    if (!HasPython("zlib")) {
        GTEST_SKIP() << "python3 is needed to read the pictures back";
    }
    Scratch scratch("nerolith-figures");
    for (const std::string size : {"300x200", "2400x1800"}) {
        const std::string png = scratch / ("isi-" + size + ".png");
        const Outcome run =
            Nerolith(scratch, "render demo --units " + kDemoUnits + " --view ISIH --size " + size + " -o " + png);
        ASSERT_EQ(run.status, 0) << run.err;
        std::istringstream census(PngCensus(scratch, png));
        int width = 0, height = 0, drawn = 0, edge = -1;
        census >> width >> height >> drawn >> edge;
        EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height), size);
        EXPECT_GT(drawn, width * height / 50) << "bars, axes and texts are drawn at " << size;
        EXPECT_EQ(edge, 0) << "nothing reaches the picture's edge at " << size;
    }
}

TEST(Outputs, APictureForPrintSaysItsDpi)
{
    Scratch scratch("nerolith-dpi");
    const std::string png = scratch / "ah.png";
    ASSERT_EQ(Nerolith(scratch, "render demo --units " + kDemoUnits + " --view AH --dpi 300 -o " + png).status, 0);
    const std::string bytes = ReadFile(png);
    const std::size_t chunk = bytes.find("pHYs");
    ASSERT_NE(chunk, std::string::npos);
    std::uint32_t perMetre = 0;
    for (int i = 0; i < 4; ++i) {
        perMetre = perMetre << 8 | static_cast<unsigned char>(bytes[chunk + 4 + i]);
    }
    EXPECT_EQ(perMetre, 11811u) << "300 pixels per inch";
}
