#include <cstring>
#include <vector>

#include <edflib.h>
#include <gtest/gtest.h>

#include "desk/recording/Recording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/OpenRecording.h"

namespace {

using RecordingTest::ReadFile;
using RecordingTest::SharedData;
using RecordingTest::TempFolder;
using RecordingTest::WriteFile;

std::vector<float> ReadAll(const Desk::Recording& recording, std::int32_t channel, std::int32_t block)
{
    std::vector<float> samples(static_cast<std::size_t>(recording.Ticks(channel, block)));
    EXPECT_EQ(recording.Read(channel, block, 0, samples.size(), samples.data()), samples.size());
    return samples;
}

// Every sample of every block of `gapped` equals the sample of `continuous`
// (one block from 0 s) at the same time.
void ExpectSameSamplesAtSameTimes(const Desk::Recording& gapped, const Desk::Recording& continuous)
{
    ASSERT_EQ(gapped.ChannelCount(), continuous.ChannelCount());
    for (std::int32_t channel = 0; channel < gapped.ChannelCount(); ++channel) {
        const std::vector<float> whole = ReadAll(continuous, channel, 0);
        for (std::int32_t block = 0; block < gapped.BlockCount(); ++block) {
            const std::vector<float> part = ReadAll(gapped, channel, block);
            const auto first = static_cast<std::size_t>(gapped.BlockStartTime(block) / gapped.SampleInterval(channel, block) + 0.5);
            ASSERT_LE(first + part.size(), whole.size());
            for (std::size_t i = 0; i < part.size(); ++i) {
                ASSERT_FLOAT_EQ(part[i], whole[first + i]) << "channel " << channel << " block " << block << " tick " << i;
            }
        }
    }
}

TEST(EdfRecording, ReadsEdfPlusCThroughEdfLib)
{
    const auto path = SharedData("edf/edfPlusC.edf");
    if (path.empty()) {
        GTEST_SKIP() << "no shared test data at " << NEROLITH_SHARED_DATA;
    }
    const auto recording = Desk::OpenRecording(path.string());
    ASSERT_EQ(recording->ChannelCount(), 11);
    ASSERT_EQ(recording->BlockCount(), 1);
    EXPECT_EQ(recording->ChannelTitle(0).ToUtf8(), "squarewave") << "label padding trimmed";
    EXPECT_EQ(recording->ChannelTitle(10).ToUtf8(), "sine 50 Hz");
    EXPECT_EQ(recording->ChannelUnit(3).ToUtf8(), "uV");
    EXPECT_EQ(recording->Ticks(0, 0), 4000);
    EXPECT_DOUBLE_EQ(recording->SampleInterval(0, 0), 0.005);
    // "REC STOP" lies at 600 s, past the 20 s of data: it belongs to no block.
    ASSERT_EQ(recording->Events().size(), 1u);
    EXPECT_EQ(recording->Events()[0].name.ToUtf8(), "RECORD START");
    ASSERT_EQ(recording->Events()[0].marks.size(), 1u);
    EXPECT_EQ(recording->Events()[0].marks[0].tick, 0);
}

TEST(EdfRecording, ReadsEdfPlusDAsBlocksMatchingItsContinuousTwin)
{
    const auto gappedPath = SharedData("edf/edfPlusD.edf");
    const auto continuousPath = SharedData("edf/edfPlusC.edf");
    if (gappedPath.empty() || continuousPath.empty()) {
        GTEST_SKIP() << "no shared test data at " << NEROLITH_SHARED_DATA;
    }
    const auto gapped = Desk::OpenRecording(gappedPath.string());
    const auto continuous = Desk::OpenRecording(continuousPath.string());
    // Records at 0, 2, 4-9, 12, 15, 19 s.
    const std::vector<double> starts{0, 2, 4, 12, 15, 19};
    const std::vector<std::int32_t> ticks{200, 200, 1200, 200, 200, 200};
    ASSERT_EQ(gapped->BlockCount(), 6);
    for (std::int32_t block = 0; block < 6; ++block) {
        EXPECT_DOUBLE_EQ(gapped->BlockStartTime(block), starts[block]);
        EXPECT_EQ(gapped->Ticks(5, block), ticks[block]);
    }
    EXPECT_EQ(gapped->ChannelTitle(3).ToUtf8(), "ECG");
    EXPECT_EQ(gapped->ChannelUnit(3).ToUtf8(), "uV");
    ExpectSameSamplesAtSameTimes(*gapped, *continuous);
    ASSERT_EQ(gapped->Events().size(), 1u);
    EXPECT_EQ(gapped->Events()[0].name.ToUtf8(), "RECORD START");

    float out[4];
    EXPECT_EQ(gapped->Read(0, 2, 1198, 4, out), 2u) << "a read crosses records but stops at the block end";
    EXPECT_EQ(gapped->Read(11, 0, 0, 4, out), 0u);
}

// Six 1 s records of a BDF+C file made by EDFlib: a 100 Hz and a 50 Hz
// signal with 24-bit extremes, and annotations at 0.5, 4.2 and 5.5 s.
void WriteBdfPlus(const std::string& path)
{
    const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_BDFPLUS, 2);
    ASSERT_GE(handle, 0);
    const int rates[2] = {100, 50};
    for (int signal = 0; signal < 2; ++signal) {
        edf_set_samplefrequency(handle, signal, rates[signal]);
        edf_set_digital_maximum(handle, signal, 8388607);
        edf_set_digital_minimum(handle, signal, -8388608);
        edf_set_physical_maximum(handle, signal, signal == 0 ? 500.0 : 3.0);
        edf_set_physical_minimum(handle, signal, signal == 0 ? -500.0 : -1.0);
        edf_set_label(handle, signal, signal == 0 ? "Fast" : "Slow");
        edf_set_physical_dimension(handle, signal, signal == 0 ? "uV" : "mV");
    }
    for (int record = 0; record < 6; ++record) {
        for (int signal = 0; signal < 2; ++signal) {
            std::vector<int> digital(static_cast<std::size_t>(rates[signal]));
            for (std::size_t i = 0; i < digital.size(); ++i) {
                digital[i] = static_cast<int>((record * 1000003 + static_cast<int>(i) * 77777 * (signal + 1)) % 16777216) - 8388608;
            }
            digital[0] = record % 2 == 0 ? -8388608 : 8388607;
            ASSERT_EQ(edfwrite_digital_samples(handle, digital.data()), 0);
        }
    }
    edfwrite_annotation_utf8(handle, 5000, -1, "Stim");
    edfwrite_annotation_utf8(handle, 42000, -1, "Stim");
    edfwrite_annotation_utf8(handle, 55000, -1, "Late");
    ASSERT_EQ(edfclose_file(handle), 0);
}

// The same file as BDF+D with records 3-5 moved to 5-7 s: only the type and
// three time stamps change, so records keep their bytes.
std::string MakeDiscontinuous(std::string bytes)
{
    bytes.replace(192, 5, "BDF+D");
    for (const char* stamp : {"+5", "+4", "+3"}) { // last first: each lands on a stamp already moved
        const std::string from = std::string(stamp) + "\x14\x14";
        const auto at = bytes.find(from);
        EXPECT_NE(at, std::string::npos);
        bytes[at + 1] = static_cast<char>(bytes[at + 1] + 2);
    }
    return bytes;
}

TEST(EdfRecording, ReadsBdfPlusDWithMixedRatesAgainstEdfLib)
{
    const TempFolder folder;
    const std::string continuousPath = (folder / "c.bdf").string();
    WriteBdfPlus(continuousPath);
    const std::string gappedPath = (folder / "d.BDF").string();
    WriteFile(gappedPath, MakeDiscontinuous(ReadFile(continuousPath)));

    const auto continuous = Desk::OpenRecording(continuousPath);
    const auto gapped = Desk::OpenRecording(gappedPath);
    ASSERT_EQ(gapped->BlockCount(), 2);
    EXPECT_DOUBLE_EQ(gapped->BlockStartTime(1), 5.0);
    EXPECT_EQ(gapped->Ticks(0, 1), 300);
    EXPECT_EQ(gapped->Ticks(1, 1), 150);
    EXPECT_DOUBLE_EQ(gapped->SampleInterval(1, 0), 0.02);
    EXPECT_EQ(gapped->ChannelUnit(1).ToUtf8(), "mV");
    EXPECT_EQ(continuous->Ticks(1, 0), 300);

    // The D block 1 holds the C file's records 3-5: compare them tick by tick.
    for (std::int32_t channel = 0; channel < 2; ++channel) {
        const std::vector<float> whole = ReadAll(*continuous, channel, 0);
        const std::vector<float> first = ReadAll(*gapped, channel, 0);
        const std::vector<float> second = ReadAll(*gapped, channel, 1);
        ASSERT_EQ(first.size() + second.size(), whole.size());
        for (std::size_t i = 0; i < whole.size(); ++i) {
            ASSERT_FLOAT_EQ(i < first.size() ? first[i] : second[i - first.size()], whole[i]) << channel << ", " << i;
        }
    }
    EXPECT_FLOAT_EQ(ReadAll(*gapped, 0, 0)[0], -500.0f) << "digital minimum is physical minimum";
    EXPECT_FLOAT_EQ(ReadAll(*gapped, 1, 0)[50], 3.0f) << "digital maximum is physical maximum";

    // 4.2 s lies in the gap: the D file has no "Stim" there.
    ASSERT_EQ(continuous->Events().size(), 2u);
    EXPECT_EQ(continuous->Events()[0].marks.size(), 2u);
    EXPECT_EQ(continuous->Events()[0].marks[1].tick, 420);
    EXPECT_EQ(continuous->Events()[1].marks.at(0).tick, 550);
    ASSERT_EQ(gapped->Events().size(), 2u);
    EXPECT_EQ(gapped->Events()[0].name.ToUtf8(), "Stim");
    ASSERT_EQ(gapped->Events()[0].marks.size(), 1u);
    EXPECT_EQ(gapped->Events()[0].marks[0].tick, 50);
    ASSERT_EQ(gapped->Events()[1].marks.size(), 1u);
    EXPECT_EQ(gapped->Events()[1].marks[0].block, 1);
    EXPECT_EQ(gapped->Events()[1].marks[0].tick, 50);
}

struct Damage {
    const char* what;
    std::size_t at;          // byte offset to overwrite; npos: truncate instead
    std::string bytes;       // what to write there
    std::string fault;       // must appear in the message
};

void ExpectRefused(const std::string& path, const std::string& fault, const char* what)
{
    try {
        Desk::OpenRecording(path);
        ADD_FAILURE() << what << ": opened";
    } catch (const Desk::RecordingError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << what << ": " << message;
        EXPECT_NE(message.find(fault), std::string::npos) << what << ": " << message;
    }
}

TEST(EdfRecording, RefusesDamagedAndLyingFiles)
{
    const auto gapped = SharedData("edf/edfPlusD.edf");
    const auto continuous = SharedData("edf/edfPlusC.edf");
    if (gapped.empty() || continuous.empty()) {
        GTEST_SKIP() << "no shared test data at " << NEROLITH_SHARED_DATA;
    }
    constexpr std::size_t kTruncate = std::string::npos;
    constexpr std::size_t kSignals = 12;
    constexpr std::size_t kFirstRecord = 3328;
    constexpr std::size_t kRecordBytes = 2 * (11 * 200 + 51);
    const auto tal = [](std::size_t record) { return kFirstRecord + record * kRecordBytes + 2 * 11 * 200; };
    const std::vector<std::pair<std::filesystem::path, Damage>> cases{
        {gapped, {"truncated D", kTruncate, "", "the file holds 44522 bytes of data records"}},
        {continuous, {"truncated C", kTruncate, "", "the file holds 85040 bytes of data records"}},
        {gapped, {"more records claimed", 236, "12      ", "the header describes 12 data records of 4502 bytes"}},
        {gapped, {"no records", 236, "0       ", "the number of data records is 0"}},
        {gapped, {"unfinished", 236, "-1      ", "(the recording was never finished)"}},
        {gapped, {"records not a number", 236, "1l      ", "the number of data records is not a whole number"}},
        {gapped, {"header size lies", 184, "3072    ", "the header size is 3072 bytes, but 12 signals need 3328"}},
        {gapped, {"signal count lies", 252, "11  ", "the header size is 3328 bytes, but 11 signals need 3072"}},
        {gapped, {"no signals", 252, "0   ", "the number of signals is 0"}},
        {gapped, {"bad duration", 244, "0       ", "the data record duration \"0       \""}},
        {gapped, {"bad version", 0, "1       ", "not an EDF or BDF file"}},
        {gapped, {"bad physical max", 256 + kSignals * 112, "1e3x    ", "signal 1 (\"squarewave\"): the physical maximum is not a number"}},
        {gapped, {"empty digital range", 256 + kSignals * 120 + 8, "32767   ", "signal 2 (\"ramp\"): the digital range 32767 to 32767"}},
        {gapped, {"samples per record lie", 256 + kSignals * 216, "201     ", "the header describes 11 data records of 4504 bytes"}},
        {gapped, {"time stamp missing", tal(3), "5\x14", "data record 4: bad annotation time"}},
        {gapped, {"no time-keeping TAL", tal(3), "+5\x14x\x14", "data record 4: it does not begin with a time-keeping annotation"}},
        {gapped, {"unterminated TAL", tal(10), std::string(102, 'x'), "data record 11: an annotation list is not terminated"}},
        {gapped, {"record overlaps", tal(3), "+4\x14", "data record 4: it starts at 4 s, before the data record ahead of it ends"}},
    };
    for (const auto& [source, damage] : cases) {
        const TempFolder folder;
        std::string bytes = ReadFile(source);
        if (damage.at == kTruncate) {
            bytes.resize(bytes.size() - 5000);
        } else {
            bytes.replace(damage.at, damage.bytes.size(), damage.bytes);
        }
        const std::string path = (folder / "damaged.edf").string();
        WriteFile(path, bytes);
        ExpectRefused(path, damage.fault, damage.what);
    }
}

} // namespace
