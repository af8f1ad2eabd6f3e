#include <gtest/gtest.h>

#include <algorithm>

#include "discriminator/ScatterFixture.h"
#include "discriminator/ScatterPlot.h"
#include "discriminator/SelectUnitDialog.h"
#include "platform/ui/TDialog.h"
#include "platform/ui/TPopupMenu.h"

namespace {

using namespace TestSupport;
using automation::MouseAction;
using automation::MouseButton;
using platform::ui::MenuItem;
using platform::ui::TPoint;

class ScatterMenu : public ScatterFixture {
protected:
    // Right-clicks at a point, choosing the item whose text starts with
    // `choice` (none when empty); the items shown come back.
    std::vector<MenuItem> RightClick(const TPoint& at, std::u16string choice = {})
    {
        std::vector<MenuItem> shown;
        automation::SetMenuChooser([&](const platform::ui::TPopupMenu& menu, const TPoint&) {
            shown = menu.Items();
            const auto item = std::find_if(shown.begin(), shown.end(), [&](const MenuItem& i) {
                return !choice.empty() && i.text.Str().starts_with(choice);
            });
            return item == shown.end() ? 0u : item->id;
        });
        Mouse(MouseAction::Move, MouseButton::None, at);
        Mouse(MouseAction::Press, MouseButton::Right, at);
        Mouse(MouseAction::Release, MouseButton::Right, at);
        return shown;
    }
    TPoint Empty()
    {
        const DUdido1::PlotFrame frame = Graph().CurrentFrame();
        return {frame.rect.right - 2, frame.rect.top + 2};
    }
    // A contour unit holding spikes 2 and 3.
    std::int32_t MiddleUnit()
    {
        std::int32_t unit = -1;
        EXPECT_EQ(doc->CreateContourUnit(0, {0.0, 5.0, 5.0, 0.0}, {1.0, 1.0, 1.5, 1.5}, VEX::String(u"Middle"), &unit),
                  S_OK);
        Analyze();
        return unit;
    }
    bool Excluded(std::int32_t spike)
    {
        bool excluded = false;
        doc->IsExcluded(spike, &excluded);
        return excluded;
    }
    static const MenuItem* Item(const std::vector<MenuItem>& items, std::u16string_view start)
    {
        const auto item = std::find_if(items.begin(), items.end(),
                                       [&](const MenuItem& i) { return i.text.Str().starts_with(start); });
        return item == items.end() ? nullptr : &*item;
    }
};

TEST_F(ScatterMenu, ARightClickSelectsThePointAndTheTextsNameTheSpike)
{
    Analyze();
    const std::vector<MenuItem> items = RightClick(PixelOf(1));
    EXPECT_EQ(Selection(), 1);
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0].text, VEX::String(u"Assign spike 2 to unit..."));
    EXPECT_EQ(items[1].text, VEX::String(u"Exclude spike 2 from all units"));
    EXPECT_TRUE(items[2].separator);
    EXPECT_EQ(items[3].text, VEX::String(u"No units defined"));
    EXPECT_FALSE(items[3].enabled);
    EXPECT_EQ(items[5].text, VEX::String(u"Clear Edits"));
    EXPECT_FALSE(items[5].enabled) << "no hand edits yet";
    EXPECT_EQ(items[7].text, VEX::String(u"Undo"));
    EXPECT_FALSE(items[7].enabled) << "nothing edited yet";
    EXPECT_EQ(items[8].text, VEX::String(u"Redo"));

    const std::vector<MenuItem> none = RightClick(Empty());
    ASSERT_EQ(none.size(), 9u);
    EXPECT_EQ(Selection(), 1) << "a right click on empty space keeps the selection";
}

TEST_F(ScatterMenu, AssignAndExcludeChangeTheSpikesUnit)
{
    Analyze();
    const std::int32_t unit = MiddleUnit();
    ASSERT_EQ(UnitOf(0), -1);
    ASSERT_EQ(UnitOf(2), unit);

    LeftClick(PixelOf(0));
    const std::vector<MenuItem> items = RightClick(PixelOf(0), u"Assign spike 1 to Middle");
    ASSERT_NE(Item(items, u"Assign spike 1 to Middle"), nullptr);
    EXPECT_EQ(UnitOf(0), unit) << "the channel was classified again";

    RightClick(PixelOf(2), u"Exclude spike 3");
    EXPECT_EQ(UnitOf(2), -1);
    EXPECT_TRUE(Excluded(2));
    EXPECT_EQ(UnitOf(3), unit);
}

TEST_F(ScatterMenu, AssignToUnitAsksWhichUnit)
{
    Analyze();
    const std::int32_t unit = MiddleUnit();
    std::vector<VEX::String> listed;
    automation::SetDialogDriver([&](platform::ui::TDialog& dialog) {
        EXPECT_EQ(dialog.GetCaption(), VEX::String(u"Select Unit"));
        for (std::int32_t i = 0; i < dialog.GetItemCount(Nerolith::SelectUnitDialog::kUnitList); ++i) {
            listed.push_back(dialog.GetItemText(Nerolith::SelectUnitDialog::kUnitList, i));
        }
        automation::ChooseItem(dialog, Nerolith::SelectUnitDialog::kUnitList, 0);
        automation::Click(dialog, platform::ui::IDOK);
    });
    RightClick(PixelOf(4), u"Assign spike 5 to unit...");
    EXPECT_EQ(listed, std::vector<VEX::String>{VEX::String(u"Middle")});
    EXPECT_EQ(UnitOf(4), unit);

    automation::SetDialogDriver([](platform::ui::TDialog& dialog) { automation::Click(dialog, platform::ui::IDCANCEL); });
    RightClick(PixelOf(0), u"Assign spike 1 to unit...");
    EXPECT_EQ(UnitOf(0), -1) << "cancelled: nothing assigned";
}

TEST_F(ScatterMenu, WithoutUnitsTheDialogOffersNoneAndAssignsNothing)
{
    Analyze();
    std::vector<VEX::String> listed;
    automation::SetDialogDriver([&](platform::ui::TDialog& dialog) {
        listed.push_back(dialog.GetItemText(Nerolith::SelectUnitDialog::kUnitList, 0));
        automation::Click(dialog, platform::ui::IDOK);
    });
    RightClick(PixelOf(3), u"Assign spike 4 to unit...");
    EXPECT_EQ(listed, std::vector<VEX::String>{VEX::String(u"No Units")});
    std::vector<Host::HandAssignment> edits;
    doc->GetHandAssignments(&edits);
    EXPECT_TRUE(edits.empty());
}

TEST_F(ScatterMenu, ClearEditsIsOfferedWheneverTheChannelHasEditsSelectionOrNot)
{
    Analyze();
    const std::int32_t unit = MiddleUnit();
    RightClick(PixelOf(3), u"Exclude spike 4");
    ASSERT_EQ(UnitOf(3), -1);
    LeftClick(Empty());
    ASSERT_EQ(Selection(), -1);

    const std::vector<MenuItem> items = RightClick(Empty(), u"Clear Edits");
    ASSERT_NE(Item(items, u"Clear Edits"), nullptr);
    EXPECT_TRUE(Item(items, u"Clear Edits")->enabled);
    EXPECT_FALSE(Item(items, u"Exclude")->enabled) << "no spike to exclude";
    EXPECT_EQ(UnitOf(3), unit) << "the exclusion is gone";
    EXPECT_FALSE(Excluded(3));
}

} // namespace

TEST_F(ScatterMenu, UndoAndRedoTakeBackAnAssignmentAndMakeItAgain)
{
    Analyze();
    const std::int32_t unit = MiddleUnit();
    RightClick(PixelOf(2), u"Exclude spike 3");
    ASSERT_EQ(UnitOf(2), -1);
    std::vector<MenuItem> items = RightClick(PixelOf(2), u"Undo");
    ASSERT_NE(Item(items, u"Undo"), nullptr);
    EXPECT_TRUE(Item(items, u"Undo")->enabled);
    EXPECT_EQ(UnitOf(2), unit) << "the exclusion is gone and the channel classified again";
    EXPECT_FALSE(Excluded(2));
    items = RightClick(PixelOf(2), u"Redo");
    EXPECT_TRUE(Item(items, u"Redo")->enabled);
    EXPECT_EQ(UnitOf(2), -1);
    EXPECT_TRUE(Excluded(2));
}
