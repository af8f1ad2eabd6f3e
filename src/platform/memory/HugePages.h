#pragma once

#include <cstddef>

#include "platform/Export.h"

namespace platform {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// `bytes` rounded up to whole huge pages.
PLATFORM_API std::size_t WholeHugePages(std::size_t bytes);

// Private anonymous memory for `bytes`, rounded up to whole huge pages and
// aligned to one, so that the system can back all of it with huge pages;
// it is asked to. Null when the system has no memory to give, or `bytes`
// is too large to round up. Given back with UnmapHugePages and the same
// `bytes`.
PLATFORM_API void* MapHugePages(std::size_t bytes);
PLATFORM_API void UnmapHugePages(void* memory, std::size_t bytes);

} // namespace platform
