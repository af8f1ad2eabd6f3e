#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/IEnumEventEx.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Reads an event enumerator a batch at a time and hands out the generic
// header of each record, whatever the record size.
class EventPuller {
public:
    explicit EventPuller(ComPtr<IEnumEventEx> events);

    // The next event not yet taken, once the enumerator has reported it.
    const Host::EventHeader* Peek();
    void Pop() { ++next_; }
    // Every event before this tick has been reported (INT_MAX once the
    // enumerator is exhausted).
    std::int32_t ReportedBefore() const { return reportedBefore_; }
    // The enumerator failed or hands out records too small to hold a header.
    bool Broken() const { return broken_; }

private:
    void Fetch();

    ComPtr<IEnumEventEx> events_;
    std::int32_t eventSize_;
    std::vector<std::byte> raw_;
    std::vector<Host::EventHeader> headers_;
    std::size_t next_ = 0;
    std::int32_t reportedBefore_ = 0;
    bool exhausted_ = false;
    bool broken_ = false;
};

} // namespace Desk
