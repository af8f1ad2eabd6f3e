#pragma once

#include <cstddef>
#include <functional>

namespace Nerolith::Cli {

// How many workers run at once: the cores this process may run on.
std::size_t UsableCores();

// Runs job(0) .. job(count - 1) in at most `parallel` worker processes,
// each taking the next job when it is done with one, and writes what each printed on stdout and stderr
// to this process's streams in job order, so the output is the one running
// them one after another gives. A job returns its exit status; it must
// leave its process fit for the next job. A job whose worker dies fails,
// keeping what it printed, and a new worker takes the rest. Returns true
// when every job returned 0.
//
// Processes rather than threads: each job opens a session of its own, and
// the module keeps process-wide state (its class objects and document
// windows) that was never meant to be shared between threads.
bool RunInWorkerProcesses(std::size_t count, std::size_t parallel, const std::function<int(std::size_t)>& job);

} // namespace Nerolith::Cli
