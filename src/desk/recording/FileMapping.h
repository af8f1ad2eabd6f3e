#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <span>

#include "desk/recording/MappingGuard.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {

// A recording file mapped read-only, so samples are read in place from the
// page cache instead of being copied out of it first. A file cut short
// while mapped does not kill the program (see MappingGuard): the pages it
// lost read as zeros and ThrowIfCut reports the same error a read through
// RecordingFile gives.
class FileMapping {
public:
    // Null where the samples are better copied with pread; every read then
    // goes through RecordingFile. The environment variable
    // NEROLITH_SAMPLE_READ chooses: "map" maps every file, "copy" none;
    // otherwise a file of 16 MiB or more is mapped where reading a part of
    // it through a mapping takes less time than copying as much and reading
    // the copy. Null as well when the file is empty or cannot be mapped or
    // guarded.
    static std::unique_ptr<FileMapping> Map(const RecordingFile& file);
    ~FileMapping();
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    // The file's bytes as they were when it was opened.
    std::span<const std::byte> Bytes() const { return {begin_, size_}; }
    // Throws "the recording ... changed while it was read" once any page of
    // the mapping was found gone; whatever was read from it since may be
    // zeros in place of samples.
    void ThrowIfCut() const;

private:
    FileMapping(const RecordingFile& file, const std::byte* begin);
    bool ReadingBeatsCopying() const;

    const RecordingFile& file_;
    const std::byte* begin_;
    std::size_t size_;
    std::atomic<bool> cut_{false};
    MappingGuard guard_;
};

} // namespace Desk
