// The worker pool behind "--channel all": what each job printed comes out in
// job order, and a job that fails, throws, spoils its streams or takes its
// worker down fails alone, without losing its output or anyone else's.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <unistd.h>

#include "WorkerProcesses.h"

namespace {

// This process's stdout and stderr, sent to files while it lives.
class CapturedStreams {
public:
    CapturedStreams()
    {
        std::fflush(nullptr);
        for (int i = 0; i < 2; ++i) {
            files_[i] = std::tmpfile();
            saved_[i] = ::dup(i + 1);
            ::dup2(::fileno(files_[i]), i + 1);
        }
    }
    ~CapturedStreams() { Restore(); }

    // What was written to stdout (0) or stderr (1).
    std::string Text(int stream)
    {
        Restore();
        std::rewind(files_[stream]);
        std::string text;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, files_[stream])) > 0;) {
            text.append(buffer, got);
        }
        return text;
    }

private:
    void Restore()
    {
        std::cout.flush();
        std::fflush(nullptr);
        for (int i = 0; i < 2; ++i) {
            if (saved_[i] >= 0) {
                ::dup2(saved_[i], i + 1);
                ::close(saved_[i]);
                saved_[i] = -1;
            }
        }
    }

    std::FILE* files_[2] = {};
    int saved_[2] = {-1, -1};
};

void Say(std::size_t job, const char* what)
{
    std::cout << "out " << job << ' ' << what << '\n';
    std::cerr << "err " << job << ' ' << what << '\n';
}

TEST(WorkerProcesses, OutputComesInJobOrderAndEachFailureStaysWithItsJob)
{
    const auto job = [](std::size_t index) -> int {
        // Early jobs take longest, so later ones end first.
        std::this_thread::sleep_for(std::chrono::milliseconds(5 * (9 - static_cast<int>(index))));
        switch (index) {
        case 1:
            Say(index, "fails");
            return 3;
        case 3:
            Say(index, "throws");
            throw std::runtime_error("job 3 went wrong");
        case 4:
            Say(index, "spoils stdout");
            std::cout.setstate(std::ios::badbit);
            return 0;
        case 6:
            Say(index, "is killed");
            std::cout.flush();
            ::raise(SIGKILL);
            return 0;
        case 7:
            Say(index, "exits");
            std::cout.flush();
            ::_exit(0);
        default:
            Say(index, "works");
            return 0;
        }
    };
    CapturedStreams streams;
    const bool succeeded = Nerolith::Cli::RunInWorkerProcesses(10, 2, job);
    const std::string out = streams.Text(0);
    const std::string err = streams.Text(1);
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(out, "out 0 works\nout 1 fails\nout 2 works\nout 3 throws\nout 4 spoils stdout\nout 5 works\n"
                   "out 6 is killed\nout 7 exits\nout 8 works\nout 9 works\n");
    EXPECT_EQ(err, "err 0 works\nerr 1 fails\nerr 2 works\nerr 3 throws\nnerolith: job 3 went wrong\n"
                   "err 4 spoils stdout\nerr 5 works\nerr 6 is killed\nerr 7 exits\nerr 8 works\nerr 9 works\n");
}

TEST(WorkerProcesses, SucceedsWhenEveryJobDoesWhateverTheNumberOfWorkers)
{
    for (const std::size_t parallel : {0u, 1u, 3u, 20u}) {
        CapturedStreams streams;
        const bool succeeded = Nerolith::Cli::RunInWorkerProcesses(5, parallel, [](std::size_t index) {
            std::cout << index << '\n';
            return 0;
        });
        EXPECT_TRUE(succeeded) << parallel;
        EXPECT_EQ(streams.Text(0), "0\n1\n2\n3\n4\n") << parallel;
    }
}

// However a job fails, the run fails, and the job after it, on the same
// worker or a new one, prints in full.
TEST(WorkerProcesses, ASingleFailureFailsTheRunAndSparesTheNextJob)
{
    const std::function<int()> failures[] = {
        [] { return 1; },
        []() -> int { throw std::runtime_error("thrown"); },
        [] {
            std::cout.setstate(std::ios::badbit);
            return 0;
        },
        []() -> int { ::_exit(0); },
        []() -> int { ::raise(SIGKILL); return 0; },
    };
    for (std::size_t kind = 0; kind < std::size(failures); ++kind) {
        CapturedStreams streams;
        const bool succeeded = Nerolith::Cli::RunInWorkerProcesses(3, 1, [&](std::size_t index) {
            std::cout << index << '\n';
            return index == 1 ? failures[kind]() : 0;
        });
        EXPECT_FALSE(succeeded) << kind;
        const std::string out = streams.Text(0);
        EXPECT_EQ(out.substr(0, 2), "0\n") << kind;
        EXPECT_EQ(out.substr(out.size() - 2), "2\n") << kind;
    }
}

} // namespace
