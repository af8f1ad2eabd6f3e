#include "WorkerProcesses.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Nerolith::Cli {
namespace {

// The status of a worker whose end could not be learnt: a failure.
constexpr int kLost = 1 << 8;

struct Worker {
    pid_t pid = -1;
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
    bool ended = false;
    int status = 0; // as waitpid gives it, once ended
};

std::FILE* TemporaryFile()
{
    std::FILE* file = std::tmpfile();
    if (file == nullptr) {
        throw std::runtime_error(std::string("cannot make a temporary file for a worker: ") + std::strerror(errno));
    }
    return file;
}

[[noreturn]] void RunChild(const Worker& worker, std::size_t index, const std::function<int(std::size_t)>& job)
{
    int status = 1;
    // Nothing may leave this function: the child would go on running the
    // parent's loop.
    try {
        if (::dup2(::fileno(worker.out), STDOUT_FILENO) >= 0 && ::dup2(::fileno(worker.err), STDERR_FILENO) >= 0) {
            status = job(index);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nerolith: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "nerolith: a worker failed\n");
    }
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    // Skips the static destructors: they belong to the parent's state.
    ::_exit(std::cout.good() ? status : 1);
}

Worker Start(std::size_t index, const std::function<int(std::size_t)>& job)
{
    Worker worker{-1, TemporaryFile(), TemporaryFile(), false, 0};
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    worker.pid = ::fork();
    if (worker.pid == 0) {
        RunChild(worker, index, job);
    }
    if (worker.pid < 0) {
        const int error = errno;
        std::fclose(worker.out);
        std::fclose(worker.err);
        throw std::runtime_error(std::string("cannot start a worker process: ") + std::strerror(error));
    }
    return worker;
}

void CopyAndClose(std::FILE* from, std::FILE* to)
{
    std::rewind(from);
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, from)) > 0;) {
        std::fwrite(buffer, 1, got, to);
    }
    std::fclose(from);
}

// Waits for the worker unless it has ended, passes its output on; true
// when it succeeded.
bool Finish(Worker& worker)
{
    while (!worker.ended) {
        if (::waitpid(worker.pid, &worker.status, 0) >= 0) {
            worker.ended = true;
        } else if (errno != EINTR) {
            worker.ended = true;
            worker.status = kLost;
        }
    }
    CopyAndClose(worker.out, stdout);
    std::fflush(stdout);
    CopyAndClose(worker.err, stderr);
    return WIFEXITED(worker.status) && WEXITSTATUS(worker.status) == 0;
}

// Waits until any of the running workers ends and notes its status.
void AwaitAnyEnd(std::deque<Worker>& running)
{
    int status = 0;
    const pid_t pid = ::waitpid(-1, &status, 0);
    if (pid < 0 && errno != EINTR) {
        // None left to wait for: whatever still counts as running was lost.
        for (Worker& worker : running) {
            worker.status = worker.ended ? worker.status : kLost;
            worker.ended = true;
        }
        return;
    }
    for (Worker& worker : running) {
        if (worker.pid == pid) {
            worker.ended = true;
            worker.status = status;
        }
    }
}

std::size_t StillRunning(const std::deque<Worker>& running)
{
    return static_cast<std::size_t>(
        std::count_if(running.begin(), running.end(), [](const Worker& worker) { return !worker.ended; }));
}

} // namespace

std::size_t UsableCores()
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) != 0) {
        return 1;
    }
    return static_cast<std::size_t>(std::max(1, CPU_COUNT(&cores)));
}

bool RunInWorkerProcesses(std::size_t count, std::size_t parallel, const std::function<int(std::size_t)>& job)
{
    std::deque<Worker> running;
    bool succeeded = true;
    for (std::size_t next = 0; next < count || !running.empty();) {
        // Output goes out in job order; a worker that ended early waits its
        // turn while the next job takes its core.
        while (!running.empty() && running.front().ended) {
            succeeded = Finish(running.front()) && succeeded;
            running.pop_front();
        }
        if (next < count && StillRunning(running) < std::max<std::size_t>(parallel, 1)) {
            try {
                running.push_back(Start(next++, job));
            } catch (...) {
                // Those started still pass their output on.
                for (Worker& worker : running) {
                    Finish(worker);
                }
                throw;
            }
        } else if (!running.empty()) {
            AwaitAnyEnd(running);
        }
    }
    return succeeded;
}

} // namespace Nerolith::Cli
