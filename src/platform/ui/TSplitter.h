#pragma once

#include <cstdint>
#include <memory>

#include "platform/Export.h"
#include "platform/ui/TWindow.h"

namespace platform::ui {

class TSplitter;
namespace automation {
// Drags the bar, as a user would, so that it starts at x (pane pixels).
PLATFORM_API void DragSplitter(TSplitter& splitter, std::int32_t x);
} // namespace automation

// A pane that holds two child windows side by side with a bar between them
// that the user drags to share the width anew. Resizing the pane keeps the
// shares. The children are created with the pane as their parent.
class PLATFORM_API TSplitter : public TWindow {
public:
    explicit TSplitter(TWindow* parent, const VEX::String& title = u"Spliter");
    ~TSplitter() override;

    // Puts the two windows left and right, `leftShare` of the width to the left.
    void Split(TWindow& left, TWindow& right, double leftShare = 0.5);
    // The left window's width in pixels (0 before Split).
    std::int32_t SplitPosition() const;
    // The bar's handle, in the pane's client pixels.
    TRect HandleRect() const;

protected:
    void EvSize(std::uint32_t sizeType, const TSize& size) override;

private:
    friend void automation::DragSplitter(TSplitter& splitter, std::int32_t x);
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace platform::ui
