#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "graph/Message.h"
#include "graph/PlotFrame.h"
#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

// The messages of the graph library's drawers, scales, windows and menus.
namespace DUdido1 {

// Identifiers the axis scales carry in their messages.
inline constexpr std::int32_t kHorizontalScaleId = 100;
inline constexpr std::int32_t kVerticalScaleId = 101;

// Sent by a 2-D drawer before and after it draws.
class MsgGraph2DDrawerNotifyBeginRedraw : public MessSys::Message {};
class MsgGraph2DDrawerNotifyEndRedraw : public MessSys::Message {};

// Sent by a 2-D drawer when its visible extent changed.
class MsgGraph2DDrawerOnDomainChanged : public MessSys::Message {
public:
    MsgGraph2DDrawerOnDomainChanged(double min, double max) : minimum(min), maximum(max) {}
    double minimum;
    double maximum;
};

class MsgGraph2DDrawerOnRangeChanged : public MessSys::Message {
public:
    MsgGraph2DDrawerOnRangeChanged(double min, double max) : minimum(min), maximum(max) {}
    double minimum;
    double maximum;
};

// Sent by an axis scale when the user starts or ends dragging it.
class MsgBeginDrag : public MessSys::Message {
public:
    explicit MsgBeginDrag(std::int32_t id) : scaleId(id) {}
    std::int32_t scaleId;
};

class MsgEndDrag : public MessSys::Message {
public:
    explicit MsgEndDrag(std::int32_t id) : scaleId(id) {}
    std::int32_t scaleId;
};

// Sent by an axis scale whose extent the user changed, with the new extent.
class MsgScalingChanged : public MessSys::Message {
public:
    explicit MsgScalingChanged(std::int32_t id) : scaleId(id) {}
    std::int32_t scaleId;
    double minimum = 1.0;
    double maximum = 0.0;
};

// Sent by an axis scale whose autoscale button was pressed.
class MsgAutoScale : public MessSys::Message {
public:
    explicit MsgAutoScale(std::int32_t id) : scaleId(id) {}
    std::int32_t scaleId;
};

// Sent by a graph window while the mouse moves over it. Receivers describe
// what lies under the pointer by appending texts to items; the window joins
// them with ", " into its hint text.
class MouseTrackHintMsg : public MessSys::Message {
public:
    MouseTrackHintMsg(const ui::TPoint& clientPoint, const PlotFrame& plotFrame)
        : point(clientPoint), frame(plotFrame), pointer(plotFrame.PointerAt(clientPoint)),
          insidePlot(plotFrame.rect.Contains(clientPoint))
    {
    }
    ui::TPoint point;
    PlotFrame frame;
    PlotPointer pointer;
    bool insidePlot;
    std::vector<VEX::String> items;
};

// Sent by a graph window when the mouse leaves it.
class MouseLeaveMsg : public MessSys::Message {};

// Sent by a graph window when its hint text changed.
class HintTextChangedMsg : public MessSys::Message {
public:
    explicit HintTextChangedMsg(VEX::String hint) : text(std::move(hint)) {}
    VEX::String text;
};

// Sent by a menu to an item's receiver before the menu shows; the receiver
// may change the item's state and text for this showing.
class PreDisplayMenuMessage : public MessSys::Message {
public:
    explicit PreDisplayMenuMessage(std::int32_t itemId) : id(itemId) {}
    std::int32_t id;
    bool shown = true;
    bool enabled = true;
    bool checked = false;
    VEX::String text;
};

// Sent by a menu to the chosen item's receiver.
class OnMenuItemMessage : public MessSys::Message {
public:
    explicit OnMenuItemMessage(std::int32_t itemId) : id(itemId) {}
    std::int32_t id;
};

} // namespace DUdido1
