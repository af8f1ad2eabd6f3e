#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace Desk {

// A recording's file, open for reading at any offset. It is read through
// pread rather than mapped: a file that shrinks while open then gives a
// short read, reported as an error, where a mapping would kill the program
// with SIGBUS. Only regular files are opened, and the open never waits (a
// FIFO would block it forever). Throws RecordingError naming the file.
class RecordingFile {
public:
    explicit RecordingFile(const std::filesystem::path& path);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // The size when the file was opened.
    std::uint64_t Size() const { return size_; }
    const std::filesystem::path& Path() const { return path_; }

    // Fills `out` from `offset`; throws "the recording ... changed while it
    // was read" when the file no longer holds those bytes.
    void ReadAt(std::uint64_t offset, std::span<std::byte> out) const;
    // The first `count` bytes (all of them when the file is shorter).
    std::vector<std::byte> ReadStart(std::uint64_t count) const;

private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace Desk
