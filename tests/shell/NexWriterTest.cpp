#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/NexWriter.h"

using namespace Nerolith;

namespace {

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    double value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(bytes.data() + offset), size);
    return text.substr(0, text.find('\0'));
}

std::size_t VariableAt(std::size_t index) { return kNexFileHeaderSize + kNexVariableHeaderSize * index; }

// Blocks of 2 s each at the starts given.
NexInput TwoKilohertz(std::vector<double> blockStarts)
{
    NexInput input;
    input.sampleInterval = 0.0005;
    input.blockCount = static_cast<std::int32_t>(blockStarts.size());
    input.recordingEnd = blockStarts.back() + 2.0;
    input.blockStartTime = [blockStarts](std::int32_t block) -> std::optional<double> {
        return blockStarts.at(static_cast<std::size_t>(block));
    };
    return input;
}

std::filesystem::path TempPath(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("nerolith-nex-" + std::to_string(::getpid()) + "-" + name);
}

} // namespace

TEST(NexWriter, TicksCountFromTheRecordingStartAtTheChannelRate)
{
    NexInput input = TwoKilohertz({0.0, 2.5});
    input.units = {{u"Unit1", 0}};
    input.spikes = {{{250, 1}, 0}};
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeNex(input, bytes), S_OK);

    ASSERT_EQ(bytes.size(), 544u + 2 * 208u + 3 * 4u);
    EXPECT_EQ(TextAt(bytes, 0, 4), "NEX1");
    EXPECT_EQ(Int32At(bytes, 4), 100);
    EXPECT_EQ(TextAt(bytes, 8, 256), "Exported from Wavedesk");
    EXPECT_EQ(DoubleAt(bytes, 264), 2000.0);
    EXPECT_EQ(Int32At(bytes, 272), 0) << "begin: the first block's start";
    EXPECT_EQ(Int32At(bytes, 276), 9000) << "end: the last block's end";
    EXPECT_EQ(Int32At(bytes, 280), 2);

    EXPECT_EQ(Int32At(bytes, VariableAt(0)), 0) << "neuron";
    EXPECT_EQ(TextAt(bytes, VariableAt(0) + 8, 64), "Unit1");
    EXPECT_EQ(Int32At(bytes, VariableAt(0) + 72), 960);
    EXPECT_EQ(Int32At(bytes, VariableAt(0) + 76), 1);
    EXPECT_EQ(Int32At(bytes, VariableAt(1)), 1) << "event";
    EXPECT_EQ(TextAt(bytes, VariableAt(1) + 8, 64), "Block start times");
    EXPECT_EQ(Int32At(bytes, VariableAt(1) + 72), 964);
    EXPECT_EQ(Int32At(bytes, 960), 5250);
    EXPECT_EQ(Int32At(bytes, 964), 0);
    EXPECT_EQ(Int32At(bytes, 968), 5000);
}

TEST(NexWriter, TheHeaderAndBlockStartsCoverTheRecordingWhateverTheUnits)
{
    NexInput input = TwoKilohertz({1.0, 10.0, 20.0});
    // No unit of the channel and no spike in the middle block.
    input.spikes = {{{1, 0}, -1}, {{2, 0}, 3}, {{1, 2}, -1}, {{5, 2}, -1}};
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeNex(input, bytes), S_OK);
    EXPECT_EQ(Int32At(bytes, 272), 2000) << "begin";
    EXPECT_EQ(Int32At(bytes, 276), 44000) << "end";
    EXPECT_EQ(Int32At(bytes, 280), 1);
    ASSERT_EQ(Int32At(bytes, VariableAt(0) + 76), 3) << "every block, spikes or not";
    const std::size_t data = static_cast<std::size_t>(Int32At(bytes, VariableAt(0) + 72));
    EXPECT_EQ(Int32At(bytes, data), 2000);
    EXPECT_EQ(Int32At(bytes, data + 4), 20000);
    EXPECT_EQ(Int32At(bytes, data + 8), 40000);

    NexInput nothing;
    nothing.sampleInterval = 0.001;
    ASSERT_EQ(EncodeNex(nothing, bytes), S_OK);
    EXPECT_EQ(Int32At(bytes, 272), 0) << "neither blocks nor spikes: an empty span";
    EXPECT_EQ(Int32At(bytes, 276), 0);
}

TEST(NexWriter, TimesAreTruncatedAndNamesFitTheirField)
{
    NexInput input;
    input.sampleInterval = 0.1;
    input.blockCount = 1;
    input.recordingEnd = 1.0;
    input.blockStartTime = [](std::int32_t) -> std::optional<double> { return 0.7; };
    const std::u16string longName = u"\u00e9" + std::u16string(69, u'x');
    input.units = {{VEX::String(longName), 4}};
    input.spikes = {{{0, 0}, 4}};
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeNex(input, bytes), S_OK);
    EXPECT_EQ(Int32At(bytes, kNexFileHeaderSize + 2 * kNexVariableHeaderSize), 6)
        << "0.7 / 0.1 falls just below 7";
    EXPECT_EQ(bytes[VariableAt(0) + 8], 0xE9) << "names in the ANSI code page";
    EXPECT_EQ(bytes[VariableAt(0) + 8 + 63], 'x') << "a long name fills the field without a terminator";
    EXPECT_EQ(Int32At(bytes, VariableAt(0) + 72),
              static_cast<std::int32_t>(kNexFileHeaderSize + 2 * kNexVariableHeaderSize));
}

TEST(NexWriter, FailuresAreReportedAndLeaveNoBrokenFile)
{
    NexInput input = TwoKilohertz({0.0});
    input.spikes = {{{1, 0}, -1}};
    const std::filesystem::path path = TempPath("existing.nex");
    { std::ofstream(path) << "earlier export"; }

    NexInput noRate = input;
    noRate.sampleInterval = 0.0;
    EXPECT_EQ(WriteNex(noRate, path.string()), E_INVALIDARG);
    NexInput unknownBlock = input;
    unknownBlock.blockStartTime = [](std::int32_t) -> std::optional<double> { return std::nullopt; };
    EXPECT_EQ(WriteNex(unknownBlock, path.string()), E_INVALIDARG);
    NexInput tooLate = input;
    tooLate.blockStartTime = [](std::int32_t) -> std::optional<double> { return 2e6; };
    EXPECT_EQ(WriteNex(tooLate, path.string()), E_INVALIDARG) << "past the format's 32-bit ticks";
    std::stringstream kept;
    kept << std::ifstream(path).rdbuf();
    EXPECT_EQ(kept.str(), "earlier export");

    EXPECT_EQ(WriteNex(input, (TempPath("no-such-dir") / "x.nex").string()), E_FAIL);
    EXPECT_EQ(WriteNex(input, path.string()), S_OK);
    EXPECT_EQ(std::filesystem::file_size(path), 544u + 208u + 4u) << "the one block's start";
    std::filesystem::remove(path);
}

// The file as a third-party reader sees it: Debian's python3-neo.
TEST(NexWriter, NeoReadsTheSameCountsAndTimes)
{
    const char* python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    if (std::system((std::string(python) + " -c 'import neo' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "python3-neo is not installed";
    }
    NexInput input = TwoKilohertz({0.0, 2.5});
    input.units = {{u"Unit1", 0}, {u"Unit2", 1}};
    input.spikes = {{{100, 0}, 0}, {{200, 0}, 1}, {{300, 0}, -1}, {{250, 1}, 0}, {{400, 1}, 0}};
    const std::filesystem::path path = TempPath("neo.nex");
    ASSERT_EQ(WriteNex(input, path.string()), S_OK);

    const std::filesystem::path script = TempPath("read.py");
    std::ofstream(script) << "import sys, neo\n"
                             "seg = neo.io.NeuroExplorerIO(filename=sys.argv[1]).read_block().segments[0]\n"
                             "for t in seg.spiketrains:\n"
                             "    print(t.name, len(t), ' '.join('%g' % x for x in t.rescale('s').magnitude))\n"
                             "for e in seg.events:\n"
                             "    print(e.name, len(e), ' '.join('%g' % x for x in e.rescale('s').magnitude))\n";
    const std::filesystem::path output = TempPath("neo.txt");
    const std::string command = std::string(python) + " " + script.string() + " " + path.string() + " > " +
                                output.string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::stringstream text;
    text << std::ifstream(output).rdbuf();
    std::filesystem::remove(path);
    std::filesystem::remove(script);
    std::filesystem::remove(output);
    ASSERT_EQ(status, 0) << text.str();
    EXPECT_EQ(text.str(), "Unit1 3 0.05 2.625 2.7\n"
                          "Unit2 1 0.1\n"
                          "Block start times 2 0 2.5\n");
}
