#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "RunNerolith.h"

namespace {

namespace fs = std::filesystem;
using RunNerolith::Nerolith;
using RunNerolith::Outcome;
using RunNerolith::ReadFile;
using RunNerolith::Scratch;

// The demo's unit B (ground-truth unit 2, the bursting one: 3 to 6 ms
// within a burst) stands apart in height and width: about 0.8 to 1.3 mV,
// 0.75 to 1.2 ms. Unit A is taller and narrower.
constexpr const char* kUnits =
    R"({"units": [{"kind": "contour", "name": "B", "vertices": [[0.72, 0.8], [1.3, 0.8], [1.3, 1.35], [0.72, 1.35]]},
                  {"kind": "contour", "name": "A", "vertices": [[0.2, 1.4], [0.7, 1.4], [0.7, 2.0], [0.2, 2.0]]}]})";

std::string UnitsFile(const Scratch& scratch)
{
    std::ofstream(scratch.Path() / "units.json") << kUnits;
    return scratch / "units.json";
}

// The counts of the first pane in a copied text, by bin start.
std::map<double, double> FirstPaneCounts(const std::string& copied)
{
    std::map<double, double> counts;
    std::istringstream in(copied);
    std::string line;
    std::getline(in, line); // the label
    std::getline(in, line); // the X title and the pages
    while (std::getline(in, line) && !line.empty()) {
        const std::size_t tab = line.find('\t');
        counts[std::stod(line.substr(0, tab))] = std::stod(line.substr(tab + 1));
    }
    return counts;
}

double MeanCount(const std::map<double, double>& counts, double from, double to)
{
    double sum = 0.0;
    int bins = 0;
    for (const auto& [start, count] : counts) {
        if (start >= from - 1e-9 && start < to - 1e-9) {
            sum += count;
            ++bins;
        }
    }
    return bins > 0 ? sum / bins : 0.0;
}

// The pixels of a PNG file that differ from its most common colour (the
// background), counted by Python's own zlib; -1 when Python is missing.
int ForegroundPixels(const Scratch& scratch, const std::string& png)
{
    static constexpr const char* kScript = R"PY(
import collections, struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n'
pos, idat, header = 8, b'', None
while pos < len(data):
    length, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b'IHDR':
        header = struct.unpack('>IIBB', body[:10])
    elif kind == b'IDAT':
        idat += body
    pos += 12 + length
width, height, depth, colour = header
assert depth == 8 and colour in (2, 6)
channels = 3 if colour == 2 else 4
raw, stride, rows, previous = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
for y in range(height):
    kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - channels] if i >= channels else 0
        b, c = previous[i], previous[i - channels] if i >= channels else 0
        if kind == 1: line[i] = (line[i] + a) & 255
        elif kind == 2: line[i] = (line[i] + b) & 255
        elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append([bytes(line[i:i + 3]) for i in range(0, stride, channels)])
    previous = line
pixels = collections.Counter(p for row in rows for p in row)
print(sum(pixels.values()) - pixels.most_common(1)[0][1])
)PY";
    std::ofstream(scratch.Path() / "count.py") << kScript;
    if (RunNerolith::Shell("python3 " + scratch / "count.py" + " " + png + " >" + scratch / "count 2>/dev/null") != 0) {
        return -1;
    }
    return std::stoi(ReadFile(scratch.Path() / "count"));
}

} // namespace

TEST(ViewCommands, AnalyseWritesEveryViewsFilesAndTheAutocorrelogramShowsTheBursts)
{
    const Scratch scratch("nerolith-views");
    const Outcome run = Nerolith(scratch, "analyze demo --units " + UnitsFile(scratch) +
                                              " --view all --bin-size ACH=0.001 --x-range ACH=-0.06:0.06 --out " +
                                              scratch / "out.d");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string view : {"AH", "ISIH", "ACH", "CCH", "PSTH", "RM"}) {
        for (const std::string extension : {".tsv", ".txt", ".png"}) {
            EXPECT_GT(fs::file_size(scratch.Path() / "out.d" / (view + extension)), 0u) << view << extension;
        }
    }
    const std::string copied = ReadFile(scratch.Path() / "out.d" / "ACH.tsv");
    ASSERT_EQ(copied.rfind("B\nTime\tPage 1\n", 0), 0u) << copied.substr(0, 40);
    const std::map<double, double> counts = FirstPaneCounts(copied);
    const double withinBursts = MeanCount(counts, 0.003, 0.006);
    const double between = MeanCount(counts, 0.020, 0.050);
    EXPECT_GT(withinBursts, 4.0 * between) << "3-6 ms: " << withinBursts << ", 20-50 ms: " << between;
    EXPECT_EQ(MeanCount(counts, 0.0, 0.002), 0.0) << "no unit fires twice within 2 ms";

    const std::string statistics = ReadFile(scratch.Path() / "out.d" / "ACH.txt");
    EXPECT_EQ(statistics.rfind("B: Count = ", 0), 0u) << statistics;
    EXPECT_NE(statistics.find("\nA: Count = "), std::string::npos) << "every pane's lines";
}

TEST(ViewCommands, RenderDrawsOneViewAsPngSvgOrPdf)
{
    const Scratch scratch("nerolith-views");
    const std::string units = UnitsFile(scratch);
    for (const std::string file : {"isi.png", "isi.svg", "isi.pdf"}) {
        const Outcome run = Nerolith(scratch, "render demo --view ISIH --units " + units + " --size 400x300 -o " +
                                                  scratch / file);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_GT(fs::file_size(scratch.Path() / file), 1000u) << file;
    }
    EXPECT_EQ(ReadFile(scratch.Path() / "isi.pdf").rfind("%PDF", 0), 0u);
    EXPECT_NE(ReadFile(scratch.Path() / "isi.svg").find("<svg"), std::string::npos);

    const int drawn = ForegroundPixels(scratch, scratch / "isi.png");
    if (drawn < 0) {
        GTEST_SKIP() << "python3 is needed to read the pictures back";
    }
    EXPECT_GT(drawn, 2000) << "the panes of both units are drawn";
}

TEST(ViewCommands, BadViewOptionsNameWhatIsWrong)
{
    const Scratch scratch("nerolith-views");
    Outcome run = Nerolith(scratch, "analyze demo --view XYZ");
    EXPECT_EQ(run.status, 2) << "an unknown view is a usage error";
    run = Nerolith(scratch, "analyze demo --bin-size ISIH=abc");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nerolith: --bin-size ISIH=abc:"), std::string::npos) << run.err;
    run = Nerolith(scratch, "analyze demo --paging AH=pages:3");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--paging AH=pages:3"), std::string::npos) << run.err;
    run = Nerolith(scratch, "analyze demo --reference Nowhere");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--reference Nowhere: the CCH view does not take"), std::string::npos) << run.err;
    run = Nerolith(scratch, "render demo --view AH --view RM -o " + scratch / "two.png");
    EXPECT_EQ(run.status, 1) << "render draws one view";
    run = Nerolith(scratch, "render demo --view AH -o " + scratch / "picture.gif");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(".png, .svg or .pdf"), std::string::npos) << run.err;
}
