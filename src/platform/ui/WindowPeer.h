#pragma once

// The native side of a window, made by the backend (Backend.h): what the
// Qt-free TWindow keeps itself, and what it forwards.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/text/VexString.h"
#include "platform/ui/Controls.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/TWindow.h"

namespace platform::ui {

class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    virtual void SetTitle(const VEX::String& title) = 0;
    virtual TRect ClientRect() const = 0;
    virtual TRect WindowRect() const = 0;
    virtual void Move(const TRect& rect, bool repaint) = 0;
    // `place`: a plain top-level window, which the host's placer places.
    virtual void Show(bool visible, bool place) = 0;
    virtual bool IsVisible() const = 0;
    // Shown inside its parent (not hidden, not a window of its own).
    virtual bool IsShownChild() const = 0;
    virtual void SetFocus() = 0;
    virtual void Invalidate() = 0;
    virtual void InvalidateRect(const TRect& rect) = 0;
    virtual void Update() = 0;
    virtual TPoint ClientToScreen(const TPoint& p) const = 0;
    virtual TPoint ScreenToClient(const TPoint& p) const = 0;
    virtual bool SetTimer(std::uint32_t id, std::uint32_t milliseconds) = 0;
    virtual bool KillTimer(std::uint32_t id) = 0;
    virtual void GrabMouse() = 0;
    virtual void ReleaseMouse() = 0;

    // Dialogs: the size, and running modally until EndModal.
    virtual void SetFixedSize(const TSize& size) = 0;
    virtual void RunModal() = 0;
    virtual void EndModal(std::int32_t returnValue) = 0;
    // The numeric edits, in the order they were added.
    virtual std::vector<std::int32_t> NumericEdits() const = 0;

    // Controls; see TWindow.h.
    virtual void AddControl(const ControlTemplate& layout) = 0;
    virtual bool HasControl(std::int32_t id) const = 0;
    virtual void SetControlFont(const TFont& font) = 0;
    virtual void SetControlText(std::int32_t id, const VEX::String& text) = 0;
    virtual VEX::String GetControlText(std::int32_t id) const = 0;
    virtual void EnableControl(std::int32_t id, bool enabled) = 0;
    virtual bool IsControlEnabled(std::int32_t id) const = 0;
    virtual void ShowControl(std::int32_t id, bool visible) = 0;
    virtual void MoveControl(std::int32_t id, const TRect& bounds) = 0;
    virtual void SetControlTooltip(std::int32_t id, const VEX::String& text) = 0;
    virtual VEX::String GetControlTooltip(std::int32_t id) const = 0;
    virtual void SetControlFocus(std::int32_t id) = 0;
    virtual void SetNumber(std::int32_t id, double value) = 0;
    virtual std::optional<double> GetNumber(std::int32_t id) const = 0;
    virtual std::optional<VEX::String> NumberError(std::int32_t id) const = 0;
    virtual void SetCheck(std::int32_t id, bool checked) = 0;
    virtual bool IsChecked(std::int32_t id) const = 0;
    virtual void ClearItems(std::int32_t id) = 0;
    virtual std::int32_t AddItem(std::int32_t id, const VEX::String& text, std::int64_t data) = 0;
    virtual std::int32_t GetItemCount(std::int32_t id) const = 0;
    virtual VEX::String GetItemText(std::int32_t id, std::int32_t index) const = 0;
    virtual std::int64_t GetItemData(std::int32_t id, std::int32_t index) const = 0;
    virtual bool SetSelIndex(std::int32_t id, std::int32_t index) = 0;
    virtual std::int32_t GetSelIndex(std::int32_t id) const = 0;
    virtual void SetItemColour(std::int32_t id, std::int32_t index, COLORREF colour) = 0;
    virtual std::optional<COLORREF> GetItemColour(std::int32_t id, std::int32_t index) const = 0;
    virtual void SetColour(std::int32_t id, COLORREF colour) = 0;
    virtual COLORREF GetColour(std::int32_t id) const = 0;
};

// A TSplitter's native bar.
class SplitterPeer {
public:
    virtual ~SplitterPeer() = default;
    virtual void Split(TWindow& left, TWindow& right, double leftShare) = 0;
    virtual std::int32_t SplitPosition() const = 0;
    virtual TRect HandleRect() const = 0;
    virtual void Resize(const TSize& size) = 0;
    // Drags the handle to x as a user's mouse would.
    virtual void Drag(std::int32_t x) = 0;
};

// A TStatusLine's size grip.
class SizeGripPeer {
public:
    virtual ~SizeGripPeer() = default;
    // The side of the grip's square, in pixels.
    virtual std::int32_t Side() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsShown() const = 0;
    virtual void Place(const TRect& square) = 0;
};

// What a window keeps on the Qt-free side; the peer holds the rest.
struct TWindow::Impl {
    TWindow* parent = nullptr;
    Kind kind = Kind::Plain;
    bool created = false;
    bool hasCapture = false;
    VEX::String title;
    std::vector<TWindow*> children;

    // Dialogs.
    bool open = false;
    std::int32_t returnValue = IDCANCEL;

    std::unique_ptr<WindowPeer> peer;
};

} // namespace platform::ui
