#include "FuzzTarget.h"

#include <fstream>
#include <unistd.h>

namespace Fuzz {
namespace {

// Made on first use; removed when the process ends, as statics are
// destroyed.
class OwnFolder {
public:
    OwnFolder()
        : path_(std::filesystem::temp_directory_path() / ("nerolith-fuzz-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~OwnFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

const std::filesystem::path& ScratchFolder()
{
    static const OwnFolder folder;
    return folder.Path();
}

std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = ScratchFolder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path.string();
}

} // namespace Fuzz
