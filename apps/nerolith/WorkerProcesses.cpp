#include "WorkerProcesses.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <iostream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <poll.h>
#include <sched.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "WorkerSocket.h"

namespace Nerolith::Cli {
namespace {

// The status of a job whose worker ended without telling it: a failure.
constexpr int kLost = 1;

// What one job printed, and how it ended.
struct JobOutput {
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
    bool ended = false;
    int status = 0; // the job's exit status, once ended
};

// A worker is handed its next job while it still runs one, so that it goes
// straight on to it rather than wait for this process to answer.
constexpr std::size_t kHandedAtOnce = 2;

struct Worker {
    pid_t pid = -1;
    int socket = -1;              // the parent's end
    std::deque<std::size_t> jobs; // handed and not answered, the running one first
};

std::FILE* TemporaryFile()
{
    std::FILE* file = std::tmpfile();
    if (file == nullptr) {
        throw std::runtime_error(std::string("cannot make a temporary file for a worker: ") + std::strerror(errno));
    }
    return file;
}

void FlushEverything()
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}

// One job in the worker, its output going to the files it came with. The
// streams are left usable for the next job whatever this one did to them.
int RunOne(const HandedJob& handed, const std::function<int(std::size_t)>& job)
{
    int status = 1;
    try {
        if (::dup2(handed.out, STDOUT_FILENO) >= 0 && ::dup2(handed.err, STDERR_FILENO) >= 0) {
            status = job(handed.index);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nerolith: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "nerolith: a worker failed\n");
    }
    FlushEverything();
    if (!std::cout.good() || std::ferror(stdout) != 0) {
        status = 1;
    }
    std::cout.clear();
    std::cerr.clear();
    std::clearerr(stdout);
    std::clearerr(stderr);
    ::close(handed.out);
    ::close(handed.err);
    return status;
}

// The worker's life: jobs, one after another, until the parent has no more.
// A process serves many jobs, so that what it sets up (its heap, its
// buffers' pages, the module's state) is paid for once per core, not once
// per job.
[[noreturn]] void Serve(int socket, const std::function<int(std::size_t)>& job)
{
    // Nothing may leave this function: the worker would go on running the
    // parent's loop.
    try {
        while (const std::optional<HandedJob> handed = ReceiveJob(socket)) {
            if (!SendStatus(socket, RunOne(*handed, job))) {
                break;
            }
        }
    } catch (...) {
    }
    // Skips the static destructors: they belong to the parent's state.
    ::_exit(0);
}

Worker StartWorker(const std::vector<Worker>& others, const std::function<int(std::size_t)>& job)
{
    const WorkerSocket socket = WorkerSocket::Open();
    FlushEverything();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Holding the others' lines open would hide their ends from them.
        for (const Worker& other : others) {
            ::close(other.socket);
        }
        ::close(socket.parentEnd);
        Serve(socket.workerEnd, job);
    }
    const int error = errno;
    ::close(socket.workerEnd);
    if (pid < 0) {
        ::close(socket.parentEnd);
        throw std::runtime_error(std::string("cannot start a worker process: ") + std::strerror(error));
    }
    return {pid, socket.parentEnd, {}};
}

// Waits for the worker to end; its exit status, or kLost when it gave none
// (killed, or its end could not be learnt).
int AwaitEnd(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return kLost;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kLost;
}

// Passes a job's output file on whole. The kernel copies it where it can,
// so a table of millions of lines never passes through this process.
void CopyAndClose(std::FILE* from, std::FILE* to)
{
    std::fflush(to);
    const int source = ::fileno(from);
    const int target = ::fileno(to);
    off_t at = 0;
    struct stat info {};
    if (::fstat(source, &info) == 0) {
        while (at < info.st_size) {
            const ssize_t sent = ::sendfile(target, source, &at, static_cast<std::size_t>(info.st_size - at));
            if (sent <= 0 && !(sent < 0 && errno == EINTR)) {
                break;
            }
        }
    }
    // Where the kernel would not, the rest the ordinary way.
    std::fseek(from, at, SEEK_SET);
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, from)) > 0;) {
        std::fwrite(buffer, 1, got, to);
    }
    std::fclose(from);
}

class WorkerPool {
public:
    WorkerPool(std::size_t count, const std::function<int(std::size_t)>& job) : jobs_(count), job_(job) {}

    ~WorkerPool()
    {
        for (Worker& worker : workers_) {
            Retire(worker);
        }
        for (JobOutput& output : jobs_) {
            for (std::FILE* file : {output.out, output.err}) {
                if (file != nullptr) {
                    std::fclose(file);
                }
            }
        }
    }

    bool Run(std::size_t parallel)
    {
        const std::size_t wanted = std::min(std::max<std::size_t>(parallel, 1), jobs_.size());
        while (written_ < jobs_.size()) {
            StartWorkers(wanted);
            AwaitAnswers();
            PassOnEnded();
        }
        return succeeded_;
    }

private:
    // Each new worker starts on a job before any is handed a second, which
    // would hold up the next fork.
    void StartWorkers(std::size_t wanted)
    {
        while (workers_.size() < wanted && JobsToHand() > 0) {
            try {
                workers_.push_back(StartWorker(workers_, job_));
            } catch (...) {
                // Fewer workers do; with none, say why.
                if (!workers_.empty()) {
                    break;
                }
                PassOnEnded();
                throw;
            }
            HandNextJob(workers_.back());
            std::erase_if(workers_, [](const Worker& worker) { return worker.pid < 0; });
        }
        for (Worker& worker : workers_) {
            HandJobs(worker);
        }
        std::erase_if(workers_, [](const Worker& worker) { return worker.pid < 0; });
    }

    std::size_t JobsToHand() const { return returned_.size() + (jobs_.size() - next_); }

    // Near the end no job waits behind a busy worker: it would leave
    // another worker idle.
    void HandJobs(Worker& worker)
    {
        while (worker.pid >= 0 && JobsToHand() > 0
               && (worker.jobs.empty() || (worker.jobs.size() < kHandedAtOnce && JobsToHand() >= workers_.size()))) {
            HandNextJob(worker);
        }
    }

    // Jobs a lost worker never started go first, so output keeps flowing.
    void HandNextJob(Worker& worker)
    {
        std::size_t index = next_;
        if (returned_.empty()) {
            ++next_;
        } else {
            index = *returned_.begin();
            returned_.erase(returned_.begin());
        }
        JobOutput& output = jobs_[index];
        if (output.out == nullptr) {
            output.out = TemporaryFile();
            output.err = TemporaryFile();
        }
        worker.jobs.push_back(index);
        if (!SendJob(worker.socket, index, ::fileno(output.out), ::fileno(output.err))) {
            Lost(worker);
        }
    }

    // Waits until some worker answers or ends, and deals with each that did.
    void AwaitAnswers()
    {
        std::vector<pollfd> lines;
        for (const Worker& worker : workers_) {
            lines.push_back({worker.socket, POLLIN, 0});
        }
        if (::poll(lines.data(), lines.size(), -1) < 0) {
            if (errno == EINTR) {
                return;
            }
            throw std::runtime_error(std::string("cannot wait for the worker processes: ") + std::strerror(errno));
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].revents != 0) {
                Answered(workers_[i]);
            }
        }
        std::erase_if(workers_, [](const Worker& worker) { return worker.pid < 0; });
    }

    void Answered(Worker& worker)
    {
        const std::optional<int> status = ReceiveStatus(worker.socket);
        if (!status) {
            Lost(worker);
            return;
        }
        EndRunningJob(worker, *status);
        HandJobs(worker);
        if (worker.jobs.empty()) {
            Retire(worker);
        }
    }

    void EndRunningJob(Worker& worker, int status)
    {
        if (worker.jobs.empty()) {
            return;
        }
        jobs_[worker.jobs.front()].ended = true;
        jobs_[worker.jobs.front()].status = status;
        worker.jobs.pop_front();
    }

    // The worker ended without answering: what its job printed stays, and
    // the job failed, with the worker's own exit status where it gave one.
    // The jobs waiting behind it never started: another worker takes them.
    void Lost(Worker& worker)
    {
        ::close(worker.socket);
        worker.socket = -1;
        const int ended = AwaitEnd(worker.pid);
        worker.pid = -1;
        EndRunningJob(worker, ended != 0 ? ended : kLost);
        returned_.insert(worker.jobs.begin(), worker.jobs.end());
        worker.jobs.clear();
    }

    // Closing its line tells the worker there is no more.
    void Retire(Worker& worker)
    {
        if (worker.socket >= 0) {
            ::close(worker.socket);
            worker.socket = -1;
        }
        if (worker.pid >= 0) {
            AwaitEnd(worker.pid);
            worker.pid = -1;
        }
    }

    // Output goes out in job order: a job that ended early waits its turn.
    void PassOnEnded()
    {
        for (; written_ < jobs_.size() && jobs_[written_].ended; ++written_) {
            JobOutput& output = jobs_[written_];
            CopyAndClose(output.out, stdout);
            CopyAndClose(output.err, stderr);
            output.out = output.err = nullptr;
            succeeded_ = succeeded_ && output.status == 0;
        }
    }

    std::vector<JobOutput> jobs_;
    std::vector<Worker> workers_;
    const std::function<int(std::size_t)>& job_;
    std::size_t next_ = 0;           // the first job never handed
    std::set<std::size_t> returned_; // handed to a worker lost before it started them
    std::size_t written_ = 0;
    bool succeeded_ = true;
};

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
    WorkerPool pool(count, job);
    return pool.Run(parallel);
}

} // namespace Nerolith::Cli
