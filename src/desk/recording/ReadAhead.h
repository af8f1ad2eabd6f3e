#pragma once

#include <cstddef>

namespace Desk {

// How far ahead of the bytes at hand a reader of memory the processor has
// not read yet asks for the next ones (8 KiB did best of 1 to 16 on a
// mapped file), and the bytes one request brings.
inline constexpr std::size_t kReadAheadBytes = std::size_t{8} << 10;
inline constexpr std::size_t kCacheLineBytes = 64;

} // namespace Desk
