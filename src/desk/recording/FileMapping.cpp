#include "desk/recording/FileMapping.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <sys/mman.h>

namespace Desk {
namespace {

bool MappingAsked()
{
    const char* read = std::getenv("NEROLITH_SAMPLE_READ");
    return read != nullptr && std::strcmp(read, "map") == 0;
}

} // namespace

std::unique_ptr<FileMapping> FileMapping::Map(const RecordingFile& file)
{
    if (file.Size() == 0 || file.Size() > SIZE_MAX || !MappingAsked()) {
        return nullptr;
    }
    void* begin = ::mmap(nullptr, static_cast<std::size_t>(file.Size()), PROT_READ, MAP_SHARED, file.Descriptor(), 0);
    if (begin == MAP_FAILED) {
        return nullptr;
    }
    // Channels are read front to back: a larger read-ahead, and pages behind
    // the reader may go first. Only a hint; failing it changes nothing.
    ::madvise(begin, static_cast<std::size_t>(file.Size()), MADV_SEQUENTIAL);
    std::unique_ptr<FileMapping> mapping(new FileMapping(file, static_cast<const std::byte*>(begin)));
    return mapping->guard_.Active() ? std::move(mapping) : nullptr;
}

FileMapping::FileMapping(const RecordingFile& file, const std::byte* begin)
    : file_(file), begin_(begin), size_(static_cast<std::size_t>(file.Size())), guard_(begin, size_, cut_)
{
}

FileMapping::~FileMapping() { ::munmap(const_cast<std::byte*>(begin_), size_); }

void FileMapping::ThrowIfCut() const
{
    if (cut_.load(std::memory_order_acquire)) {
        file_.ThrowChanged(file_.CurrentSize());
    }
}

} // namespace Desk
