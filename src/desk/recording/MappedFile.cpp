#include "desk/recording/MappedFile.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "desk/recording/Recording.h"

namespace Desk {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& what, int error)
{
    throw RecordingError(path.string() + ": " + what + ": " + std::strerror(error));
}

// Closes the descriptor on every path out of the constructor; the mapping
// stays valid without it.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

MappedFile::MappedFile(const std::filesystem::path& path) : path_(path)
{
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        Fail(path, "cannot open", errno);
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        Fail(path, "cannot read its size", errno);
    }
    if (!S_ISREG(info.st_mode)) {
        throw RecordingError(path.string() + ": not a regular file");
    }
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ == 0) {
        return; // mmap refuses empty lengths; an empty span says it all
    }
    void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd.Get(), 0);
    if (mapped == MAP_FAILED) {
        Fail(path, "cannot map it into memory", errno);
    }
    data_ = static_cast<const std::byte*>(mapped);
}

MappedFile::~MappedFile()
{
    if (data_ != nullptr) {
        ::munmap(const_cast<std::byte*>(data_), size_);
    }
}

} // namespace Desk
