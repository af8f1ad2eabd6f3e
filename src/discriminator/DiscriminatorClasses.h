#pragma once

#include "module/FolderClasses.h"

namespace Nerolith {

// What discriminator/ registers: the discriminator view class (class 4)
// and the window the document's OpenView makes for it.
const FolderClasses& DiscriminatorClasses();

} // namespace Nerolith
