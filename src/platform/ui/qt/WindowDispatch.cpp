#include <QtGlobal>

#include <array>
#include <exception>
#include <utility>

#include "platform/ui/TPainterDC.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/ForwardingWidget.h"
#include "platform/ui/qt/QtWindowPeer.h"

namespace platform::ui {

namespace {

TPoint PointOf(const QMouseEvent& event)
{
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y()};
}

// Virtual keys and the Qt keys they stand for; letters and digits share
// their codes and need no entry.
constexpr std::array<std::pair<std::uint32_t, int>, 13> kKeys{{
    {VK_BACK, Qt::Key_Backspace},
    {VK_TAB, Qt::Key_Tab},
    {VK_RETURN, Qt::Key_Return},
    {VK_ESCAPE, Qt::Key_Escape},
    {VK_PRIOR, Qt::Key_PageUp},
    {VK_NEXT, Qt::Key_PageDown},
    {VK_END, Qt::Key_End},
    {VK_HOME, Qt::Key_Home},
    {VK_LEFT, Qt::Key_Left},
    {VK_UP, Qt::Key_Up},
    {VK_RIGHT, Qt::Key_Right},
    {VK_DOWN, Qt::Key_Down},
    {VK_DELETE, Qt::Key_Delete},
}};

bool IsLetterOrDigit(int key)
{
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z);
}

// Printable characters, and the control characters that keys type
// (backspace, tab, return, escape).
bool IsCharInput(QChar ch)
{
    const char16_t code = ch.unicode();
    return ch.isPrint() || code == u'\b' || code == u'\t' || code == u'\r' || code == 0x1B;
}

} // namespace

std::uint32_t ModKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    std::uint32_t keys = 0;
    keys |= buttons.testFlag(Qt::LeftButton) ? MK_LBUTTON : 0;
    keys |= buttons.testFlag(Qt::RightButton) ? MK_RBUTTON : 0;
    keys |= buttons.testFlag(Qt::MiddleButton) ? MK_MBUTTON : 0;
    keys |= modifiers.testFlag(Qt::ShiftModifier) ? MK_SHIFT : 0;
    keys |= modifiers.testFlag(Qt::ControlModifier) ? MK_CONTROL : 0;
    return keys;
}

Qt::KeyboardModifiers KeyModifiers(std::uint32_t modKeys)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    modifiers.setFlag(Qt::ShiftModifier, (modKeys & MK_SHIFT) != 0);
    modifiers.setFlag(Qt::ControlModifier, (modKeys & MK_CONTROL) != 0);
    return modifiers;
}

Qt::MouseButtons MouseButtons(std::uint32_t modKeys)
{
    Qt::MouseButtons buttons = Qt::NoButton;
    buttons.setFlag(Qt::LeftButton, (modKeys & MK_LBUTTON) != 0);
    buttons.setFlag(Qt::RightButton, (modKeys & MK_RBUTTON) != 0);
    buttons.setFlag(Qt::MiddleButton, (modKeys & MK_MBUTTON) != 0);
    return buttons;
}

std::uint32_t VirtualKey(int qtKey)
{
    if (IsLetterOrDigit(qtKey)) {
        return static_cast<std::uint32_t>(qtKey);
    }
    for (const auto& [vk, key] : kKeys) {
        if (key == qtKey) {
            return vk;
        }
    }
    return qtKey == Qt::Key_Enter ? VK_RETURN : 0;
}

int QtKey(std::uint32_t virtualKey)
{
    if (IsLetterOrDigit(static_cast<int>(virtualKey))) {
        return static_cast<int>(virtualKey);
    }
    for (const auto& [vk, key] : kKeys) {
        if (vk == virtualKey) {
            return key;
        }
    }
    return Qt::Key_unknown;
}

void WindowDispatch::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        qWarning("Window handler failed: %s", error.what());
    }
}

void WindowDispatch::Paint(TWindow& window, QWidget& widget, const QPaintEvent& event)
{
    TPainterDC dc(std::make_unique<QtPainterEngine>(widget));
    const QRect area = event.rect();
    TRect rect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
    Guarded([&] { window.Paint(dc, true, rect); });
}

void WindowDispatch::Size(TWindow& window, const QSize& size)
{
    Guarded([&] { window.EvSize(SIZE_RESTORED, TSize(size.width(), size.height())); });
}

void WindowDispatch::MousePress(TWindow& window, const QMouseEvent& event)
{
    const std::uint32_t keys = ModKeys(event.buttons(), event.modifiers());
    Guarded([&] {
        if (event.button() == Qt::LeftButton) {
            window.EvLButtonDown(keys, PointOf(event));
        } else if (event.button() == Qt::RightButton) {
            window.EvRButtonDown(keys, PointOf(event));
        }
    });
}

void WindowDispatch::MouseRelease(TWindow& window, const QMouseEvent& event)
{
    const std::uint32_t keys = ModKeys(event.buttons(), event.modifiers());
    Guarded([&] {
        if (event.button() == Qt::LeftButton) {
            window.EvLButtonUp(keys, PointOf(event));
        } else if (event.button() == Qt::RightButton) {
            window.EvRButtonUp(keys, PointOf(event));
        }
    });
}

void WindowDispatch::MouseDoubleClick(TWindow& window, const QMouseEvent& event)
{
    const std::uint32_t keys = ModKeys(event.buttons(), event.modifiers());
    Guarded([&] {
        if (event.button() == Qt::LeftButton) {
            window.EvLButtonDblClk(keys, PointOf(event));
        } else if (event.button() == Qt::RightButton) {
            window.EvRButtonDown(keys, PointOf(event));
        }
    });
}

void WindowDispatch::MouseMove(TWindow& window, const QMouseEvent& event)
{
    const std::uint32_t keys = ModKeys(event.buttons(), event.modifiers());
    Guarded([&] { window.EvMouseMove(keys, PointOf(event)); });
}

void WindowDispatch::MouseLeave(TWindow& window)
{
    Guarded([&] { window.EvMouseLeave(); });
}

void WindowDispatch::Key(TWindow& window, const QKeyEvent& event)
{
    const std::uint32_t repeat = static_cast<std::uint32_t>(std::max(1, event.count()));
    Guarded([&] {
        if (const std::uint32_t vk = VirtualKey(event.key()); vk != 0) {
            window.EvKeyDown(vk, repeat, ModKeys(Qt::NoButton, event.modifiers()) & (MK_SHIFT | MK_CONTROL));
        }
        for (const QChar ch : event.text()) {
            if (IsCharInput(ch)) {
                window.EvChar(ch.unicode(), repeat, 0);
            }
        }
    });
}

bool WindowDispatch::Timer(TWindow& window, int qtTimerId)
{
    const auto timerId = Peer(window).TimerOf(qtTimerId);
    if (!timerId) {
        return false;
    }
    Guarded([&] { window.EvTimer(*timerId); });
    return true;
}

void WindowDispatch::Command(TWindow& window, std::int32_t id, ControlNotify notify)
{
    Guarded([&] { window.EvCommand(id, notify); });
}

} // namespace platform::ui
