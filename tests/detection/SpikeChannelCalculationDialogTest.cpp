#include <gtest/gtest.h>

#include <functional>

#include "detection/SpikeChannelCalculationDialog.h"
#include "platform/ui/Automation.h"
#include "support/FakeHost.h"

using namespace Nerolith;
namespace automation = platform::ui::automation;
using D = SpikeChannelCalculationDialog;

namespace {

class SpikeChannelCalculationDialogTest : public ::testing::Test {
protected:
    void TearDown() override { automation::Reset(); }

    std::int32_t Run(const std::function<void(D&)>& drive)
    {
        D dialog(nullptr, units, nullptr, settings);
        automation::SetDialogDriver([&](platform::ui::TDialog&) { drive(dialog); });
        const std::int32_t result = dialog.Execute();
        settings = dialog.Settings();
        return result;
    }

    FakeHost::Owner owner;
    UnitCatalog units{&owner};
    SpikeChannelCalculationSettings settings;
};

TEST_F(SpikeChannelCalculationDialogTest, WithoutUnitsOkIsRefused)
{
    settings.eventSource = u"Earlier";
    const std::int32_t result = Run([](D& dialog) {
        EXPECT_EQ(dialog.GetItemCount(D::kUnitList), 1);
        EXPECT_EQ(dialog.GetControlText(D::kUnitList), VEX::String(u"No Units"));
        automation::Click(dialog, platform::ui::IDOK);
        EXPECT_TRUE(dialog.IsOpen());
    });
    EXPECT_EQ(result, platform::ui::IDCANCEL);
    const auto shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, VEX::String(u"No Nerolith Units have been added yet."));
    EXPECT_EQ(shown[0].caption, VEX::String(u"Nerolith"));
    EXPECT_EQ(settings.eventSource, VEX::String(u"Earlier"));
}

TEST_F(SpikeChannelCalculationDialogTest, OkStoresTheChosenUnitsSourceAndTheMode)
{
    units.NewContourUnit(0, {0, 4, 4, 0}, {0, 0, 4, 4});
    const std::int32_t burst = units.NewContourUnit(1, {0, 2, 2, 0}, {0, 0, 2, 2});
    units.SetProperties(burst, u"Burst", 0x0000FF, 0.1);
    settings.eventSource = u"NerolithUnit2";
    settings.mode = SpikeChannelCalculationSettings::kInstantaneousFrequency;

    Run([](D& dialog) {
        EXPECT_EQ(dialog.GetControlText(D::kUnitList), VEX::String(u"Burst"));
        EXPECT_TRUE(dialog.IsChecked(D::kInstantaneousFrequency));
        EXPECT_FALSE(dialog.IsChecked(D::kUnitSpikes));
        automation::Click(dialog, platform::ui::IDOK);
    });
    EXPECT_EQ(settings.eventSource, VEX::String(u"NerolithUnit2"));
    EXPECT_EQ(settings.mode, SpikeChannelCalculationSettings::kInstantaneousFrequency);

    const std::int32_t result = Run([](D& dialog) {
        automation::ChooseItem(dialog, D::kUnitList, 0);
        automation::Click(dialog, D::kUnitSpikes);
        automation::Click(dialog, platform::ui::IDOK);
    });
    EXPECT_EQ(result, platform::ui::IDOK);
    EXPECT_EQ(settings.eventSource, VEX::String(u"NerolithUnit1"));
    EXPECT_EQ(settings.mode, SpikeChannelCalculationSettings::kUnitSpikes);
    EXPECT_EQ(settings.ExpressionText(), VEX::String(u"eventinterp(NerolithUnit1,1)"));
}

} // namespace
