#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace Desk {

class RecordingFile;

// A 64-bit hash over what identifies a recording's contents, for
// Recording::Fingerprint. Not cryptographic: it tells a document that its
// file was replaced or edited, not that it was tampered with.
class ContentHash {
public:
    void Add(std::span<const std::byte> bytes);
    void Add(std::string_view text);
    void Add(std::uint64_t value);
    // Hashes a file's contents whole when small; for a large one its size,
    // its first and last MiB and 64 pages spread over the rest, so opening a
    // recording larger than memory does not read all of it.
    void AddFileContents(const RecordingFile& file);

    std::uint64_t Value() const;
    // "<kind>:<16 hex digits>"
    std::string Fingerprint(std::string_view kind) const;

private:
    // What Add(bytes) gives for `length` bytes of the file from `offset`,
    // read a piece at a time.
    void AddRange(const RecordingFile& file, std::uint64_t offset, std::uint64_t length);
    void AddWords(std::span<const std::byte> bytes);

    std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

} // namespace Desk
