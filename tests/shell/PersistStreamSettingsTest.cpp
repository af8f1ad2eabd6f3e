#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/com/BinStream.h"
#include "platform/com/MemoryStream.h"
#include "platform/error/XVEX.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

using namespace Nerolith;

namespace {

// Little-endian words as an older writer laid them down.
class Bytes {
public:
    Bytes& U32(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
        return *this;
    }
    Bytes& F64(double value)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        U32(static_cast<std::uint32_t>(word));
        return U32(static_cast<std::uint32_t>(word >> 32));
    }
    // A string in the form of streams before format 10: a byte count and
    // ANSI bytes.
    Bytes& OldText(const std::string& ansi)
    {
        U32(static_cast<std::uint32_t>(ansi.size()));
        bytes.insert(bytes.end(), ansi.begin(), ansi.end());
        return *this;
    }
    Bytes& Header() { return U32(VEX::kBinStreamHeader); }
    // The fixed head of a channel record, up to the measurement mode.
    Bytes& RecordHead(std::uint32_t channel)
    {
        U32(channel).U32(1).F64(0.5).F64(0.002).F64(0.005).U32(1);
        return U32(0).U32(10).U32(1).U32(20).U32(0);
    }
    // optionFlag, optionValue1, defaultFitTolerance.
    Bytes& RecordOptions() { return U32(1).F64(3.0).F64(0.25); }

    ComPtr<MemoryStream> Stream() const { return MakeCom<MemoryStream>(bytes); }

    std::vector<std::uint8_t> bytes;
};

struct Document {
    Document()
        : host(TestSupport::NewHostDocument(TestSupport::SpikyRecording({{1000, 3000}, {500}}))),
          doc(ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get())))
    {
        persistence = doc.As<IPersistStreamInit>();
    }

    HRESULT Load(const ComPtr<MemoryStream>& stream) { return persistence->Load(stream.Get()); }
    std::vector<std::uint8_t> Save()
    {
        const ComPtr<MemoryStream> stream = MakeCom<MemoryStream>();
        EXPECT_EQ(persistence->Save(stream.Get(), true), S_OK);
        return stream->Bytes();
    }
    Host::ChannelAnalysisRecord Record(std::int32_t channel)
    {
        Host::ChannelAnalysisRecord record;
        doc->GetChannelRecord(channel, &record);
        return record;
    }

    ComPtr<Desk::HostDocument> host;
    ComPtr<SpikeDoc> doc;
    ComPtr<IPersistStreamInit> persistence;
};

} // namespace

TEST(PersistStreamSettings, AFreshDocumentSavesTheDefaultsAndReadsThemBack)
{
    Document fresh;
    ASSERT_TRUE(fresh.persistence);
    const std::vector<std::uint8_t> saved = fresh.Save();
    const std::vector<std::uint8_t> expected =
        Bytes().Header().U32(10).U32(1).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0xFFFFFFFF).bytes;
    EXPECT_EQ(saved, expected);

    Document loaded;
    EXPECT_EQ(loaded.Load(MakeCom<MemoryStream>(saved)), S_OK);
    EXPECT_TRUE(loaded.doc->SettingsLoaded());
    Host::DocumentSettings settings;
    loaded.doc->GetDocumentSettings(&settings);
    EXPECT_TRUE(settings.showSpikeMarkers);
    EXPECT_FALSE(settings.analyzeWhileSampling);
    EXPECT_EQ(settings.sourceChannel, 0);
    EXPECT_TRUE(loaded.doc->Settings().ChannelKeys().empty());
    std::int32_t selected = 0;
    loaded.doc->GetSelectedUnit(&selected);
    EXPECT_EQ(selected, -1);
}

TEST(PersistStreamSettings, AFullDocumentComesBackFieldForField)
{
    Document original;
    SpikeDoc& doc = *original.doc;
    Host::ChannelAnalysisRecord record;
    record.channel = 1;
    record.useSelection = true;
    record.detectionThreshold = -0.35;
    record.pretriggerTime = 0.0015;
    record.totalTriggerTime = 0.005;
    record.signalMode = 1;
    record.analyzed = true;
    record.rangeStart = {100, 0};
    record.rangeEnd = {700, 1};
    record.discriminationMode = 0;
    record.optionFlag = true;
    record.optionValue1 = 42.0;
    record.defaultFitTolerance = 0.3;
    record.stimulusSource = u"Stimulus";
    record.referenceSource = u"R\u00e9f\u00e9rence \u4e00";
    doc.SetChannelRecord(record);
    doc.SetChannelRecord(Host::ChannelAnalysisRecord{});
    doc.SetSourceChannel(1);
    doc.SetShowSpikeMarkers(false);
    doc.SetAnalyzeWhileSampling(true);
    doc.RestoreUnit({2, 0, u"Unit1", 1, 0x00FF00, INT_MAX, INT_MAX, 0.0, {0.1, 0.9, 0.9}, {0.2, 0.2, 1.5}});
    doc.RestoreUnit({1, 3, u"Wide", 1, 0x0000FF, 1, 300, 0.4, {}, {}});
    doc.RestoreHandAssignment({3, 1, 310, 1, 20, 7});
    doc.RestoreHandAssignment({-1, 0, 55, 1, 0, -1});
    doc.SetSelectedUnit(3);
    const std::vector<std::uint8_t> saved = original.Save();

    Document loaded;
    ASSERT_EQ(loaded.Load(MakeCom<MemoryStream>(saved)), S_OK);
    EXPECT_EQ(loaded.Record(1), record);
    EXPECT_EQ(loaded.Record(0), Host::ChannelAnalysisRecord{});
    Host::DocumentSettings settings;
    loaded.doc->GetDocumentSettings(&settings);
    EXPECT_FALSE(settings.showSpikeMarkers);
    EXPECT_TRUE(settings.analyzeWhileSampling);
    EXPECT_EQ(settings.sourceChannel, 1);
    std::vector<Host::UnitDescription> units;
    loaded.doc->GetUnits(&units);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].name, VEX::String(u"Unit1"));
    EXPECT_EQ(units[0].heights, (std::vector<double>{0.2, 0.2, 1.5}));
    EXPECT_EQ(units[1].kind, 1);
    EXPECT_EQ(units[1].sourceTick, 300);
    std::vector<Host::HandAssignment> assignments;
    loaded.doc->GetHandAssignments(&assignments);
    ASSERT_EQ(assignments.size(), 2u);
    EXPECT_EQ(assignments[0].spikeIndex, 7);
    EXPECT_EQ(assignments[1].unit, -1);
    EXPECT_EQ(loaded.doc->SelectedUnitNumber(), 3);
    EXPECT_EQ(loaded.Save(), saved) << "saving again gives the same bytes";
}

TEST(PersistStreamSettings, OlderVersionsReadOnlyTheFieldsTheyHave)
{
    // Version 3: no analyse-while-sampling word, no polarity, no sources.
    Document v3;
    Bytes three;
    three.Header().U32(3).U32(0).U32(1).U32(1).RecordHead(1).RecordOptions().U32(0).U32(0);
    ASSERT_EQ(v3.Load(three.Stream()), S_OK);
    EXPECT_FALSE(v3.doc->Settings().showSpikeMarkers);
    EXPECT_EQ(v3.doc->Settings().sourceChannel, 1) << "the word after the flag is the source channel";
    Host::ChannelAnalysisRecord record = v3.Record(1);
    EXPECT_DOUBLE_EQ(record.detectionThreshold, 0.5);
    EXPECT_EQ(record.rangeStart, (Host::Position{10, 0}));
    EXPECT_EQ(record.rangeEnd, (Host::Position{20, 1}));
    EXPECT_DOUBLE_EQ(record.defaultFitTolerance, 0.25);
    EXPECT_TRUE(v3.doc->SettingsLoaded());

    // Version 6: a word stands in for each source; still no polarity.
    Document v6;
    Bytes six;
    six.Header().U32(6).U32(1).U32(1).U32(0).U32(1).RecordHead(0).RecordOptions().U32(77).U32(88);
    six.U32(0).U32(1).U32(3).U32(2).U32(0).U32(40).U32(0).U32(0).U32(5); // no units, one hand assignment
    ASSERT_EQ(v6.Load(six.Stream()), S_OK);
    EXPECT_TRUE(v6.doc->Settings().analyzeWhileSampling);
    record = v6.Record(0);
    EXPECT_EQ(record.signalMode, 0);
    EXPECT_TRUE(record.stimulusSource.Empty());
    EXPECT_TRUE(record.referenceSource.Empty());
    std::vector<Host::HandAssignment> assignments;
    v6.doc->GetHandAssignments(&assignments);
    ASSERT_EQ(assignments.size(), 1u) << "the lists after the records are where they should be";
    EXPECT_EQ(assignments[0].unit, 2);
    EXPECT_EQ(assignments[0].tick, 40);
    EXPECT_EQ(v6.doc->SelectedUnitNumber(), -1) << "before version 10 no unit is selected";
}

TEST(PersistStreamSettings, AStreamWithoutHeaderHoldsByteCountStrings)
{
    Document loaded;
    Bytes old;
    old.U32(9).U32(1).U32(0).U32(0).U32(1).RecordHead(0).U32(1).RecordOptions();
    old.OldText("R\xe9" "f").OldText("Stim").U32(0).U32(0);
    ASSERT_EQ(loaded.Load(old.Stream()), S_OK);
    const Host::ChannelAnalysisRecord record = loaded.Record(0);
    EXPECT_EQ(record.signalMode, 1);
    EXPECT_EQ(record.referenceSource, VEX::String(u"R\u00e9f"));
    EXPECT_EQ(record.stimulusSource, VEX::String(u"Stim"));
}

TEST(PersistStreamSettings, ALaterVersionIsRefusedAndChangesNothing)
{
    Document loaded;
    loaded.doc->SetSourceChannel(1);
    Bytes later;
    later.Header().U32(11).U32(0).U32(0).U32(0);
    EXPECT_EQ(loaded.Load(later.Stream()), S_OK);
    ASSERT_EQ(loaded.host->Services().Shown().size(), 1u);
    const auto& shown = loaded.host->Services().Shown()[0];
    EXPECT_EQ(shown.caption, VEX::String(u"Nerolith"));
    EXPECT_EQ(shown.text.ToUtf8(), "The Nerolith settings could not be loaded.\nThey are from a later version of "
                                   "Nerolith.\nThe default settings for this version will be used.");
    EXPECT_EQ(shown.icon, Host::MessageIcon::Warning);
    EXPECT_TRUE(loaded.doc->Settings().showSpikeMarkers);
    EXPECT_EQ(loaded.doc->Settings().sourceChannel, 1);
    EXPECT_FALSE(loaded.doc->SettingsLoaded());
}

TEST(PersistStreamSettings, DamagedStreamsLoseNothingAndNeverOverread)
{
    // Cut inside the second record: what came before is read, the record
    // is dropped, the rest keeps its defaults.
    Document shortened;
    Bytes cut;
    cut.Header().U32(10).U32(0).U32(1).U32(1).U32(2);
    cut.RecordHead(1).U32(0).RecordOptions().U32(0x80000001).U32(0).U32(0).U32(0x80000001).U32(0).U32(0);
    cut.RecordHead(0);
    EXPECT_EQ(shortened.Load(cut.Stream()), S_OK);
    EXPECT_FALSE(shortened.doc->Settings().showSpikeMarkers);
    EXPECT_TRUE(shortened.doc->Settings().analyzeWhileSampling);
    EXPECT_EQ(shortened.doc->Settings().sourceChannel, 1);
    EXPECT_EQ(shortened.doc->Settings().ChannelKeys(), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(shortened.doc->SelectedUnitNumber(), -1);

    // A count no stream could hold.
    Document huge;
    Bytes counted;
    counted.Header().U32(10).U32(1).U32(0).U32(0).U32(0xFFFFFFFF).RecordHead(0);
    EXPECT_EQ(huge.Load(counted.Stream()), S_OK);
    EXPECT_TRUE(huge.doc->Settings().ChannelKeys().empty());

    // A string whose check word is wrong.
    Document malformed;
    malformed.doc->SetSourceChannel(1);
    Bytes bad;
    bad.Header().U32(10).U32(0).U32(0).U32(0).U32(1).RecordHead(0).U32(0).RecordOptions();
    bad.U32(0x80000001).U32(3).U32(0xFFFFFFFC).U32(0x00620061).U32(0x00000063);
    EXPECT_THROW(malformed.Load(bad.Stream()), VEX::XVEX);
    EXPECT_EQ(malformed.doc->Settings().sourceChannel, 1) << "nothing was replaced";
    EXPECT_TRUE(malformed.doc->Settings().showSpikeMarkers);

    // The layout before version 3 is read past.
    Document oldest;
    Bytes two;
    two.Header().U32(2).U32(1).U32(2).U32(5).F64(1).F64(2).F64(3).F64(4).OldText("x");
    EXPECT_EQ(oldest.Load(two.Stream()), S_OK);
    EXPECT_TRUE(oldest.doc->Settings().ChannelKeys().empty());
    EXPECT_FALSE(oldest.doc->SettingsLoaded());
}

TEST(PersistStreamSettings, AnIncompleteSaveIsReportedAndTheDocumentStaysModified)
{
    Document doc;
    doc.doc->SetSourceChannel(1);
    ASSERT_EQ(doc.persistence->IsDirty(), S_OK);
    const ComPtr<MemoryStream> full = MakeCom<MemoryStream>(std::vector<std::uint8_t>{}, 20);
    EXPECT_EQ(doc.persistence->Save(full.Get(), true), E_FAIL);
    EXPECT_EQ(doc.persistence->IsDirty(), S_OK);
    doc.Save();
    EXPECT_EQ(doc.persistence->IsDirty(), S_FALSE);
}

TEST(PersistStreamSettings, InitNewResetsOnlyRegisteredOrLoadedSettings)
{
    Document fresh;
    fresh.doc->Settings().sourceChannel = 1;
    EXPECT_EQ(fresh.persistence->InitNew(), S_FALSE);
    EXPECT_EQ(fresh.doc->Settings().sourceChannel, 1);

    Document changed;
    changed.doc->SetSourceChannel(1);
    ASSERT_TRUE(changed.doc->SettingsRegistered());
    EXPECT_EQ(changed.persistence->InitNew(), S_OK);
    EXPECT_EQ(changed.doc->Settings().sourceChannel, 0);
}
