#pragma once

#include <vector>

#include "host/IClassRegistrar.h"

namespace Nerolith {

// What one folder of the module hands to registration, so that registration
// needs none of its internals: the windows it installs into the document's
// hooks (and the static class objects it constructs, which join the class
// object list), and the view classes it registers under the document class.
struct FolderClasses {
    void (*install)();
    std::vector<Host::ClassRegistration> (*viewClasses)(const CLSID& documentClass);
};

} // namespace Nerolith
