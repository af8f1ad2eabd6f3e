#pragma once

namespace Desk {

// Ctrl-C while work with a progress indicator runs is the user's cancel. The
// handler is installed for the lifetime of this object and only sets a flag.
class CancelSignal {
public:
    CancelSignal();
    ~CancelSignal();
    CancelSignal(const CancelSignal&) = delete;
    CancelSignal& operator=(const CancelSignal&) = delete;

    static bool Requested();
    static void Request();
    static void Clear();

private:
    void (*previous_)(int);
};

} // namespace Desk
