#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/ui/Automation.h"
#include "shell/CommandTable.h"
#include "shell/SpikeDoc.h"
#include "shell/SpikeEventDrawClass.h"
#include "support/SpikyDocument.h"

using namespace Nerolith;

namespace {

// A view that writes down what the document tells it.
class LoggingView final : public SpikeView {
public:
    explicit LoggingView(Host::ViewKind kind = Host::ViewKind::InterspikeInterval) : kind_(kind) {}

    Host::ViewKind Kind() const override { return kind_; }
    void Notify(const SpikeNotification& record) override { log.push_back("code " + std::to_string(record.code)); }
    void NotifyUnit(std::int32_t unit) override { log.push_back("unit " + std::to_string(unit)); }
    void Reset() override { log.push_back("reset"); }
    void ReadSettings() override { log.push_back("settings"); }
    void Recompute() override { log.push_back("recompute"); }
    void DataAdvanced(std::int32_t block, double time) override { advanced.emplace_back(block, time); }
    void Refresh() override { log.push_back("refresh"); }
    void AddPane(std::int32_t unit) override { panes.push_back(unit); }
    void RemovePane(std::int32_t unit) override { std::erase(panes, unit); }
    HRESULT SetSetting(const VEX::String&, const VEX::String&) override { return E_INVALIDARG; }
    HRESULT GetSetting(const VEX::String&, VEX::String*) override { return E_INVALIDARG; }

    // The notifications only, in order.
    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        std::copy_if(log.begin(), log.end(), std::back_inserter(items),
                     [](const std::string& entry) { return entry.starts_with("code") || entry.starts_with("unit"); });
        return items;
    }

    std::vector<std::string> log;
    std::vector<std::pair<std::int32_t, double>> advanced;
    std::vector<std::int32_t> panes;

private:
    Host::ViewKind kind_;
};

// A progress indicator that cancels at its n-th update.
class CancellingProgress final : public UnknownImpl<IProgressIndicator> {
public:
    explicit CancellingProgress(int cancelAt) : UnknownImpl(1), cancelAt_(cancelAt) {}
    HRESULT SetText(const VEX::String&) override { return S_OK; }
    std::int32_t SetPercent(std::int32_t) override { return ++updates_ == cancelAt_ ? 1 : 0; }

private:
    int cancelAt_;
    int updates_ = 0;
};

struct Fixture : TestSupport::SpikyDocument {
    std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& shown : host->Services().Shown()) {
            texts.push_back(shown.text.ToUtf8());
        }
        return texts;
    }
};

} // namespace

TEST(SpikeDoc, BuildsItsMenuUnderItsOwnKey)
{
    Fixture f;
    const auto& registry = f.host->Commands();
    ASSERT_EQ(registry.Menus().size(), 1u);
    EXPECT_EQ(registry.Menus()[0].key, VEX::String(u"NEROLITH"));
    EXPECT_EQ(registry.Menus()[0].place, VEX::String(u"Nerolith^EXTENSION|"));
    ASSERT_EQ(registry.Items().size(), CommandTable().size());
    const auto* analyze = registry.Find(Commands::kAnalyze);
    ASSERT_NE(analyze, nullptr);
    EXPECT_EQ(analyze->command.path, VEX::String(u"Nerolith|A&nalyze"));
    EXPECT_EQ(analyze->command.icon, 123u);
}

TEST(SpikeDoc, CommandsFollowTheSettingsAndTheAnalysis)
{
    Fixture f;
    SpikeDoc& doc = *f.doc;
    VEX::String text;
    doc.MenuText(Commands::kAnalyze, &text);
    EXPECT_EQ(text, VEX::String(u"A&nalyze Channel"));
    EXPECT_TRUE(doc.Settings().ChannelKeys().empty()) << "a new document has no records";
    EXPECT_FALSE(doc.IsEnabled(Commands::kClearAnalysis));
    EXPECT_FALSE(doc.IsEnabled(Commands::kReselectAnalyzedData));
    EXPECT_TRUE(doc.IsChecked(Commands::kShowSpikeMarkers));
    EXPECT_FALSE(doc.IsChecked(Commands::kAnalyzeWhileSampling));

    doc.Settings().SourceRecord().useSelection = true;
    doc.MenuText(Commands::kAnalyze, &text);
    EXPECT_EQ(text, VEX::String(u"A&nalyze Selection"));
    doc.Settings().SourceRecord().useSelection = false;

    f.Analyze();
    EXPECT_TRUE(doc.IsEnabled(Commands::kClearAnalysis));
    EXPECT_TRUE(doc.IsEnabled(Commands::kReselectAnalyzedData));
    doc.Execute(Commands::kReselectAnalyzedData);
    ASSERT_TRUE(f.host->Selection().Current().has_value());
    EXPECT_EQ(f.host->Selection().Current()->end, (Host::Position{10000, 1}));
    EXPECT_EQ(f.host->Selection().Current()->minimumValue, -32000.0);
    doc.Settings().SourceRecord().rangeEnd = doc.Settings().SourceRecord().rangeStart;
    EXPECT_FALSE(doc.IsEnabled(Commands::kClearAnalysis)) << "an empty range has nothing to clear";
    EXPECT_FALSE(doc.IsEnabled(Commands::kReselectAnalyzedData));

    doc.Execute(Commands::kShowSpikeMarkers);
    doc.Execute(Commands::kAnalyzeWhileSampling);
    EXPECT_FALSE(doc.IsChecked(Commands::kShowSpikeMarkers));
    EXPECT_TRUE(doc.IsChecked(Commands::kAnalyzeWhileSampling));
    EXPECT_FALSE((f.host->MarkersShown(0) == S_OK));

    doc.Start();
    EXPECT_FALSE(doc.IsEnabled(Commands::kAnalyze)) << "not while sampling";
    EXPECT_FALSE(doc.IsEnabled(Commands::kSettings));
    EXPECT_FALSE(doc.IsEnabled(Commands::kAnalyzeWhileSampling));
    EXPECT_TRUE(doc.IsEnabled(Commands::kDiscriminator));
}

TEST(SpikeDoc, TheAnalyzeRequestRunsWhenTheHostDeliversIt)
{
    Fixture f;
    f.doc->Execute(Commands::kAnalyze);
    EXPECT_EQ(f.doc->SpikeCount(), 0) << "the menu only sends the request";
    EXPECT_EQ(f.host->Messages().DeliverPending(), 1);
    EXPECT_EQ(f.doc->SpikeCount(), 5);
    const ChannelAnalysisRecord& record = f.doc->Settings().Record(0);
    EXPECT_TRUE(record.analyzed);
    EXPECT_EQ(record.rangeEnd, (Host::Position{10000, 1}));
    EXPECT_TRUE(f.doc->Modified());
    EXPECT_TRUE(f.host->Persistence()) << "the settings are registered with the host";
    EXPECT_TRUE((f.host->MarkersShown(0) == S_OK));
    EXPECT_GT(f.host->DocumentChangedCount(), 0);
    Host::SpikeInfo spike;
    ASSERT_EQ(f.doc->GetSpike(3, &spike), S_OK);
    EXPECT_EQ(spike.block, 1);
    EXPECT_NEAR(spike.time, spike.tick * 1e-4, 1e-12);
    EXPECT_NEAR(spike.tick, 500, 40);
}

TEST(SpikeDoc, ASelectionIsAnalysedWhenItIsTheDataSource)
{
    Fixture f;
    f.doc->Settings().SourceRecord().useSelection = true;
    f.host->Selection().SetSelection(0, {2000, 0}, {7000, 0}, 0, 0);
    f.Analyze();
    EXPECT_EQ(f.doc->SpikeCount(), 2);
    EXPECT_EQ(f.doc->Settings().Record(0).rangeStart, (Host::Position{2000, 0}));

    f.host->Selection().SetSelection(0, {2000, 0}, {70000, 0}, 0, 0);
    f.Analyze();
    EXPECT_EQ(f.doc->Settings().Record(0).rangeEnd, (Host::Position{1, 0})) << "an invalid selection falls back";
    EXPECT_EQ(f.doc->SpikeCount(), 0);
}

TEST(SpikeDoc, CancellingClearsTheChannelsAnalysisButKeepsItsUnits)
{
    Fixture f;
    f.Analyze();
    const std::int32_t unit = f.Contour();
    f.host->Services().SetProgressFactory(
        [](const VEX::String&, const VEX::String&) -> IProgressIndicator* { return new CancellingProgress(1); });
    f.Analyze();
    const ChannelAnalysisRecord& record = f.doc->Settings().Record(0);
    EXPECT_FALSE(record.analyzed);
    EXPECT_EQ(record.rangeEnd, (Host::Position{1, 0}));
    EXPECT_EQ(f.doc->SpikeCount(), 0);
    EXPECT_NE(f.doc->Store().Units().Find(unit), nullptr);
}

TEST(SpikeDoc, ClearAnalysisWarnsBeforeDroppingUnits)
{
    Fixture f;
    f.Analyze();
    LoggingView view;
    f.doc->AttachView(view);
    const std::int32_t unit = f.Contour();
    EXPECT_EQ(view.panes, (std::vector<std::int32_t>{unit}));

    f.host->Services().SetHeadlessAnswer(Host::MessageAnswer::Cancel);
    f.doc->Execute(Commands::kClearAnalysis);
    f.host->Messages().DeliverPending();
    EXPECT_EQ(f.Messages(), (std::vector<std::string>{"This action will clear the units on all analyzed channels."}));
    EXPECT_EQ(f.doc->SpikeCount(), 5) << "Cancel changes nothing";
    EXPECT_NE(f.doc->Store().Units().Find(unit), nullptr);

    f.host->Services().SetHeadlessAnswer(Host::MessageAnswer::Ok);
    f.doc->RequestClearAnalysis();
    f.host->Messages().DeliverPending();
    EXPECT_EQ(f.doc->SpikeCount(), 0);
    EXPECT_EQ(f.doc->Store().Units().Find(unit), nullptr);
    EXPECT_TRUE(view.panes.empty());
    EXPECT_EQ(f.doc->SelectedUnitNumber(), -1);
    EXPECT_FALSE(f.doc->Settings().Record(0).analyzed);
    EXPECT_FALSE((f.host->MarkersShown(0) == S_OK));
    f.doc->DetachView(view);
}

TEST(SpikeDoc, HostEditsAskOnlyAtOrBeforeTheAnalysedEnd)
{
    Fixture f;
    f.doc->Settings().SourceRecord().useSelection = true;
    f.host->Selection().SetSelection(0, {0, 0}, {5000, 0}, 0, 0);
    f.Analyze();
    VEX::String error;
    EXPECT_EQ(f.doc->BeforeDataChange({5001, 0}, &error), S_OK);
    EXPECT_EQ(f.doc->AfterDataChange({5001, 0}), S_OK);
    EXPECT_TRUE(f.Messages().empty()) << "an edit after the analysed data needs no confirmation";
    EXPECT_EQ(f.doc->SpikeCount(), 2);

    f.host->Services().SetHeadlessAnswer(Host::MessageAnswer::Cancel);
    EXPECT_EQ(f.doc->BeforeDataChange({5000, 0}, &error), E_FAIL);
    EXPECT_EQ(error, VEX::String(u"Grafo data not modified."));
    EXPECT_EQ(f.Messages(), (std::vector<std::string>{"This action will clear the analysis on all analyzed channels."}));
    EXPECT_TRUE(f.doc->Settings().Record(0).analyzed) << "the analysis stays";

    f.host->Services().SetHeadlessAnswer(Host::MessageAnswer::Ok);
    EXPECT_EQ(f.doc->BeforeDataChange({0, 0}, &error), S_OK);
    EXPECT_EQ(f.doc->AfterDataChange({0, 0}), S_OK);
    EXPECT_FALSE(f.doc->Settings().Record(0).analyzed);
    EXPECT_EQ(f.doc->SpikeCount(), 0);

    f.Analyze();
    EXPECT_EQ(f.doc->AfterDataChange({5, 0}), S_OK) << "an edit the host did not announce";
    EXPECT_FALSE(f.doc->Settings().Record(0).analyzed) << "the analysis no longer matches the data";
}

TEST(SpikeDoc, ViewsHearEachSpikeThenItsUnitAndReferenceEventsAsUnitMinusThree)
{
    auto recording = TestSupport::SpikyRecording({{1000, 3000}});
    recording->AddEvents({u"Reference", {{0, 2000}}});
    const ComPtr<Desk::HostDocument> host = TestSupport::NewHostDocument(std::move(recording));
    const ComPtr<SpikeDoc> doc = ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get()));
    doc->Settings().SourceRecord().referenceSource = u"Reference";
    LoggingView live;
    ASSERT_TRUE(doc->AttachView(live));
    doc->RequestAnalyze();
    host->Messages().DeliverPending();
    // The reference event at 2000 comes between the spikes at 1000 and 3000.
    const std::vector<std::string> timeOrder{"code 3",  "code 0", "unit -1", "code 5",
                                             "unit -3", "code 0", "unit -1", "code 4"};
    EXPECT_EQ(live.Items(), timeOrder);
    EXPECT_NE(std::find(live.log.begin(), live.log.end(), "recompute"), live.log.end());

    LoggingView late(Host::ViewKind::Discriminator);
    std::int32_t number = -1;
    doc->CreateContourUnit(0, {0.0, 10.0, 10.0}, {0.5, 0.5, 2.0}, u"Big", &number);
    ASSERT_TRUE(doc->AttachView(late));
    EXPECT_EQ(late.panes, (std::vector<std::int32_t>{number}));
    EXPECT_EQ(late.Items(), timeOrder) << "a view that opens later hears what a live one heard";
    EXPECT_EQ(doc->FindView(Host::ViewKind::Discriminator), &late);
    doc->DetachView(live);
    doc->DetachView(late);
}

TEST(SpikeDoc, SamplingIsRefusedForASelectionAnalysedOnline)
{
    Fixture f;
    std::int16_t allowed = 0;
    VEX::String message;
    EXPECT_EQ(f.doc->MayStart(&allowed, &message), S_OK);
    EXPECT_EQ(allowed, -1);
    f.doc->Settings().SourceRecord().useSelection = true;
    EXPECT_EQ(f.doc->MayStart(&allowed, &message), S_OK) << "a selection is fine without online analysis";
    f.doc->Settings().analyzeWhileSampling = true;
    EXPECT_EQ(f.doc->MayStart(&allowed, &message), E_FAIL);
    EXPECT_EQ(allowed, 0);
    EXPECT_EQ(message.ToUtf8(), "Sampling is not possible because Online Mode cannot be used with Selection as the "
                                "Data source in Nerolith.");
}

TEST(SpikeDoc, SpikesAreCollectedAsTheHostSamples)
{
    Fixture f;
    LoggingView view;
    ASSERT_TRUE(f.doc->AttachView(view));
    f.doc->SetAnalyzeWhileSampling(true);
    f.host->Sampling().Begin(0);
    ASSERT_EQ(f.doc->Start(), S_OK);
    EXPECT_TRUE(f.doc->Settings().Record(0).analyzed);
    ASSERT_EQ(f.doc->BlockStart({0, 0.0}, -1), S_OK);
    f.host->Sampling().Receive(4000);
    f.doc->NewData(4000);
    EXPECT_EQ(f.doc->SpikeCount(), 2);
    f.host->Sampling().Receive(6000);
    f.doc->NewData(6000);
    f.host->Sampling().EndBlock();
    f.doc->BlockEnd();
    EXPECT_EQ(f.doc->SpikeCount(), 3);
    EXPECT_EQ(view.advanced, (std::vector<std::pair<std::int32_t, double>>{{0, 0.4}, {0, 1.0}}))
        << "views follow the sampled position, spikes or not";
    f.host->Sampling().Stop();
    f.doc->Stop();
    EXPECT_EQ(f.doc->Settings().Record(0).rangeEnd, (Host::Position{10000, 1})) << "extended to the recording's end";
    EXPECT_TRUE(f.doc->IsEnabled(Commands::kAnalyze));
    f.doc->DetachView(view);
}

TEST(SpikeDoc, SpikeMarkerHintsNameTheSpikeAndItsUnit)
{
    SpikeEvent spike;
    spike.height = 1.5;
    spike.width = 0.0005;
    EXPECT_EQ(SpikeMarkerHint(spike, u"mV", std::nullopt).ToUtf8(), "Spike: height = 1.5 mV, width = 0.5 ms");
    spike.unit = 1;
    EXPECT_EQ(SpikeMarkerHint(spike, u"mV", 2).ToUtf8(), "Spike: height = 1.5 mV, width = 0.5 ms, Spike 3, Unit 2");

    Fixture f;
    f.Analyze();
    const ComPtr<IEventDrawClass> draw = f.host->MarkerTable().at(0).drawClass;
    ASSERT_TRUE(draw);
    VEX::String name;
    draw->Name(&name);
    EXPECT_EQ(name, VEX::String(u"QzStimEventDrawClass"));
    spike.unit = -1;
    spike.tick = f.doc->Store().Spikes().Positions()[1].tick;
    VEX::String hint;
    ASSERT_EQ(draw->HintText(&spike, sizeof spike, 0, 0, &hint), S_OK);
    EXPECT_EQ(hint.ToUtf8(), "Spike: height = 1.5 mV, width = 0.5 ms, Spike 2");
    EXPECT_EQ(draw->HintText(&spike, 16, 0, 0, &hint), E_INVALIDARG) << "too short for a spike";
}

TEST(SpikeDoc, ExportWritesTheSourceChannelsUnitsToTheChosenFile)
{
    Fixture f;
    f.Analyze();
    f.Contour();
    f.Analyze();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("nerolith-export-" + std::to_string(::getpid()) + ".nex");
    platform::ui::automation::Reset();
    platform::ui::automation::QueueFileAnswer(std::nullopt);
    EXPECT_EQ(f.doc->Execute(Commands::kExportNex), S_FALSE) << "Cancel writes nothing";
    platform::ui::automation::QueueFileAnswer(VEX::String::FromUtf8(path.string()));
    ASSERT_EQ(f.doc->Execute(Commands::kExportNex), S_OK);
    ASSERT_EQ(platform::ui::automation::ShownFileDialogs().size(), 2u);
    EXPECT_EQ(platform::ui::automation::ShownFileDialogs()[0].title, VEX::String(u"Export to NeuroExplorer"));
    EXPECT_EQ(platform::ui::automation::ShownFileDialogs()[0].filter, VEX::String(u"Nex Files (*.nex)|*.nex"));
    // One unit holding all five spikes, and the two blocks they lie in.
    EXPECT_EQ(std::filesystem::file_size(path), 544u + 2 * 208u + (5 + 2) * 4u);
    std::filesystem::remove(path);
    platform::ui::automation::Reset();
}

TEST(SpikeDoc, AStoreTheHostStillHoldsOutlivesTheDocumentSafely)
{
    Fixture f;
    f.Contour();
    f.Analyze();
    ComPtr<IGrafoDataChildData> store;
    ASSERT_EQ(f.host->FindChildData(0, SpikeData::ChildDataKey(), store.Put()), S_OK);
    f.host->Close();
    f.doc.Reset();
    // The host may still copy the store, tell it of changes and evaluate
    // the channel's detector, which classifies against the store's units.
    ComPtr<IGrafoDataChildData> copy;
    EXPECT_EQ(store->Clone(copy.Put()), S_OK);
    const std::int32_t words[7] = {};
    EXPECT_EQ(store->OnDataChanged(words), S_OK);
    ComPtr<IHostCalc> calc;
    f.host->GetCalc(calc.Put());
    ComPtr<IEnumEventEx> events;
    ASSERT_EQ(calc->OpenExpressionEvents(u"SpikeDet(ch1, 0.2, 0.001, 0.004, 0, 1, 0, -1, -1, -1, -1)", 0, 0,
                                         INT_MAX, Host::kEventRequest, events.Put()),
              S_OK);
    SpikeEvent spikes[8];
    std::uint32_t count = 0;
    std::int32_t position = 0;
    events->Next(sizeof(SpikeEvent), -1, spikes, 8, &count, &position);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(spikes[0].unit, 0) << "the units stay with the store";
}
