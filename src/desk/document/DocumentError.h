#pragma once

#include <stdexcept>

namespace Desk {

// A document that cannot be opened or saved: the message names the file and
// what is wrong, ready to be shown to the user as it stands.
class DocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace Desk
