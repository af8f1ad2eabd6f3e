#pragma once

#include <cstddef>
#include <optional>

namespace Nerolith::Cli {

// The line between the parent and one worker process: a Unix socket pair.
// The parent hands a job over with the two files its output goes to (the
// descriptors travel with the message, so the parent keeps what a job
// printed even if its worker dies); the worker answers with the job's exit
// status.
struct WorkerSocket {
    int parentEnd = -1;
    int workerEnd = -1;

    // Throws when the system has no socket to give.
    static WorkerSocket Open();
};

struct HandedJob {
    std::size_t index = 0;
    int out = -1; // owned by the receiver
    int err = -1;
};

// False when the worker is gone. Never raises SIGPIPE.
bool SendJob(int socket, std::size_t index, int out, int err);
// Nothing when the parent closed its end: no more jobs.
std::optional<HandedJob> ReceiveJob(int socket);

bool SendStatus(int socket, int status);
// Nothing when the worker ended without answering.
std::optional<int> ReceiveStatus(int socket);

} // namespace Nerolith::Cli
