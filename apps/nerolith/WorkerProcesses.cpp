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

struct Worker {
    pid_t pid = -1;
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
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
    Worker worker{-1, TemporaryFile(), TemporaryFile()};
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

// Waits for the worker, passes its output on; true when it succeeded.
bool Finish(const Worker& worker)
{
    int raw = 0;
    while (::waitpid(worker.pid, &raw, 0) < 0 && errno == EINTR) {
    }
    CopyAndClose(worker.out, stdout);
    std::fflush(stdout);
    CopyAndClose(worker.err, stderr);
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0;
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
        if (next < count && running.size() < std::max<std::size_t>(parallel, 1)) {
            try {
                running.push_back(Start(next++, job));
            } catch (...) {
                // Those started still pass their output on.
                for (const Worker& worker : running) {
                    Finish(worker);
                }
                throw;
            }
            continue;
        }
        succeeded = Finish(running.front()) && succeeded;
        running.pop_front();
    }
    return succeeded;
}

} // namespace Nerolith::Cli
