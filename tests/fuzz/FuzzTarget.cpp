#include "FuzzTarget.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace Fuzz {
namespace {

void RemoveScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

} // namespace

const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("nerolith-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit(RemoveScratchFolder);
        return path;
    }();
    return folder;
}

std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = ScratchFolder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path.string();
}

} // namespace Fuzz
