#pragma once

// The Qt side of a window: its widget, timers and controls.

#include <QButtonGroup>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/ui/WindowPeer.h"

namespace platform::ui {

struct Control {
    ControlTemplate definition;
    QPointer<QWidget> widget;
    COLORREF colour = kBlack;
};

class QtWindowPeer final : public WindowPeer {
public:
    QtWindowPeer(TWindow& owner, TWindow* parent, bool dialog);
    ~QtWindowPeer() override;

    QWidget* Widget() const { return widget.data(); }
    // None when the window holds no such timer.
    std::optional<std::uint32_t> TimerOf(int qtTimerId) const;
    // Throws VEX::XVEX when the window holds no such control.
    Control& ControlById(std::int32_t id);
    const Control& ControlById(std::int32_t id) const;

    void SetTitle(const VEX::String& title) override;
    TRect ClientRect() const override;
    TRect WindowRect() const override;
    void Move(const TRect& rect, bool repaint) override;
    void Show(bool visible, bool place) override;
    bool IsVisible() const override;
    bool IsShownChild() const override;
    void SetFocus() override;
    void Invalidate() override;
    void InvalidateRect(const TRect& rect) override;
    void Update() override;
    TPoint ClientToScreen(const TPoint& p) const override;
    TPoint ScreenToClient(const TPoint& p) const override;
    bool SetTimer(std::uint32_t id, std::uint32_t milliseconds) override;
    bool KillTimer(std::uint32_t id) override;
    void GrabMouse() override;
    void ReleaseMouse() override;

    void SetFixedSize(const TSize& size) override;
    void RunModal() override;
    void EndModal(std::int32_t returnValue) override;
    std::vector<std::int32_t> NumericEdits() const override;

    void AddControl(const ControlTemplate& layout) override;
    bool HasControl(std::int32_t id) const override;
    void SetControlFont(const TFont& font) override;
    void SetControlText(std::int32_t id, const VEX::String& text) override;
    VEX::String GetControlText(std::int32_t id) const override;
    void EnableControl(std::int32_t id, bool enabled) override;
    bool IsControlEnabled(std::int32_t id) const override;
    void ShowControl(std::int32_t id, bool visible) override;
    void MoveControl(std::int32_t id, const TRect& bounds) override;
    void SetControlTooltip(std::int32_t id, const VEX::String& text) override;
    VEX::String GetControlTooltip(std::int32_t id) const override;
    void SetControlFocus(std::int32_t id) override;
    void SetNumber(std::int32_t id, double value) override;
    std::optional<double> GetNumber(std::int32_t id) const override;
    std::optional<VEX::String> NumberError(std::int32_t id) const override;
    void SetCheck(std::int32_t id, bool checked) override;
    bool IsChecked(std::int32_t id) const override;
    void ClearItems(std::int32_t id) override;
    std::int32_t AddItem(std::int32_t id, const VEX::String& text, std::int64_t data) override;
    std::int32_t GetItemCount(std::int32_t id) const override;
    VEX::String GetItemText(std::int32_t id, std::int32_t index) const override;
    std::int64_t GetItemData(std::int32_t id, std::int32_t index) const override;
    bool SetSelIndex(std::int32_t id, std::int32_t index) override;
    std::int32_t GetSelIndex(std::int32_t id) const override;
    void SetItemColour(std::int32_t id, std::int32_t index, COLORREF colour) override;
    std::optional<COLORREF> GetItemColour(std::int32_t id, std::int32_t index) const override;
    void SetColour(std::int32_t id, COLORREF colour) override;
    COLORREF GetColour(std::int32_t id) const override;

private:
    TWindow* owner = nullptr;
    bool dialog = false;
    QPointer<QWidget> widget;
    std::map<std::uint32_t, int> timers;
    bool inExec = false;

    std::map<std::int32_t, Control> controls;
    std::vector<std::int32_t> controlOrder;
    QPointer<QButtonGroup> radioGroup;
    bool lastWasRadio = false;
    std::optional<TFont> controlFont;
};

// The Qt peer of a window: the backend makes every window's peer.
QtWindowPeer& Peer(const TWindow& window);

} // namespace platform::ui
