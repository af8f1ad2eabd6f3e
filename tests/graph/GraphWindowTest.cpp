#include <gtest/gtest.h>

#include <algorithm>

#include "FakeAxisScale.h"
#include "graph/BinPlotData.h"
#include "graph/BinPlotter.h"
#include "graph/Graph2DWindow.h"
#include "graph/GraphMessages.h"
#include "graph/HistogramWindow.h"
#include "graph/QueenLineH.h"
#include "platform/ui/Automation.h"
#include "platform/ui/RecordingDC.h"
#include "platform/ui/Render.h"
#include "platform/ui/TPopupMenu.h"

namespace {

using namespace graphtest;
using namespace DUdido1;
namespace automation = platform::ui::automation;
using ui::TPoint;

// Counts the drawer's messages and describes the pointer position.
struct DrawerListener : MessSys::MessageReceiver {
    void Receive(MessSys::Message& message) override
    {
        if (auto* hint = dynamic_cast<MouseTrackHintMsg*>(&message)) {
            if (hint->insidePlot) {
                hint->items.push_back(u"here");
                hint->items.push_back(u"there");
            }
        } else if (auto* text = dynamic_cast<HintTextChangedMsg*>(&message)) {
            hints.push_back(text->text);
        } else if (auto* domain = dynamic_cast<MsgGraph2DDrawerOnDomainChanged*>(&message)) {
            lastDomain = {domain->minimum, domain->maximum};
        } else if (auto* queen = dynamic_cast<MessageQueenTrackEnd*>(&message)) {
            lineLevel = queen->position.y;
        }
    }
    std::vector<VEX::String> hints;
    Extent lastDomain{};
    double lineLevel = 0.0;
};

class GraphWindowTest : public ::testing::Test {
protected:
    ~GraphWindowTest() override { automation::Reset(); }

    FakeScaleFactory scales;
};

template <class Window>
FakeAxisScale& FakeScale(Window& window, GraphAxis axis)
{
    return dynamic_cast<FakeAxisScale&>(*window.Scale(axis));
}

TEST_F(GraphWindowTest, TheOffscreenBitmapIsMadeOncePerSize)
{
    HistogramWindow window(nullptr);
    window.Create();
    window.MoveWindow(0, 0, 400, 300);
    ui::RecordingDC dc;
    window.PaintTo(dc);
    window.PaintTo(dc);
    EXPECT_EQ(window.OffscreenBitmapsMade(), 1);
    ASSERT_EQ(dc.Find(ui::DrawOp::BitBlt).size(), 2u);
    EXPECT_EQ(dc.Find(ui::DrawOp::BitBlt).front()->rect, ui::TRect(0, 0, 400, 300));

    window.MoveWindow(0, 0, 500, 300);
    window.PaintTo(dc);
    window.PaintTo(dc);
    EXPECT_EQ(window.OffscreenBitmapsMade(), 2);
}

TEST_F(GraphWindowTest, MouseAndScalesDriveTheGraph)
{
    Graph2DWindow window(nullptr);
    window.Create();
    window.MoveWindow(0, 0, 400, 300);
    // Margins of 5 and scales 20 thick: the plot is (25, 5)-(395, 275).
    ASSERT_EQ(window.CurrentFrame().rect, ui::TRect(25, 5, 395, 275));
    EXPECT_EQ(FakeScale(window, GraphAxis::Horizontal).placedBeside, window.CurrentFrame().rect);
    window.SetDomain(0.0, 370.0);
    window.SetRange(0.0, 270.0);
    DrawerListener listener;
    window.Attach(&listener);

    auto* line = new QueenLineH;
    line->SetPosition(0.0, 135.0);
    line->Attach(&listener);
    window.AddQueen(line, true);
    automation::SendMouse(window, automation::MouseAction::Press, automation::MouseButton::Left, {100, 140});
    automation::SendMouse(window, automation::MouseAction::Move, automation::MouseButton::None, {100, 100});
    automation::SendMouse(window, automation::MouseAction::Release, automation::MouseButton::Left, {100, 100});
    EXPECT_DOUBLE_EQ(listener.lineLevel, 175.0);
    EXPECT_EQ(listener.hints, std::vector<VEX::String>{u"here, there"});
    automation::SendMouseLeave(window);
    EXPECT_EQ(window.HintText(), VEX::String());

    FakeScale(window, GraphAxis::Horizontal).UserDrags(10.0, 20.0);
    EXPECT_EQ(window.GetDomain(), Extent(10.0, 20.0));
    EXPECT_EQ(listener.lastDomain, Extent(10.0, 20.0));
    EXPECT_EQ(window.DraggedScale(), 0);

    window.SetDefaultRange(0.0, 50.0);
    window.EnableAutoScale(false);
    FakeScale(window, GraphAxis::Vertical).UserAutoScales();
    EXPECT_EQ(window.GetRange(), Extent(0.0, 270.0));
    window.EnableAutoScale(true);
    FakeScale(window, GraphAxis::Vertical).UserAutoScales();
    EXPECT_EQ(window.GetRange(), Extent(0.0, 50.0));
    EXPECT_FALSE(window.SetRange(5.0, 5.0));
}

TEST_F(GraphWindowTest, TheStyleMenuChecksTheCurrentStyleOnly)
{
    HistogramWindow window(nullptr);
    window.Create();
    window.MoveWindow(0, 0, 300, 200);
    window.AddPlotter(new BinPlotter, true);
    auto* plotter = window.HistogramPlotter();
    ASSERT_NE(plotter, nullptr);

    std::vector<ui::MenuItem> shown;
    std::uint32_t pick = 0;
    automation::SetMenuChooser([&](const ui::TPopupMenu& menu, const TPoint&) {
        shown = menu.Items();
        const auto step = std::find_if(shown.begin(), shown.end(), [](const ui::MenuItem& i) { return i.text == u"Step"; });
        return pick == 0 ? 0u : step->id;
    });
    const auto rightClick = [&] {
        automation::SendMouse(window, automation::MouseAction::Press, automation::MouseButton::Right, {50, 50});
    };

    rightClick();
    std::vector<VEX::String> texts;
    for (const auto& item : shown) {
        texts.push_back(item.text);
    }
    EXPECT_EQ(texts, (std::vector<VEX::String>{u"Dot", u"Line", u"Bar", u"Filled Bar", u"Function", u"Step"}));
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const ui::MenuItem& i) { return i.checked; }), 1);
    EXPECT_TRUE(shown[2].checked);
    EXPECT_EQ(plotter->Style(), kStyleBar) << "closing without a choice changes nothing";

    pick = 1;
    rightClick();
    EXPECT_EQ(plotter->Style(), kStyleStep);
    pick = 0;
    rightClick();
    EXPECT_TRUE(shown[5].checked);
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const ui::MenuItem& i) { return i.checked; }), 1);
}

TEST_F(GraphWindowTest, AMenuItemHiddenBeforeDisplayIsLeftOut)
{
    struct Hider : MessSys::MessageReceiver {
        void Receive(MessSys::Message& message) override
        {
            if (auto* state = dynamic_cast<PreDisplayMenuMessage*>(&message)) {
                state->shown = state->id != 2;
            } else if (auto* choice = dynamic_cast<OnMenuItemMessage*>(&message)) {
                chosen.push_back(choice->id);
            }
        }
        std::vector<std::int32_t> chosen;
    } hider;
    GraphMenu menu;
    menu.AddItem(1, u"One", &hider);
    menu.AddItem(2, u"Two", &hider);
    menu.AddSeparator();
    menu.AddItem(3, u"Three", &hider, false);
    std::vector<ui::MenuItem> shown;
    std::uint32_t answer = 0;
    automation::SetMenuChooser([&](const ui::TPopupMenu& m, const TPoint&) {
        shown = m.Items();
        return answer;
    });
    EXPECT_FALSE(menu.Show(nullptr, 0, 0));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, VEX::String(u"One"));
    EXPECT_TRUE(shown[1].separator);
    EXPECT_FALSE(shown[2].enabled);
    EXPECT_TRUE(hider.chosen.empty());

    answer = shown[0].id;
    EXPECT_TRUE(menu.Show(nullptr, 0, 0));
    EXPECT_EQ(hider.chosen, std::vector<std::int32_t>{1});
}

} // namespace
