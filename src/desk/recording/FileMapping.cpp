#include "desk/recording/FileMapping.h"

#include <algorithm>
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
// Bytes read through the mapping, and as many copied in pieces, to choose
// between the two: enough to time, few enough that the trial stays a small
// part of a run. Where the mapping is chosen, the pages the trial faulted
// in are the first the reader reads.
constexpr std::size_t kTrialBytes = std::size_t{256} << 10;
constexpr std::size_t kTrialPieceBytes = std::size_t{64} << 10;

double MicrosecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Every byte read, as the detector reads every sample; a plain loop, which
// the compiler vectorises.
std::uint64_t Fold(const std::byte* bytes, std::size_t size)
{
    std::uint64_t folded = 0;
    for (std::size_t at = 0; at + sizeof folded <= size; at += sizeof folded) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        folded ^= word;
    }
    return folded;
}

// The same from the mapping, a block at a time with the bytes ahead asked
// for first, as samples are read from memory.
std::uint64_t FoldAhead(const std::byte* bytes, std::size_t size)
{
    constexpr std::size_t kBlock = 1 << 10;
    std::uint64_t folded = 0;
    for (std::size_t done = 0; done < size; done += kBlock) {
        const std::size_t block = std::min(kBlock, size - done);
        for (std::size_t next = done + kReadAheadBytes; next < std::min(size, done + block + kReadAheadBytes);
             next += kCacheLineBytes) {
            __builtin_prefetch(bytes + next);
        }
        folded ^= Fold(bytes + done, block);
    }
    return folded;
}

// The time to copy the trial's bytes from `from` on with pread and read
// them; the piece's pages are touched first, as the reader's buffer is
// after its first read.
double CopiedMicroseconds(const RecordingFile& file, std::uint64_t from, std::uint64_t& folded)
{
    std::vector<std::byte> piece(kTrialPieceBytes);
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t copied = 0; copied < kTrialBytes; copied += piece.size()) {
        file.ReadAt(from + copied, piece);
        folded ^= Fold(piece.data(), piece.size());
    }
    return MicrosecondsSince(start);
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
    // A file read from disk through a mapping asked for huge pages is read
    // ahead, and kept, in 2 MiB pieces that this and every later run map
    // whole, where plain faults leave small pieces mapped a page at a time:
    // on 96 MB read from disk the faults took 1.3-1.6 ms of CPU instead of
    // 5.0-5.4, and once cached the file maps in 0.5 ms instead of 2.
    // Another hint; pages already cached keep their size.
    ::madvise(begin, static_cast<std::size_t>(file.Size()), MADV_HUGEPAGE);
    std::unique_ptr<FileMapping> mapping(new FileMapping(file, static_cast<const std::byte*>(begin)));
    if (!mapping->guard_.Active() || (read == SampleRead::Chosen && !mapping->ReadingBeatsCopying())) {
        return nullptr;
    }
    return mapping;
}

// Which is cheaper depends on the machine: under some hypervisors every
// fault, and every walk of the page tables, is a trip to the host, and a
// mapped read took twice the time of copying or more; on others mapping
// saves a quarter. So the file's first bytes are read through this mapping,
// faults and all, and the bytes after them are copied, both read by the
// same vectorised loop. A mapping made for the trial alone cost more per
// byte than the whole file's, and reading it a word at a time where the
// copy was read vectorised chose copying on a machine where the mapped run
// took a quarter less time.
bool FileMapping::ReadingBeatsCopying() const
{
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t folded = FoldAhead(begin_, kTrialBytes);
    const double mapped = MicrosecondsSince(start);
    if (cut_.load()) {
        return false;
    }
    const double copied = CopiedMicroseconds(file_, kTrialBytes, folded);
    volatile std::uint64_t keep = folded;
    static_cast<void>(keep);
    return mapped < copied;
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
