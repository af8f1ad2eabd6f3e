#include "desk/recording/FileMapping.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/mman.h>

#include "desk/recording/ReadAhead.h"

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
// Bytes read through a mapping of their own, and as many copied in pieces,
// to choose between the two: enough to time, few enough that the trial's
// own faults stay a small part of a run.
constexpr std::size_t kTrialBytes = std::size_t{256} << 10;
constexpr std::size_t kTrialPieceBytes = std::size_t{64} << 10;

double MicrosecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Every byte read, as the detector reads every sample, and from the
// mapping asked for ahead, as samples are read from it.
std::uint64_t ReadEvery(const std::byte* bytes, std::size_t size, bool readAhead)
{
    std::uint64_t folded = 0;
    for (std::size_t at = 0; at + sizeof folded <= size; at += sizeof folded) {
        if (readAhead && at % kCacheLineBytes == 0 && at + kReadAheadBytes < size) {
            __builtin_prefetch(bytes + at + kReadAheadBytes);
        }
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        folded ^= word;
    }
    return folded;
}

// The time to map the trial's bytes from `offset`, read them and unmap
// them: faults, page walks and unmapping, all a mapped read pays per byte.
// Negative when the trial mapping cannot be made or guarded, or the file
// was cut short under it.
double MappedMicroseconds(const RecordingFile& file, std::uint64_t offset, std::uint64_t& folded)
{
    const auto start = std::chrono::steady_clock::now();
    void* begin = ::mmap(nullptr, kTrialBytes, PROT_READ, MAP_SHARED, file.Descriptor(), static_cast<off_t>(offset));
    if (begin == MAP_FAILED) {
        return -1.0;
    }
    std::atomic<bool> cut{false};
    bool guarded = false;
    {
        const MappingGuard guard(static_cast<const std::byte*>(begin), kTrialBytes, cut);
        guarded = guard.Active();
        if (guarded) {
            folded ^= ReadEvery(static_cast<const std::byte*>(begin), kTrialBytes, true);
        }
    }
    ::munmap(begin, kTrialBytes);
    const double microseconds = MicrosecondsSince(start);
    return guarded && !cut.load() ? microseconds : -1.0;
}

// The time to copy as many bytes from `offset` with pread and read them;
// the piece's pages are touched first, as the reader's buffer is after its
// first read.
double CopiedMicroseconds(const RecordingFile& file, std::uint64_t offset, std::uint64_t& folded)
{
    std::vector<std::byte> piece(kTrialPieceBytes);
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t copied = 0; copied < kTrialBytes; copied += piece.size()) {
        file.ReadAt(offset + copied, piece);
        folded ^= ReadEvery(piece.data(), piece.size(), false);
    }
    return MicrosecondsSince(start);
}

// Which is cheaper depends on the machine: under some hypervisors every
// fault, and every walk of the page tables, is a trip to the host, and a
// mapped read took twice the time of copying or more; on others mapping
// saves a quarter. So a part of the file is read both ways.
bool MappingBeatsCopying(const RecordingFile& file)
{
    std::uint64_t folded = 0;
    const double mapped = MappedMicroseconds(file, 0, folded);
    const double copied = CopiedMicroseconds(file, kTrialBytes, folded);
    volatile std::uint64_t keep = folded;
    static_cast<void>(keep);
    return mapped >= 0.0 && mapped < copied;
}

} // namespace

std::unique_ptr<FileMapping> FileMapping::Map(const RecordingFile& file)
{
    const SampleRead read = AskedRead();
    if (file.Size() == 0 || file.Size() > SIZE_MAX || read == SampleRead::Copy ||
        (read == SampleRead::Chosen && (file.Size() < kChosenFromBytes || !MappingBeatsCopying(file)))) {
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
    if (!mapping->guard_.Active()) {
        return nullptr;
    }
    return mapping;
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
