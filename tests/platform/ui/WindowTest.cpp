#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Automation.h"
#include "platform/ui/TDC.h"
#include "platform/ui/TWindow.h"
#include "platform/ui/qt/QtBridge.h"

namespace platform::ui {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class ProbeWindow : public TWindow {
public:
    using TWindow::TWindow;

    std::vector<std::string> events;
    std::vector<TSize> sizes;
    std::map<std::uint32_t, int> ticks;
    int setups = 0;
    int paints = 0;

protected:
    void SetupWindow() override
    {
        TWindow::SetupWindow();
        ++setups;
    }
    void Paint(TDC& dc, bool, TRect&) override
    {
        ++paints;
        dc.FillRect(GetClientRect(), TBrush(kRed));
    }
    void EvSize(std::uint32_t, const TSize& size) override { sizes.push_back(size); }
    void EvLButtonDown(std::uint32_t keys, const TPoint& p) override { Log("LDown", keys, p); }
    void EvLButtonUp(std::uint32_t keys, const TPoint& p) override { Log("LUp", keys, p); }
    void EvRButtonDown(std::uint32_t keys, const TPoint& p) override { Log("RDown", keys, p); }
    void EvMouseMove(std::uint32_t keys, const TPoint& p) override { Log("Move", keys, p); }
    void EvMouseLeave() override { events.emplace_back("Leave"); }
    void EvChar(std::uint32_t key, std::uint32_t, std::uint32_t) override
    {
        events.push_back("Char " + std::to_string(key));
    }
    void EvKeyDown(std::uint32_t key, std::uint32_t, std::uint32_t) override
    {
        events.push_back("Key " + std::to_string(key));
    }
    void EvTimer(std::uint32_t id) override
    {
        if (++ticks[id] == 3) {
            KillTimer(id);
        }
    }

private:
    void Log(const char* what, std::uint32_t keys, const TPoint& p)
    {
        events.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                         std::to_string(keys));
    }
};

TEST(WindowTest, MouseAndKeyInputReachTheHandlersWithKeyStates)
{
    ProbeWindow window;
    window.MoveWindow(0, 0, 100, 80);
    using namespace automation;
    SendMouse(window, MouseAction::Press, MouseButton::Left, {10, 20}, MK_SHIFT);
    SendMouse(window, MouseAction::Move, MouseButton::None, {12, 22}, MK_LBUTTON);
    SendMouse(window, MouseAction::Release, MouseButton::Left, {12, 22}, MK_LBUTTON);
    SendMouse(window, MouseAction::Press, MouseButton::Right, {3, 4}, MK_CONTROL);
    SendMouseLeave(window);
    SendChar(window, u'a');
    SendKey(window, VK_LEFT);

    const std::vector<std::string> expected{
        "LDown 10,20 " + std::to_string(MK_LBUTTON | MK_SHIFT),
        "Move 12,22 " + std::to_string(MK_LBUTTON),
        "LUp 12,22 0",
        "RDown 3,4 " + std::to_string(MK_RBUTTON | MK_CONTROL),
        "Leave",
        "Char 97",
        "Key " + std::to_string(VK_LEFT),
    };
    EXPECT_EQ(window.events, expected);
}

TEST(WindowTest, SizesArriveAtOnceAndChildrenAreSetUpWithTheirParent)
{
    ProbeWindow parent;
    ProbeWindow child(&parent);
    parent.MoveWindow(0, 0, 200, 100);
    child.MoveWindow(TRect(10, 10, 60, 40));
    ASSERT_FALSE(parent.sizes.empty());
    EXPECT_EQ(parent.sizes.back(), TSize(200, 100));
    EXPECT_EQ(child.GetClientRect(), TRect(0, 0, 50, 30));
    EXPECT_EQ(child.GetWindowRect(), TRect(10, 10, 60, 40));

    parent.Create();
    parent.Create();
    EXPECT_EQ(parent.setups, 1);
    EXPECT_EQ(child.setups, 1);
    EXPECT_EQ(child.GetParent(), &parent);
}

TEST(WindowTest, ShownWindowPaintsThroughItsHandler)
{
    ProbeWindow window;
    window.MoveWindow(0, 0, 40, 30);
    window.Show();
    const QImage picture = qt::NativeWidget(window)->grab().toImage();
    EXPECT_GT(window.paints, 0);
    EXPECT_EQ(picture.pixelColor(20, 15), QColor(255, 0, 0));
}

TEST(WindowTest, TimersTickUntilKilled)
{
    ProbeWindow window;
    EXPECT_FALSE(window.SetTimer(1, 0));
    ASSERT_TRUE(window.SetTimer(7, 5));
    QElapsedTimer clock;
    clock.start();
    while (window.ticks[7] < 3 && clock.elapsed() < 5000) {
        ProcessEvents(10);
    }
    ProcessEvents(40);
    EXPECT_EQ(window.ticks[7], 3);
    EXPECT_FALSE(window.KillTimer(7));
}

TEST(WindowTest, ChildOutlivingItsParentStaysHarmless)
{
    auto parent = std::make_unique<ProbeWindow>();
    ProbeWindow child(parent.get());
    parent.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
    child.MoveWindow(0, 0, 10, 10);
    child.Invalidate();
    EXPECT_FALSE(child.SetTimer(1, 10));
    EXPECT_EQ(child.GetClientRect(), TRect());
}

} // namespace
} // namespace platform::ui
