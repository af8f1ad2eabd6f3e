#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "detection/DetectionClasses.h"
#include "detection/SettingsDialogEx.h"
#include "module/AnalysisSettings.h"
#include "platform/ui/Automation.h"
#include "platform/ui/MessageBox.h"
#include "shell/CommandTable.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

using namespace Nerolith;
namespace automation = platform::ui::automation;
using D = SettingsDialogEx;
using platform::ui::IDCANCEL;
using platform::ui::IDOK;

namespace {

// Two channels, "Spikes" in mV and "Stimulus" in V, each with its own factor
// from the shown unit to the stored one.
class TwoChannels final : public UnknownImpl<IHostRecording> {
public:
    std::vector<double> factors{1.0, 1.0};

    std::int32_t ChannelCount() override { return 2; }
    std::int32_t BlockCount() override { return 0; }
    HRESULT ChannelTicks(std::int32_t, std::int32_t, std::int32_t*) override { return E_NOTIMPL; }
    HRESULT BlockTicks(std::int32_t, std::int32_t*) override { return E_NOTIMPL; }
    HRESULT BlockStartTime(std::int32_t, double*) override { return E_NOTIMPL; }
    HRESULT SampleInterval(std::int32_t, std::int32_t, double*) override { return E_NOTIMPL; }
    HRESULT SampledBlock(std::int32_t*) override { return E_FAIL; }
    HRESULT ValidatePosition(std::int32_t, Host::Position) override { return E_NOTIMPL; }
    HRESULT EndPosition(Host::Position*) override { return E_NOTIMPL; }
    HRESULT ChannelTitle(std::int32_t channel, VEX::String* title) override
    {
        *title = channel == 0 ? u"Spikes" : u"Stimulus";
        return S_OK;
    }
    HRESULT ChannelUnit(std::int32_t channel, VEX::String* unit, double* factor) override
    {
        *unit = channel == 0 ? u"mV" : u"V";
        *factor = factors.at(channel);
        return S_OK;
    }
};

class SettingsDialogExTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        automation::Reset();
        InstalledWindows().settingsDialog = nullptr;
    }

    // Runs the dialog on `settings`, driven by `drive`; returns what it
    // closed with.
    std::int32_t Run(const std::function<void(D&)>& drive)
    {
        D dialog(nullptr, settings, recording.Get(), nullptr);
        automation::SetDialogDriver([&](platform::ui::TDialog&) { drive(dialog); });
        const std::int32_t result = dialog.Execute();
        confirmed = dialog.Record();
        return result;
    }
    std::u16string Text(D& dialog, std::int32_t id) { return dialog.GetControlText(id).Str(); }

    AnalysisSettings settings;
    ComPtr<TwoChannels> recording = MakeCom<TwoChannels>();
    ChannelAnalysisRecord confirmed;
};

TEST_F(SettingsDialogExTest, TotalIntervalMustExceedThePretrigger)
{
    bool stayedOpen = false;
    const std::int32_t result = Run([&](D& dialog) {
        automation::TypeText(dialog, D::kPretrigger, u"2");
        automation::TypeText(dialog, D::kTotalTrigger, u"2");
        automation::Click(dialog, IDOK);
        stayedOpen = dialog.IsOpen() && Text(dialog, D::kPretrigger) == u"2" && Text(dialog, D::kTotalTrigger) == u"2";
        automation::TypeText(dialog, D::kPretrigger, u"1.999");
        automation::Click(dialog, IDOK);
    });
    EXPECT_TRUE(stayedOpen);
    const auto shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, VEX::String(D::kIntervalRefusal));
    EXPECT_EQ(shown[0].caption, VEX::String(u"Nerolith"));
    EXPECT_EQ(shown[0].type, platform::ui::MB_OK | platform::ui::MB_ICONSTOP);
    EXPECT_EQ(result, IDOK);
    EXPECT_DOUBLE_EQ(confirmed.pretriggerTime, 0.001999);
    EXPECT_DOUBLE_EQ(confirmed.totalTriggerTime, 0.002);
}

TEST_F(SettingsDialogExTest, ValuesAreStoredInTheChannelUnitAndShownInTheDisplayUnit)
{
    recording->factors = {0.001, 1e10};
    Run([&](D& dialog) {
        EXPECT_EQ(Text(dialog, D::kThresholdUnit), u"mV");
        EXPECT_EQ(Text(dialog, D::kFitToleranceUnit), u"mV");
        automation::TypeText(dialog, D::kThreshold, u"-50");
        automation::TypeText(dialog, D::kFitTolerance, u"20");
        automation::Click(dialog, IDOK);
    });
    EXPECT_DOUBLE_EQ(confirmed.detectionThreshold, -0.05);
    EXPECT_DOUBLE_EQ(confirmed.defaultFitTolerance, 0.02);

    settings.SetRecord(confirmed);
    Run([&](D& dialog) { EXPECT_EQ(Text(dialog, D::kThreshold), u"-50"); });

    // A huge entry on a channel whose stored unit is far smaller would be
    // stored as infinity; it is refused instead.
    const std::int32_t result = Run([&](D& dialog) {
        automation::ChooseItem(dialog, D::kChannel, 1);
        automation::TypeText(dialog, D::kThreshold, u"1e300");
        automation::Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(automation::ShownMessageBoxes().size(), 1u);
}

TEST_F(SettingsDialogExTest, ChoosingAChannelShowsItsStoredRecordNotWhatWasTyped)
{
    ChannelAnalysisRecord first;
    first.detectionThreshold = 0.3;
    settings.SetRecord(first);
    Run([&](D& dialog) {
        automation::ChooseItem(dialog, D::kChannel, 1);
        EXPECT_EQ(Text(dialog, D::kThresholdUnit), u"V");
        automation::TypeText(dialog, D::kThreshold, u"9");
        automation::ChooseItem(dialog, D::kChannel, 0);
        EXPECT_EQ(Text(dialog, D::kThreshold), u"0.3");
        automation::ChooseItem(dialog, D::kChannel, 1);
        EXPECT_EQ(Text(dialog, D::kThreshold), u"0.2");
    });
    EXPECT_EQ(confirmed.channel, 1);
    // Looking at channel 1 gave it no record.
    EXPECT_EQ(settings.FindRecord(1), nullptr);
}

TEST_F(SettingsDialogExTest, NumericEditsRefuseEntriesOutsideTheirRange)
{
    const std::pair<std::int32_t, const char16_t*> refused[]{
        {D::kThreshold, u"high"},      {D::kPretrigger, u"-0.1"}, {D::kPretrigger, u"100001"},
        {D::kTotalTrigger, u"100001"}, {D::kFitTolerance, u"-1"}, {D::kFitTolerance, u"100000.5"},
    };
    for (const auto& entry : refused) {
        const auto [id, text] = entry;
        automation::Reset();
        const std::int32_t result = Run([&, id = id, text = text](D& dialog) {
            automation::TypeText(dialog, id, text);
            automation::Click(dialog, IDOK);
        });
        EXPECT_EQ(result, IDCANCEL) << VEX::String(text).ToUtf8();
        EXPECT_EQ(automation::ShownMessageBoxes().size(), 1u);
    }
    const std::int32_t atTheLimits = Run([&](D& dialog) {
        automation::TypeText(dialog, D::kTotalTrigger, u"100000");
        automation::TypeText(dialog, D::kFitTolerance, u"0");
        automation::Click(dialog, IDOK);
    });
    EXPECT_EQ(atTheLimits, IDOK);
}

TEST_F(SettingsDialogExTest, SettingsCommandConfirmsTheRecordThroughTheDocument)
{
    auto host = TestSupport::NewHostDocument(TestSupport::SpikyRecording({{1000, 3000}}));
    auto doc = ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get()));
    DetectionClasses().install();
    automation::SetDialogDriver([](platform::ui::TDialog& dialog) {
        automation::TypeText(dialog, D::kThreshold, u"0.5");
        automation::Click(dialog, D::kNegative);
        automation::Click(dialog, IDOK);
    });
    doc->Execute(Commands::kSettings);
    const ChannelAnalysisRecord* stored = doc->Settings().FindRecord(0);
    ASSERT_NE(stored, nullptr);
    EXPECT_DOUBLE_EQ(stored->detectionThreshold, 0.5);
    EXPECT_EQ(stored->signalMode, 1);
    EXPECT_TRUE(stored->analyzed);
}

} // namespace
