#include <gtest/gtest.h>

#include "discriminator/DiscriminatorClasses.h"
#include "discriminator/DiscriminatorView.h"
#include "discriminator/DrawnContour.h"
#include "module/DocumentWindows.h"
#include "platform/com/MemoryStream.h"
#include "platform/ui/Automation.h"
#include "support/SpikyDocument.h"

namespace {

using namespace Nerolith;
using Host::ViewKind;
namespace ui = platform::ui;
namespace automation = platform::ui::automation;
using Stream = EditHistory::Stream;

class UndoTest : public ::testing::Test {
protected:
    UndoTest() : saved(InstalledWindows()) { DiscriminatorClasses().install(); }
    ~UndoTest() override
    {
        automation::Reset();
        InstalledWindows().closeViews(*spiky.doc);
        InstalledWindows() = saved;
    }

    std::vector<std::int32_t> SpikeUnits() const { return spiky.SpikeUnits(); }
    Stream Now() { return spiky.doc->SettingsStream(); }

    DocumentWindows saved;
    TestSupport::SpikyDocument spiky;
};

TEST_F(UndoTest, EveryUnitEditUndoesAndRedoesToTheSameStreamByteForByte)
{
    spiky.Analyze();
    std::vector<Stream> states{Now()};
    std::vector<std::vector<std::int32_t>> units{SpikeUnits()};
    const auto step = [&](HRESULT result) {
        ASSERT_TRUE(Succeeded(result));
        spiky.doc->AnalyzeChannel(0);
        states.push_back(Now());
        units.push_back(SpikeUnits());
        ASSERT_NE(states.back(), states[states.size() - 2]) << "edit " << states.size() - 1 << " changed nothing";
    };
    const std::int32_t unit = spiky.Contour();
    step(S_OK);
    step(spiky.doc->AssignSpike(1, -1));
    step(spiky.doc->SetUnitProperties(unit, VEX::String(u"Renamed"), 0x123456, 0.2));
    step(spiky.doc->SetUnitContour(unit, {0.0, 10.0, 0.0}, {0.5, 0.5, 3.0}));
    Host::ChannelAnalysisRecord record;
    spiky.doc->GetChannelRecord(0, &record);
    record.detectionThreshold = 0.3;
    step(spiky.doc->SetChannelRecord(record));
    step(spiky.doc->ClearEdits(0));
    std::int32_t second = -1;
    step(spiky.doc->CreateTemplateUnit(4, 0.1, &second));
    step(spiky.doc->DeleteUnit(unit));
    ASSERT_EQ(units[2][1], -1) << "the exclusion took";
    ASSERT_EQ(units[1][1], unit);

    for (std::size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_EQ(spiky.doc->Undo(), S_OK);
        EXPECT_EQ(Now(), states[i]) << "undone to state " << i;
        EXPECT_EQ(SpikeUnits(), units[i]) << "the spikes follow, state " << i;
    }
    EXPECT_FALSE(spiky.doc->CanUndo());
    EXPECT_EQ(spiky.doc->Undo(), S_FALSE);
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_EQ(spiky.doc->Redo(), S_OK);
        EXPECT_EQ(Now(), states[i]) << "redone to state " << i;
        EXPECT_EQ(SpikeUnits(), units[i]) << "state " << i;
    }
    EXPECT_FALSE(spiky.doc->CanRedo());
    EXPECT_EQ(spiky.doc->Redo(), S_FALSE);
}

TEST_F(UndoTest, ANewEditDropsTheRedoAndFailedEditsAreNoSteps)
{
    spiky.Analyze();
    const std::int32_t unit = spiky.Contour();
    EXPECT_EQ(spiky.doc->DeleteUnit(unit + 7), E_INVALIDARG);
    EXPECT_EQ(spiky.doc->ClearEdits(0), S_FALSE);
    ASSERT_EQ(spiky.doc->Undo(), S_OK) << "undoes the unit, not the refusals";
    EXPECT_FALSE(spiky.doc->CanUndo());
    ASSERT_TRUE(spiky.doc->CanRedo());
    spiky.Contour();
    EXPECT_FALSE(spiky.doc->CanRedo());
}

TEST_F(UndoTest, TheHistoryOutlivesTheViewAndAnalysisButNotALoadOrAClear)
{
    spiky.Analyze();
    const Stream empty = Now();
    spiky.Contour();
    ASSERT_EQ(spiky.doc->Execute(Commands::kDiscriminator), S_OK);
    InstalledWindows().closeViews(*spiky.doc);
    spiky.Analyze();
    ASSERT_EQ(spiky.doc->Undo(), S_OK);
    EXPECT_EQ(Now(), empty);

    spiky.Contour();
    ComPtr<IPersistStreamInit> persistence;
    ASSERT_EQ(spiky.doc->QueryInterface(IPersistStreamInit::iid, reinterpret_cast<void**>(persistence.Put())), S_OK);
    const auto stream = MakeCom<MemoryStream>(empty);
    ASSERT_EQ(persistence->Load(stream.Get()), S_OK);
    EXPECT_FALSE(spiky.doc->CanUndo()) << "a loaded document starts afresh";

    spiky.Contour();
    automation::SetDefaultMessageBoxAnswer(ui::IDOK);
    spiky.doc->RequestClearAnalysis();
    spiky.host->Messages().DeliverPending();
    EXPECT_FALSE(spiky.doc->CanUndo()) << "a cleared analysis starts afresh";
}

TEST_F(UndoTest, CtrlZAndCtrlShiftZInTheView)
{
    spiky.Analyze();
    ASSERT_EQ(spiky.doc->Execute(Commands::kDiscriminator), S_OK);
    auto& view = dynamic_cast<DiscriminatorView&>(*spiky.doc->FindView(ViewKind::Discriminator));
    const Stream before = Now();
    TestSupport::DrawContourAroundEverything(view.Scatter());
    ASSERT_TRUE(view.Scatter().ContourReady());
    automation::Click(view, DiscriminatorView::kAddUnit);
    const Stream after = Now();
    ASSERT_NE(after, before);
    automation::SendKey(view, 'Z');
    EXPECT_EQ(Now(), after) << "Z alone does nothing";
    automation::SendKey(view, 'Z', ui::MK_CONTROL);
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(view.GetItemText(DiscriminatorView::kUnits, 0).Str(), u"No Units");
    automation::SendKey(view, 'Z', ui::MK_CONTROL | ui::MK_SHIFT);
    EXPECT_EQ(Now(), after);
    EXPECT_EQ(SpikeUnits(), std::vector<std::int32_t>(5, 0));
}

} // namespace
