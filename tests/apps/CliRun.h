#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace CliRun {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder of its own for one test, removed when the test ends.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& file) const { return (path_ / file).string(); }

private:
    std::filesystem::path path_;
};

// Runs the command-line program beside the test program, as a script does,
// with a time limit of `seconds`; status 124 tells the limit was reached.
inline Outcome Nerolith(const std::string& arguments, int seconds = 120)
{
    const ScratchFolder folder("nerolith-run");
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "nerolith";
    const std::string command = "timeout " + std::to_string(seconds) + " " + program.string() + " " + arguments +
                                " >" + folder / "out" + " 2>" + folder / "err" + " </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(folder / "out"), ReadFile(folder / "err")};
}

} // namespace CliRun
