#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace Desk {

// A whole file mapped read-only into memory, so a recording larger than
// memory is paged in only where it is read. Throws RecordingError naming
// the file when it cannot be opened or mapped.
class MappedFile {
public:
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const std::byte> Bytes() const { return {data_, size_}; }
    std::uint64_t Size() const { return size_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    const std::byte* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace Desk
