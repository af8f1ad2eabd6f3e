#pragma once

#include <cstdint>
#include <memory>

#include "platform/Export.h"
#include "platform/ui/TWindow.h"

namespace platform::ui {

// A one-line status bar: a text on the button-face colour and, when
// enabled, a size grip in its bottom-right square that resizes the
// top-level window it sits in. The grip hides while that window is
// maximised, its square then filled with the button face.
class PLATFORM_API TStatusLine : public TWindow {
public:
    explicit TStatusLine(TWindow* parent);
    ~TStatusLine() override;

    void SetText(const VEX::String& text);
    const VEX::String& Text() const { return text_; }
    void EnableSizeGrip(bool enabled);
    bool SizeGripShown() const;
    // The grip's square: its side the larger of the scroll bars' extents.
    TRect SizeGripRect() const;

protected:
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void EvSize(std::uint32_t sizeType, const TSize& size) override;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    VEX::String text_;
};

} // namespace platform::ui
