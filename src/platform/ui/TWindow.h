#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Color.h"
#include "platform/ui/Controls.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

class TDC;

// Key and button state passed with mouse messages.
inline constexpr std::uint32_t MK_LBUTTON = 0x01;
inline constexpr std::uint32_t MK_RBUTTON = 0x02;
inline constexpr std::uint32_t MK_SHIFT = 0x04;
inline constexpr std::uint32_t MK_CONTROL = 0x08;
inline constexpr std::uint32_t MK_MBUTTON = 0x10;

// Virtual key codes passed to EvKeyDown (letters and digits are their
// upper-case ASCII codes).
inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_PRIOR = 0x21;
inline constexpr std::uint32_t VK_NEXT = 0x22;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_DELETE = 0x2E;

inline constexpr std::uint32_t SIZE_RESTORED = 0;

// A window: a child of another window, or a top-level one without a parent.
// It paints through Paint and receives its input through the virtual Ev
// handlers. Child windows are created with their parent's Create (or Create
// on their own once the parent exists); SetupWindow runs once, at creation.
//
// It may also hold controls addressed by integer ids (tool rows, dialogs);
// their notifications arrive in EvCommand. Control functions throw
// VEX::XVEX for an id the window does not hold.
class PLATFORM_API TWindow {
public:
    explicit TWindow(TWindow* parent = nullptr, const VEX::String& title = {});
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    // Runs SetupWindow (once) and creates the child windows not yet created.
    void Create();
    bool IsCreated() const;

    TWindow* GetParent() const;
    void SetCaption(const VEX::String& title);
    VEX::String GetCaption() const;

    TRect GetClientRect() const;
    // The window's place in its parent's client area (on screen for a
    // top-level window).
    TRect GetWindowRect() const;
    void MoveWindow(const TRect& rect, bool repaint = true);
    void MoveWindow(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, bool repaint = true)
    {
        MoveWindow(TRect(x, y, x + w, y + h), repaint);
    }
    void Show(bool visible = true);
    void Hide() { Show(false); }
    bool IsVisible() const;
    void SetFocus();

    void Invalidate(bool erase = true);
    void InvalidateRect(const TRect& rect, bool erase = true);
    // Paints the invalid part now.
    void UpdateWindow();

    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    // A timer calls EvTimer(id) every interval; setting an id again restarts
    // it. False when the window is gone or the interval is not positive.
    bool SetTimer(std::uint32_t id, std::uint32_t milliseconds);
    bool KillTimer(std::uint32_t id);

    // Mouse input goes to this window until released, wherever the pointer is.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;

    // Paints the window's content into any device context, as on screen.
    void PaintTo(TDC& dc);

    // Controls.
    void AddControl(const ControlTemplate& layout);
    bool HasControl(std::int32_t id) const;
    void SetControlFont(const TFont& font);
    void SetControlText(std::int32_t id, const VEX::String& text);
    VEX::String GetControlText(std::int32_t id) const;
    void EnableControl(std::int32_t id, bool enabled);
    bool IsControlEnabled(std::int32_t id) const;
    void ShowControl(std::int32_t id, bool visible);
    void MoveControl(std::int32_t id, const TRect& bounds);
    void SetControlTooltip(std::int32_t id, const VEX::String& text);
    VEX::String GetControlTooltip(std::int32_t id) const;
    void SetControlFocus(std::int32_t id);
    // Numeric edits: the text as a number (C locale, or the user's locale),
    // none when it is not one.
    void SetNumber(std::int32_t id, double value);
    std::optional<double> GetNumber(std::int32_t id) const;
    // The message telling the user what is wrong with a numeric edit's
    // text, or none when it holds a number within its range.
    std::optional<VEX::String> NumberError(std::int32_t id) const;
    // Check boxes and radio buttons.
    void SetCheck(std::int32_t id, bool checked);
    bool IsChecked(std::int32_t id) const;
    // Combo boxes.
    void ClearItems(std::int32_t id);
    std::int32_t AddItem(std::int32_t id, const VEX::String& text, std::int64_t data = 0);
    std::int32_t GetItemCount(std::int32_t id) const;
    VEX::String GetItemText(std::int32_t id, std::int32_t index) const;
    std::int64_t GetItemData(std::int32_t id, std::int32_t index) const;
    // -1 selects nothing; an index out of range is refused (false).
    bool SetSelIndex(std::int32_t id, std::int32_t index);
    std::int32_t GetSelIndex(std::int32_t id) const;
    // An item's text colour in the combo box's list; none while it has the
    // list's own colour.
    void SetItemColour(std::int32_t id, std::int32_t index, COLORREF colour);
    std::optional<COLORREF> GetItemColour(std::int32_t id, std::int32_t index) const;
    // Colour buttons.
    void SetColour(std::int32_t id, COLORREF colour);
    COLORREF GetColour(std::int32_t id) const;

    struct Impl;
    Impl& GetImpl() const { return *impl_; }

protected:
    enum class Kind : std::uint8_t { Plain, Dialog };
    TWindow(TWindow* parent, const VEX::String& title, Kind kind);

    virtual void SetupWindow();
    virtual void Paint(TDC& dc, bool erase, TRect& rect);
    virtual void EvSize(std::uint32_t sizeType, const TSize& size);
    virtual void EvLButtonDown(std::uint32_t modKeys, const TPoint& point);
    virtual void EvLButtonUp(std::uint32_t modKeys, const TPoint& point);
    virtual void EvLButtonDblClk(std::uint32_t modKeys, const TPoint& point);
    virtual void EvRButtonDown(std::uint32_t modKeys, const TPoint& point);
    virtual void EvRButtonUp(std::uint32_t modKeys, const TPoint& point);
    virtual void EvMouseMove(std::uint32_t modKeys, const TPoint& point);
    virtual void EvMouseLeave();
    virtual void EvChar(std::uint32_t key, std::uint32_t repeatCount, std::uint32_t flags);
    // `flags` holds MK_SHIFT and MK_CONTROL as they were held.
    virtual void EvKeyDown(std::uint32_t key, std::uint32_t repeatCount, std::uint32_t flags);
    virtual void EvTimer(std::uint32_t timerId);
    virtual void EvCommand(std::int32_t id, ControlNotify notify);

private:
    friend class WindowDispatch;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform::ui
