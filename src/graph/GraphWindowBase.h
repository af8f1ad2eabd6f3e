#pragma once

#include <cstdint>

#include "graph/GraphMenu.h"
#include "platform/ui/TBitmap.h"
#include "platform/ui/TWindow.h"

namespace DUdido1 {

namespace ui = platform::ui;

struct GraphMargins {
    std::int32_t left = 5;
    std::int32_t top = 5;
    std::int32_t right = 5;
    std::int32_t bottom = 5;
};

// A graph's window: paints through an off-screen bitmap kept between paints
// (made again only when the size changes), so repaints neither flicker nor
// allocate; keeps margins around the drawing; shows its context menu on a
// right click.
class GraphWindowBase : public ui::TWindow {
public:
    explicit GraphWindowBase(ui::TWindow* parent, const VEX::String& title = {});

    void SetMargins(const GraphMargins& margins);
    const GraphMargins& Margins() const { return margins_; }
    // The client area less the margins.
    ui::TRect DrawingArea() const;
    ui::TRect DrawingArea(const ui::TRect& rect) const;

    GraphMenu& Menu() { return menu_; }
    void EnableMenu(bool enabled) { menuEnabled_ = enabled; }
    bool IsMenuEnabled() const { return menuEnabled_; }

    // Draws the window's content into a rectangle of any device context; the
    // base fills it light grey.
    virtual void DrawContent(ui::TDC& dc, bool erase, const ui::TRect& rect);

    // How many off-screen bitmaps were made so far.
    std::int32_t OffscreenBitmapsMade() const { return bitmapsMade_; }

protected:
    // Called when the margins changed; the base repaints.
    virtual void MarginsChanged();
    // The menu a right click shows.
    virtual GraphMenu& ContextMenu() { return menu_; }

    void Paint(ui::TDC& dc, bool erase, ui::TRect& rect) override;
    void EvRButtonDown(std::uint32_t modKeys, const ui::TPoint& point) override;

private:
    GraphMargins margins_;
    ui::TBitmap offscreen_;
    std::int32_t offscreenWidth_ = -1;
    std::int32_t offscreenHeight_ = -1;
    std::int32_t bitmapsMade_ = 0;
    GraphMenu menu_;
    bool menuEnabled_ = true;
};

} // namespace DUdido1
