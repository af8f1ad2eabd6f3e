#include "platform/memory/LargeBuffer.h"

#include <cstdint>
#include <mutex>
#include <vector>
#include <new>
#include <utility>

#include <sys/mman.h>

namespace platform {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this, the few 4 KiB pages cost less than clearing a huge page.
constexpr std::size_t kWorthAHugePage = std::size_t{256} << 10;

std::size_t RoundUp(std::size_t bytes, std::size_t to) { return (bytes + to - 1) / to * to; }

// Mappings given back, kept for the next buffer of the same size: a process
// that analyses channel after channel would otherwise set up its buffers'
// huge pages again for each. A process forked meanwhile finds a kept
// mapping empty: writing to pages shared with its parent would copy them
// 4 KiB at a time, dearer than a fresh huge page.
struct SpareMapping {
    void* mapping = nullptr;
    std::size_t bytes = 0;
};
constexpr std::size_t kSparesKept = 4;

std::mutex& SparesLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<SpareMapping>& Spares()
{
    static std::vector<SpareMapping> spares;
    return spares;
}

void* TakeSpare(std::size_t bytes)
{
    const std::lock_guard guard(SparesLock());
    auto& spares = Spares();
    for (auto spare = spares.begin(); spare != spares.end(); ++spare) {
        if (spare->bytes == bytes) {
            void* mapping = spare->mapping;
            spares.erase(spare);
            ::madvise(mapping, bytes, MADV_KEEPONFORK);
            return mapping;
        }
    }
    return nullptr;
}

void GiveBack(void* mapping, std::size_t bytes)
{
    {
        const std::lock_guard guard(SparesLock());
        if (Spares().size() < kSparesKept && ::madvise(mapping, bytes, MADV_WIPEONFORK) == 0) {
            Spares().push_back({mapping, bytes});
            return;
        }
    }
    ::munmap(mapping, bytes);
}

} // namespace

LargeBuffer::LargeBuffer(std::size_t bytes) : bytes_(bytes)
{
    // No size near the top of the address space survives rounding up.
    if (bytes > SIZE_MAX / 2) {
        throw std::bad_alloc();
    }
    if (bytes >= kWorthAHugePage) {
        // Mapped a huge page larger than needed, so that whole huge pages
        // fit inside it, aligned.
        const std::size_t wanted = RoundUp(bytes, kHugePage);
        void* mapping = TakeSpare(wanted + kHugePage);
        if (mapping == nullptr) {
            mapping = ::mmap(nullptr, wanted + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        }
        if (mapping != MAP_FAILED) {
            mapped_ = mapping;
            mappedBytes_ = wanted + kHugePage;
            const auto start = RoundUp(reinterpret_cast<std::uintptr_t>(mapping), kHugePage);
            data_ = reinterpret_cast<void*>(start);
            ::madvise(data_, wanted, MADV_HUGEPAGE);
            return;
        }
    }
    data_ = ::operator new(bytes == 0 ? 1 : bytes);
}

LargeBuffer::~LargeBuffer() { Free(); }

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)),
      mapped_(std::exchange(other.mapped_, nullptr)), mappedBytes_(std::exchange(other.mappedBytes_, 0))
{
}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept
{
    if (this != &other) {
        Free();
        data_ = std::exchange(other.data_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
        mapped_ = std::exchange(other.mapped_, nullptr);
        mappedBytes_ = std::exchange(other.mappedBytes_, 0);
    }
    return *this;
}

void LargeBuffer::Free()
{
    if (mapped_ != nullptr) {
        GiveBack(mapped_, mappedBytes_);
    } else if (data_ != nullptr) {
        ::operator delete(data_);
    }
    data_ = mapped_ = nullptr;
    bytes_ = mappedBytes_ = 0;
}

} // namespace platform
