#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "detection/UnitPalette.h"
#include "discriminator/DiscriminatorClasses.h"
#include "discriminator/DiscriminatorView.h"
#include "discriminator/DrawnContour.h"
#include "discriminator/UnitPropertiesDialog.h"
#include "discriminator/UnitQualityText.h"
#include "module/DocumentWindows.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"
#include "support/SpikyDocument.h"

namespace {

using namespace Nerolith;
using Host::ViewKind;
namespace ui = platform::ui;
namespace automation = platform::ui::automation;
using V = DiscriminatorView;
using D = UnitPropertiesDialog;

class DiscriminatorWindowTest : public ::testing::Test {
protected:
    DiscriminatorWindowTest() : saved(InstalledWindows()) { DiscriminatorClasses().install(); }
    ~DiscriminatorWindowTest() override
    {
        automation::Reset();
        InstalledWindows().closeViews(*spiky.doc);
        InstalledWindows() = saved;
    }

    DiscriminatorView& Open()
    {
        EXPECT_EQ(spiky.doc->Execute(Commands::kDiscriminator), S_OK);
        return dynamic_cast<DiscriminatorView&>(*spiky.doc->FindView(ViewKind::Discriminator));
    }
    std::vector<Host::UnitDescription> Units()
    {
        std::vector<Host::UnitDescription> units;
        spiky.doc->GetUnits(&units);
        return units;
    }
    std::vector<std::int32_t> SpikeUnits() const { return spiky.SpikeUnits(); }
    std::int32_t SelectedUnit()
    {
        std::int32_t unit = -2;
        spiky.doc->GetSelectedUnit(&unit);
        return unit;
    }

    DocumentWindows saved;
    TestSupport::SpikyDocument spiky;
};

TEST_F(DiscriminatorWindowTest, ToolRowPaneAndStatusLineShareTheWindow)
{
    DiscriminatorView& view = Open();
    view.MoveWindow(0, 0, 900, 400);
    EXPECT_EQ(view.GetControlText(V::kAddUnit).Str(), u"Add Unit");
    EXPECT_EQ(view.GetControlText(V::kEdit).Str(), u"Edit...");
    EXPECT_EQ(view.GetControlText(V::kDelete).Str(), u"Delete...");
    ASSERT_EQ(view.GetItemCount(V::kChannels), 2);
    EXPECT_EQ(view.GetItemText(V::kChannels, 1).Str(), u"Channel 2");
    EXPECT_EQ(view.GetSelIndex(V::kChannels), 0);
    EXPECT_EQ(view.Pane().GetWindowRect(), ui::TRect(0, 29, 900, 380)) << "29 pixels of tool row, 20 of status";
    EXPECT_EQ(view.StatusLine().GetWindowRect(), ui::TRect(0, 380, 900, 400));
    EXPECT_TRUE(view.StatusLine().SizeGripShown());
    EXPECT_EQ(view.StatusLine().SizeGripRect().right, 900);

    const std::int32_t half = view.Pane().SplitPosition();
    EXPECT_NEAR(half, 450, 4) << "the plots share the width";
    EXPECT_EQ(view.Scatter().Graph().GetClientRect().Width(), half);
    automation::DragSplitter(view.Pane(), 300);
    EXPECT_EQ(view.Pane().SplitPosition(), 300) << "the user drags the bar";
    EXPECT_EQ(view.Scatter().Graph().GetClientRect().Width(), 300);
    EXPECT_GT(view.Spikes().Graph().GetClientRect().Width(), 580);
    view.MoveWindow(0, 0, 1800, 400);
    EXPECT_NEAR(view.Pane().SplitPosition(), 600, 6) << "a resize keeps the user's shares";
}

TEST_F(DiscriminatorWindowTest, StatusLineCountsSpikesUnitsAndTellsTheSelectedSpike)
{
    DiscriminatorView& view = Open();
    spiky.Contour();
    spiky.Contour();
    EXPECT_EQ(view.StatusLine().Text().Str(), u"Not analyzed. 2 units defined.");
    spiky.doc->DeleteUnit(Units().back().number);
    spiky.Analyze();
    // The chosen unit's quality ends the line.
    const std::u16string quality =
        u" Unit1: 0 refractory violations (0%), isolation n/a, L-ratio n/a, SNR n/a, present 100%.";
    EXPECT_EQ(view.StatusLine().Text().Str(), u"5 spikes. 1 unit defined." + quality);
    ASSERT_EQ(spiky.doc->SetSpikeSelection(0), S_OK);
    EXPECT_EQ(view.StatusLine().Text().Str(), u"5 spikes. 1 unit defined. Spike 1 selected. In unit Unit1." + quality);
    ASSERT_EQ(spiky.doc->AssignSpike(2, -1), S_OK);
    spiky.Analyze();
    ASSERT_EQ(spiky.doc->SetSpikeSelection(2), S_OK);
    EXPECT_EQ(view.StatusLine().Text().Str(),
              u"5 spikes. 1 unit defined. Spike 3 selected. In no unit. Spike excluded from all units." + quality);
    spiky.doc->DeleteUnit(Units().back().number);
    ASSERT_EQ(spiky.doc->SetSpikeSelection(-1), S_OK);
    EXPECT_EQ(view.StatusLine().Text().Str(), u"5 spikes. No units defined.");
}

TEST_F(DiscriminatorWindowTest, UnitSelectorFollowsTheUnitsAndChoosesTheSelectedUnit)
{
    DiscriminatorView& view = Open();
    ASSERT_EQ(view.GetItemCount(V::kUnits), 1);
    EXPECT_EQ(view.GetItemText(V::kUnits, 0).Str(), u"No Units");
    EXPECT_FALSE(view.IsControlEnabled(V::kEdit));
    const std::int32_t first = spiky.Contour();
    const std::int32_t second = spiky.Contour();
    ASSERT_EQ(view.GetItemCount(V::kUnits), 2);
    std::cerr << "DBG " << view.StatusLine().Text().ToUtf8() << "\n";
    EXPECT_EQ(view.GetSelIndex(V::kUnits), 1) << "a new unit is the selected one";
    automation::ChooseItem(view, V::kUnits, 0);
    EXPECT_EQ(SelectedUnit(), first);
    EXPECT_EQ(view.GetControlTooltip(V::kEdit).Str(), u"Edit Unit1");
    EXPECT_EQ(view.GetControlTooltip(V::kDelete).Str(), u"Delete Unit1");
    spiky.doc->DeleteUnit(first);
    spiky.doc->DeleteUnit(second);
    EXPECT_EQ(view.GetItemText(V::kUnits, 0).Str(), u"No Units");
    EXPECT_EQ(SelectedUnit(), -1);
}

TEST_F(DiscriminatorWindowTest, AddUnitTakesTheContourElseTheSelectedSpikeAndClearsTheSelection)
{
    spiky.Analyze();
    DiscriminatorView& view = Open();
    automation::Click(view, V::kAddUnit);
    EXPECT_TRUE(Units().empty()) << "neither a contour nor a spike";

    TestSupport::DrawContourAroundEverything(view.Scatter());
    ASSERT_TRUE(view.Scatter().ContourReady());
    automation::Click(view, V::kAddUnit);
    ASSERT_EQ(Units().size(), 1u);
    const std::int32_t contour = Units()[0].number;
    EXPECT_EQ(SpikeUnits(), std::vector<std::int32_t>(5, contour)) << "a contour of three points; analysed again";
    EXPECT_FALSE(view.Scatter().ContourReady());

    Host::ChannelAnalysisRecord record;
    spiky.doc->GetChannelRecord(0, &record);
    record.defaultFitTolerance = 0.37;
    spiky.doc->SetChannelRecord(record);
    ASSERT_EQ(spiky.doc->SetSpikeSelection(3), S_OK);
    automation::Click(view, V::kAddUnit);
    ASSERT_EQ(Units().size(), 2u);
    EXPECT_EQ(Units()[1].kind, 1) << "a template unit";
    EXPECT_DOUBLE_EQ(Units()[1].fitTolerance, 0.37);
    EXPECT_EQ(Units()[1].sourceBlock, 1) << "the fourth spike, at 500 in block 1";
    EXPECT_NEAR(Units()[1].sourceTick, 500, 2);
    std::int32_t selection = 0;
    spiky.doc->GetSpikeSelection(&selection);
    EXPECT_EQ(selection, -1);
}

TEST_F(DiscriminatorWindowTest, DeleteAsksAndRemovesOnlyOnOk)
{
    const std::int32_t unit = spiky.Contour();
    spiky.Analyze();
    DiscriminatorView& view = Open();
    automation::QueueMessageBoxAnswer(ui::IDCANCEL);
    automation::Click(view, V::kDelete);
    ASSERT_EQ(Units().size(), 1u);
    const std::vector<automation::ShownMessageBox> shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.Str(), u"Are you sure you want to delete Unit1?");
    EXPECT_EQ(shown[0].caption.Str(), u"Nerolith");
    EXPECT_EQ(shown[0].type, ui::MB_OKCANCEL | ui::MB_ICONEXCLAMATION);

    automation::QueueMessageBoxAnswer(ui::IDOK);
    automation::Click(view, V::kDelete);
    EXPECT_TRUE(Units().empty());
    EXPECT_EQ(SpikeUnits(), std::vector<std::int32_t>(5, -1)) << "its spikes unassigned, not left at " << unit;
}

TEST_F(DiscriminatorWindowTest, EditRenamesRecoloursAndRefitsTheContour)
{
    const std::int32_t unit = spiky.Contour(); // widths 0-10 ms, heights 0.5-2
    spiky.Analyze();
    DiscriminatorView& view = Open();
    std::vector<double> shown;
    automation::SetDialogDriver([&shown](ui::TDialog& dialog) {
        for (const std::int32_t id : {D::kTop, D::kBottom, D::kLeft, D::kRight}) {
            shown.push_back(dialog.GetNumber(id).value_or(-1.0));
        }
        EXPECT_EQ(dialog.GetControlText(D::kTopUnit).Str(), u"mV");
        automation::TypeText(dialog, D::kName, VEX::String(u"Tall"));
        automation::ChooseColour(dialog, D::kColour, 0x00FF00);
        automation::TypeText(dialog, D::kBottom, VEX::String(u"1.5"));
        automation::TypeText(dialog, D::kTop, VEX::String(u"3"));
        automation::TypeText(dialog, D::kRight, VEX::String(u"5"));
        automation::Click(dialog, ui::IDOK);
    });
    automation::Click(view, V::kEdit);
    EXPECT_EQ(shown, (std::vector<double>{2.0, 0.5, 0.0, 10.0}));
    const Host::UnitDescription edited = Units().at(0);
    EXPECT_EQ(edited.name.Str(), u"Tall");
    EXPECT_EQ(edited.colour, 0x00FF00u);
    EXPECT_EQ(edited.widths, (std::vector<double>{0.0, 5.0, 5.0, 0.0}));
    EXPECT_EQ(edited.heights, (std::vector<double>{1.5, 1.5, 3.0, 3.0}));
    EXPECT_EQ(SpikeUnits(), std::vector<std::int32_t>(5, -1)) << "spikes of height 1 fall outside " << unit;
    EXPECT_EQ(view.GetItemText(V::kUnits, 0).Str(), u"Tall");
}

TEST_F(DiscriminatorWindowTest, EditRefusesAnEmptyNameOrATurnedOverBoxAndCancelChangesNothing)
{
    spiky.Contour();
    DiscriminatorView& view = Open();
    const std::vector<Host::UnitDescription> before = Units();
    std::vector<bool> closed;
    automation::SetDefaultMessageBoxAnswer(ui::IDOK);
    automation::SetDialogDriver([&closed](ui::TDialog& dialog) {
        automation::TypeText(dialog, D::kName, VEX::String());
        automation::Click(dialog, ui::IDOK);
        closed.push_back(!dialog.IsOpen());
        automation::TypeText(dialog, D::kName, VEX::String(u"Kept"));
        automation::TypeText(dialog, D::kTop, VEX::String(u"0.1"));
        automation::Click(dialog, ui::IDOK);
        closed.push_back(!dialog.IsOpen());
        automation::Click(dialog, ui::IDCANCEL);
    });
    automation::Click(view, V::kEdit);
    EXPECT_EQ(closed, (std::vector<bool>{false, false}));
    EXPECT_EQ(automation::ShownMessageBoxes().size(), 2u);
    EXPECT_EQ(Units()[0].name, before[0].name);
    EXPECT_EQ(Units()[0].heights, before[0].heights);
}

// Without the reset the document's selected unit stayed channel 0's, and
// Edit and Delete on channel 1 acted on it.
TEST_F(DiscriminatorWindowTest, SwitchingTheChannelNeverLeavesAnotherChannelsUnitSelected)
{
    const std::int32_t zero = spiky.Contour();
    DiscriminatorView& view = Open();
    ASSERT_EQ(SelectedUnit(), zero);
    automation::ChooseItem(view, V::kChannels, 1);
    EXPECT_EQ(spiky.doc->Settings().sourceChannel, 1);
    EXPECT_EQ(SelectedUnit(), -1);
    EXPECT_EQ(view.GetItemText(V::kUnits, 0).Str(), u"No Units");
    std::int32_t one = -1;
    ASSERT_EQ(spiky.doc->CreateContourUnit(1, {0.0, 1.0, 1.0}, {0.0, 0.0, 1.0}, {}, &one), S_OK);
    automation::ChooseItem(view, V::kChannels, 0);
    EXPECT_EQ(SelectedUnit(), -1) << "channel 1's unit is no unit of channel 0";
    automation::ChooseItem(view, V::kChannels, 1);
    automation::QueueMessageBoxAnswer(ui::IDOK);
    automation::Click(view, V::kDelete);
    ASSERT_EQ(Units().size(), 1u);
    EXPECT_EQ(Units()[0].number, zero) << "Delete on channel 1 deletes channel 1's unit";
}

// Without the analysis on a switch the store kept channel 0's spikes under
// channel 1's name, and a spike of channel 0 could be given channel 1's unit.
TEST_F(DiscriminatorWindowTest, SwitchingTheChannelShowsThatChannelsSpikesOnly)
{
    spiky.Analyze();
    DiscriminatorView& view = Open();
    ASSERT_EQ(spiky.doc->SpikeCount(), 5);
    automation::ChooseItem(view, V::kChannels, 1);
    EXPECT_EQ(spiky.doc->SpikeCount(), 0) << "channel 1 is not analysed";
    EXPECT_EQ(view.Scatter().PointCount(kNoUnitColour), 0);
    EXPECT_EQ(view.StatusLine().Text().Str(), u"Not analyzed. No units defined.");
    automation::ChooseItem(view, V::kChannels, 0);
    EXPECT_EQ(spiky.doc->SpikeCount(), 5) << "channel 0 analysed again";
    std::int32_t other = -1;
    ASSERT_EQ(spiky.doc->CreateContourUnit(1, {0.0, 1.0, 1.0}, {0.0, 0.0, 1.0}, {}, &other), S_OK);
    EXPECT_EQ(spiky.doc->AssignSpike(0, other), E_INVALIDARG) << "channel 0's spike, channel 1's unit";
}

TEST_F(DiscriminatorWindowTest, CopyPutsPictureAndSpikesOnTheClipboardOrSaysItCannot)
{
    const std::int32_t unit = spiky.Contour();
    spiky.Analyze();
    DiscriminatorView& view = Open();
    EXPECT_EQ(V::CopyMenuText().Str(), u"Copy Spike Discriminator View");
    EXPECT_EQ(V::PrintMenuText().Str(), u"Print Spike Discriminator View...");
    ASSERT_TRUE(view.Copy());
    const std::u16string text = ui::ReadClipboardText().value_or(VEX::String()).Str();
    EXPECT_EQ(text.substr(0, text.find(u'\n')), u"spike\tblock\ttick\ttime\theight\twidth_ms\tunit");
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 6) << "a header and five spikes";
    EXPECT_NE(text.find(u"\tUnit1\n"), std::u16string::npos) << "spikes of unit " << unit << " by its name";
    EXPECT_TRUE(ui::ReadClipboardPng().has_value());

    automation::SetClipboardAvailable(false);
    EXPECT_FALSE(view.Copy());
    const std::vector<automation::ShownMessageBox> shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.Str(), u"Unable to copy to clipboard at present");
    EXPECT_EQ(shown[0].caption.Str(), u"Error");
    EXPECT_EQ(ui::ReadClipboardText().value_or(VEX::String()).Str(), u"") << "left as it was";
}

TEST_F(DiscriminatorWindowTest, PrintWritesThePrintoutWhereTheUserChose)
{
    spiky.Analyze();
    DiscriminatorView& view = Open();
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "discriminator-printout-test.pdf";
    std::filesystem::remove(file);
    EXPECT_FALSE(view.Print()) << "cancelled";
    automation::QueueFileAnswer(VEX::String(file.u16string()));
    ASSERT_TRUE(view.Print());
    EXPECT_GT(std::filesystem::file_size(file), 1000u);
    std::filesystem::remove(file);
    EXPECT_EQ(spiky.doc->SetViewSetting(Host::ViewKind::Discriminator, VEX::String(u"print"),
                                        VEX::String(file.u16string())),
              S_OK);
    EXPECT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);
    EXPECT_EQ(spiky.doc->SetViewSetting(Host::ViewKind::Discriminator, VEX::String(u"print"), VEX::String(u"x.png")),
              E_INVALIDARG);
}

} // namespace

TEST_F(DiscriminatorWindowTest, UnitListShowsQualityAndTurnsTheWarningColourPastAThreshold)
{
    spiky.Contour();
    spiky.Analyze();
    DiscriminatorView& view = Open();
    ASSERT_EQ(view.GetItemCount(V::kUnits), 1);
    EXPECT_EQ(view.GetItemColour(V::kUnits, 0), std::nullopt) << "every figure within its threshold";
    EXPECT_EQ(view.StatusLine().Text().Str(),
              u"5 spikes. 1 unit defined. Unit1: 0 refractory violations (0%), isolation n/a, L-ratio n/a, SNR n/a, "
              u"present 100%.");

    // A refractory period longer than any interval makes every interval violate it.
    Host::QualitySettings settings;
    spiky.doc->GetQualitySettings(&settings);
    const Host::QualitySettings kept = settings;
    settings.refractoryMs = 1e6;
    ASSERT_EQ(spiky.doc->SetQualitySettings(settings), S_OK);
    EXPECT_EQ(view.GetItemColour(V::kUnits, 0), kQualityWarningColour);
    EXPECT_NE(view.StatusLine().Text().Str().find(u"Unit1: 3 refractory violations (100%) (!), isolation n/a"),
              std::u16string::npos)
        << "two intervals in block 0, one in block 1: " << view.StatusLine().Text().ToUtf8();

    // A unit left without spikes is never present.
    const std::int32_t second = spiky.Contour();
    spiky.doc->DeleteUnit(Units().front().number);
    spiky.Analyze();
    ASSERT_EQ(spiky.doc->SetQualitySettings(kept), S_OK);
    ASSERT_EQ(view.GetItemCount(V::kUnits), 1);
    EXPECT_EQ(view.GetItemColour(V::kUnits, 0), std::nullopt) << "recomputed after the unit edits";
    spiky.doc->SetSelectedUnit(second);
    spiky.Contour();
    ASSERT_EQ(view.GetItemCount(V::kUnits), 2);
    EXPECT_EQ(view.GetItemColour(V::kUnits, 0), std::nullopt);
    EXPECT_EQ(view.GetItemColour(V::kUnits, 1), kQualityWarningColour) << "the new unit holds no spikes";
    automation::ChooseItem(view, V::kUnits, 1);
    EXPECT_NE(view.StatusLine().Text().Str().find(u"Unit3: 0 refractory violations (n/a), "), std::u16string::npos)
        << "the chosen unit's figures: " << view.StatusLine().Text().ToUtf8();
    EXPECT_NE(view.StatusLine().Text().Str().find(u"present 0% (!)."), std::u16string::npos);
}
