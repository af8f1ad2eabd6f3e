#pragma once

namespace MessSys {

// Base of every message the graph library and the views exchange. Receivers
// tell messages apart by their type.
class Message {
public:
    virtual ~Message() = default;
};

} // namespace MessSys
