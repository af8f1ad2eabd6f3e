#include "desk/recording/RecordingFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "desk/recording/Recording.h"

namespace Desk {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& what, int error)
{
    throw RecordingError(path.string() + ": " + what + ": " + std::strerror(error));
}

} // namespace

RecordingFile::RecordingFile(const std::filesystem::path& path) : path_(path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        Fail(path, "cannot open", errno);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        Fail(path, "cannot read its size", error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw RecordingError(path.string() + ": not a regular file");
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    // Channels are read front to back: a larger read-ahead keeps the reads
    // ahead of the detector. Only a hint; failing it changes nothing.
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

RecordingFile::~RecordingFile() { ::close(fd_); }

void RecordingFile::ReadAt(std::uint64_t offset, std::span<std::byte> out) const
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            Fail(path_, "cannot read", errno);
        }
        if (got == 0) {
            ThrowChanged(offset + done);
        }
        done += static_cast<std::size_t>(got);
    }
}

std::vector<std::byte> RecordingFile::ReadStart(std::uint64_t count) const
{
    std::vector<std::byte> bytes(static_cast<std::size_t>(std::min(count, size_)));
    ReadAt(0, bytes);
    return bytes;
}

std::uint64_t RecordingFile::CurrentSize() const
{
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

void RecordingFile::ThrowChanged(std::uint64_t end) const
{
    throw RecordingError("the recording " + path_.string() + " changed while it was read (it ends at byte "
                         + std::to_string(end) + " of " + std::to_string(size_) + ")");
}

} // namespace Desk
