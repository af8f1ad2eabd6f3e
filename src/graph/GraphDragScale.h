#pragma once

#include <cstdint>

#include "graph/MessageSender.h"

namespace DUdido1 {

// One axis of a graph as its receivers see it: what the user does to the
// axis scale arrives as messages carrying the axis' identifier
// (kHorizontalScaleId or kVerticalScaleId).
class GraphDragScale : public MessSys::MessageSender {
public:
    explicit GraphDragScale(std::int32_t id) : id_(id) {}
    std::int32_t Id() const { return id_; }

protected:
    void SendBeginDrag();
    void SendEndDrag();
    void SendScalingChanged(double minimum, double maximum);
    void SendAutoScale();

private:
    std::int32_t id_;
};

} // namespace DUdido1
