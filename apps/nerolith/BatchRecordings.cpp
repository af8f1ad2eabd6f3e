#include "BatchRecordings.h"

#include <glob.h>

#include <set>
#include <stdexcept>

namespace Nerolith::Cli {
namespace {

bool IsPattern(const std::string& text)
{
    return text.find_first_of("*?[") != std::string::npos;
}

std::vector<std::string> Matches(const std::string& pattern)
{
    glob_t found{};
    const int status = ::glob(pattern.c_str(), 0, nullptr, &found);
    std::vector<std::string> paths;
    if (status == 0) {
        paths.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
    }
    ::globfree(&found);
    if (paths.empty()) {
        throw std::runtime_error(pattern + ": no recording matches");
    }
    return paths;
}

} // namespace

std::vector<std::string> ExpandRecordings(const std::vector<std::string>& arguments)
{
    std::vector<std::string> recordings;
    for (const std::string& argument : arguments) {
        if (IsPattern(argument) && !std::filesystem::exists(argument)) {
            const std::vector<std::string> matches = Matches(argument);
            recordings.insert(recordings.end(), matches.begin(), matches.end());
        } else {
            recordings.push_back(argument);
        }
    }
    return recordings;
}

std::vector<std::filesystem::path> ResultFolders(const std::vector<std::string>& recordings,
                                                 const std::filesystem::path& out)
{
    std::set<std::string> taken;
    std::vector<std::filesystem::path> folders;
    for (const std::string& recording : recordings) {
        const std::string stem = std::filesystem::path(recording).stem().string();
        std::string name = stem;
        for (int suffix = 2; !taken.insert(name).second; ++suffix) {
            name = stem + "-" + std::to_string(suffix);
        }
        folders.push_back(out / name);
    }
    return folders;
}

} // namespace Nerolith::Cli
