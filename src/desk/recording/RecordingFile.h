#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace Desk {

// A recording's file, open for reading at any offset. It is read through
// pread: a file that shrinks while open then gives a short read, reported
// as an error (a mapping of it, see FileMapping, reports the same error). Only regular files are opened, and the open never waits (a
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

    // For a mapping of the file (see FileMapping).
    int Descriptor() const { return fd_; }
    // The size now, which may differ from Size() if the file changed.
    std::uint64_t CurrentSize() const;
    // The error of a read that found the file ending at byte `end`.
    [[noreturn]] void ThrowChanged(std::uint64_t end) const;

private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace Desk
