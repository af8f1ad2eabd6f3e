#pragma once

// platform/ is a shared library used by the host and by the module, which is
// built with hidden visibility; what it offers must stay visible to both.
#define PLATFORM_API __attribute__((visibility("default")))
