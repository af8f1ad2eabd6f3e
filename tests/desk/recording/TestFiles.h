#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace RecordingTest {

// A folder of its own for one test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path()
            / ("nerolith-recording-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        // A process that died earlier with the same id may have left fifos
        // here, and writing into one waits for ever.
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// Drops the file's pages from the page cache, so that the next read comes
// from disk, as a recording's first read does.
inline void Evict(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(descriptor, 0) << path;
    ::fdatasync(descriptor);
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
    ::close(descriptor);
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace Detail {
inline bool NamesFile(const std::string& line, const std::string& name)
{
    return line.size() >= name.size() && line.compare(line.size() - name.size(), name.size(), name) == 0;
}
} // namespace Detail

// Whether the process has `file` mapped.
inline bool Mapped(const std::filesystem::path& file)
{
    std::ifstream maps("/proc/self/maps");
    const std::string name = std::filesystem::canonical(file).string();
    for (std::string line; std::getline(maps, line);) {
        if (Detail::NamesFile(line, name)) {
            return true;
        }
    }
    return false;
}

// The kernel's flags for the process's first mapping of `file`, as
// " rd sh mr mw me sr hg ", each between spaces; empty when it has none.
inline std::string MappingFlags(const std::filesystem::path& file)
{
    std::ifstream smaps("/proc/self/smaps");
    const std::string name = std::filesystem::canonical(file).string();
    bool found = false;
    for (std::string line; std::getline(smaps, line);) {
        found = found || Detail::NamesFile(line, name);
        // Each mapping's lines end with its flags.
        if (found && line.starts_with("VmFlags:")) {
            return line.substr(line.find(':') + 1) + " ";
        }
    }
    return {};
}

// The public test data beside the project; empty when this clone has none.
inline std::filesystem::path SharedData(const std::string& relative)
{
    const std::filesystem::path path = std::filesystem::path(NEROLITH_SHARED_DATA) / relative;
    return std::filesystem::exists(path) ? path : std::filesystem::path();
}

} // namespace RecordingTest
