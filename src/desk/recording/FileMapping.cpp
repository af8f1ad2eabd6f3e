#include "desk/recording/FileMapping.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/mman.h>

namespace Desk {
namespace {

enum class SampleRead { Chosen, Map, Copy };

SampleRead AskedRead()
{
    const char* read = std::getenv("NEROLITH_SAMPLE_READ");
    if (read != nullptr && std::strcmp(read, "map") == 0) {
        return SampleRead::Map;
    }
    if (read != nullptr && std::strcmp(read, "copy") == 0) {
        return SampleRead::Copy;
    }
    return SampleRead::Chosen;
}

// Smaller files are copied: the time the choice takes would be most of
// what it could save.
constexpr std::uint64_t kChosenFromBytes = std::uint64_t{16} << 20;
// Bytes touched in the map, and as many copied in pieces as large as the
// copying reader's, to choose between them.
constexpr std::size_t kTrialBytes = std::size_t{1} << 20;
constexpr std::size_t kTrialPieceBytes = std::size_t{256} << 10;
constexpr std::size_t kPageBytes = 4096;

double MicrosecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

std::unique_ptr<FileMapping> FileMapping::Map(const RecordingFile& file)
{
    const SampleRead read = AskedRead();
    if (file.Size() == 0 || file.Size() > SIZE_MAX || read == SampleRead::Copy ||
        (read == SampleRead::Chosen && file.Size() < kChosenFromBytes)) {
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
    if (!mapping->guard_.Active() || (read == SampleRead::Chosen && !mapping->TouchingBeatsCopying())) {
        return nullptr;
    }
    return mapping;
}

// The first touch of a mapped page costs a fault; a copy costs the kernel's
// copy out of the page cache. Which is cheaper depends on the machine:
// under some hypervisors every fault is a trip to the host and mapping
// took nearly twice the time of copying, on others it saves a quarter. So
// both are timed on as many bytes of the file, after one page and one
// piece have paid for what only the first fault and the first read cost.
// Unmapping later adds about half the faults' cost again, but the mapped
// samples are then read without a copy: the two about even out.
bool FileMapping::TouchingBeatsCopying() const
{
    unsigned touched = std::to_integer<unsigned>(begin_[0]);
    const auto touching = std::chrono::steady_clock::now();
    for (std::size_t offset = kPageBytes; offset < kPageBytes + kTrialBytes; offset += kPageBytes) {
        touched += std::to_integer<unsigned>(begin_[offset]);
    }
    const double touchMicroseconds = MicrosecondsSince(touching);
    volatile unsigned keep = touched;
    static_cast<void>(keep);

    std::vector<std::byte> piece(kTrialPieceBytes);
    std::uint64_t offset = kPageBytes + kTrialBytes;
    file_.ReadAt(offset, piece);
    const auto copying = std::chrono::steady_clock::now();
    for (std::size_t copied = 0; copied < kTrialBytes; copied += piece.size()) {
        offset += piece.size();
        file_.ReadAt(offset, piece);
    }
    return touchMicroseconds < MicrosecondsSince(copying);
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
