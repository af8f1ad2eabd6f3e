#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::filesystem::path ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the command-line program the way a script does and collects its
// exit status, standard output and standard error.
Outcome Nerolith(const std::string& arguments)
{
    const auto folder = std::filesystem::temp_directory_path() / ("nerolith-cli-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string command = (ProgramFolder() / "nerolith").string() + " " + arguments + " >" +
                                (folder / "out").string() + " 2>" + (folder / "err").string() + " </dev/null";
    const int raw = std::system(command.c_str());
    Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(folder / "out"), ReadFile(folder / "err")};
    std::filesystem::remove_all(folder);
    return run;
}

} // namespace

TEST(CommandLine, ExitStatusTellsSuccessBadInputAndUsageApart)
{
    const Outcome sources = Nerolith("sources demo");
    EXPECT_EQ(sources.status, 0);
    EXPECT_EQ(sources.out, "Stimulus\n");

    const Outcome missing = Nerolith("sources /nonexistent/recording.json");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("nerolith: ", 0), 0u) << missing.err;
    EXPECT_NE(missing.err.find("/nonexistent/recording.json"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    EXPECT_EQ(Nerolith("").status, 2);
    EXPECT_EQ(Nerolith("sources").status, 2);
    EXPECT_EQ(Nerolith("frobnicate demo").status, 2);
}

TEST(CommandLine, TheWrittenDemoOffersWhatTheBuiltInOneOffers)
{
    const auto folder = std::filesystem::temp_directory_path() / ("nerolith-demo-" + std::to_string(getpid()));
    ASSERT_EQ(Nerolith("gen-demo " + folder.string()).status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "demo.truth.tsv"));
    const Outcome written = Nerolith("analyze " + (folder / "demo.json").string());
    const Outcome builtIn = Nerolith("analyze demo");
    std::filesystem::remove_all(folder);
    ASSERT_EQ(written.status, 0) << written.err;
    ASSERT_EQ(builtIn.status, 0) << builtIn.err;
    // Everything but the first line, which names where the recording is.
    EXPECT_EQ(written.out.substr(written.out.find('\n')), builtIn.out.substr(builtIn.out.find('\n')));
}
