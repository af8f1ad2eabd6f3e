#include "graph/GraphDragScale.h"

#include "graph/GraphMessages.h"

namespace DUdido1 {

void GraphDragScale::SendBeginDrag()
{
    MsgBeginDrag message(id_);
    Send(message);
}

void GraphDragScale::SendEndDrag()
{
    MsgEndDrag message(id_);
    Send(message);
}

void GraphDragScale::SendScalingChanged(double minimum, double maximum)
{
    MsgScalingChanged message(id_);
    message.minimum = minimum;
    message.maximum = maximum;
    Send(message);
}

void GraphDragScale::SendAutoScale()
{
    MsgAutoScale message(id_);
    Send(message);
}

} // namespace DUdido1
