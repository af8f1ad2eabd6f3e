#pragma once

#include <cstdint>

#include "graph/Message.h"

namespace DUdido1 {

class Queen;

// A queen's position in data units.
struct QueenPosition {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const QueenPosition&, const QueenPosition&) = default;
};

// Sent by a controller when a button is pressed in the plot, before it looks
// for the queen under the pointer.
class MessageQueenControllerTrackBegin : public MessSys::Message {};

// Sent by a controller when the button is released.
class MessageQueenControllerTrackEnd : public MessSys::Message {};

// Sent by a queen whose position changed during or at the end of a drag.
class MessageQueenChanged : public MessSys::Message {
public:
    MessageQueenChanged(const Queen& sender, std::int32_t queenKind, QueenPosition from, QueenPosition to)
        : queen(sender), kind(queenKind), oldPosition(from), newPosition(to)
    {
    }
    const Queen& queen;
    std::int32_t kind;
    QueenPosition oldPosition;
    QueenPosition newPosition;
};

// Sent by a queen when a drag of it ended. A horizontal line's level is the
// y of its position.
class MessageQueenTrackEnd : public MessSys::Message {
public:
    MessageQueenTrackEnd(const Queen& sender, std::int32_t queenKind, QueenPosition finalPosition,
                         QueenPosition finalDragPosition)
        : queen(sender), kind(queenKind), position(finalPosition), dragPosition(finalDragPosition)
    {
    }
    const Queen& queen;
    std::int32_t kind;
    QueenPosition position;
    QueenPosition dragPosition;
};

} // namespace DUdido1
