#pragma once

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// Running the command-line program as a script does, and reading what it
// wrote back.
namespace RunNerolith {

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

inline int Shell(const std::string& command)
{
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// A folder of its own, removed when it goes out of scope. Each one is
// numbered, since threads of one test may run the program at once.
class Scratch {
public:
    explicit Scratch(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()) + "-" + NextNumber()))
    {
        std::filesystem::create_directories(path_);
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& file) const { return (path_ / file).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    static std::string NextNumber()
    {
        static std::atomic<int> count{0};
        return std::to_string(count++);
    }

    std::filesystem::path path_;
};

inline std::string Program()
{
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "nerolith").string();
}

// Runs `command` with its output in files of `scratch`.
inline Outcome RunIn(const Scratch& scratch, const std::string& command)
{
    const int status = Shell(command + " >" + scratch / "run.out" + " 2>" + scratch / "run.err" + " </dev/null");
    return {status, ReadFile(scratch / "run.out"), ReadFile(scratch / "run.err")};
}

inline Outcome Nerolith(const Scratch& scratch, const std::string& arguments)
{
    return RunIn(scratch, Program() + " " + arguments);
}

// The same in a folder of its own, with a time limit of `seconds`; status
// 124 tells the limit was reached.
inline Outcome Nerolith(const std::string& arguments, int seconds = 120)
{
    const Scratch scratch("nerolith-run");
    return RunIn(scratch, "timeout " + std::to_string(seconds) + " " + Program() + " " + arguments);
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == '\t') {
        fields.emplace_back();
    }
    return fields;
}

inline bool HasPython(const std::string& module)
{
    return Shell("/usr/bin/python3 -c 'import " + module + "' 2>/dev/null") == 0;
}

} // namespace RunNerolith
