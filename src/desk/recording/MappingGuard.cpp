#include "desk/recording/MappingGuard.h"

#include <array>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <sys/mman.h>
#include <unistd.h>

namespace Desk {
namespace {

// Read by the signal handler: only lock-free atomics, no allocation.
struct Slot {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::atomic<bool>*> cut{nullptr};
};

constexpr std::size_t kSlots = 64;
std::array<Slot, kSlots> slots;
struct sigaction previous {};

void PassOn(int signal, siginfo_t* info, void* context)
{
    if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
        previous.sa_sigaction(signal, info, context);
        return;
    }
    if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
        return;
    }
    // Back to the default, which ends the process as it would have ended
    // without this guard.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& slot : slots) {
        std::atomic<bool>* cut = slot.cut.load(std::memory_order_acquire);
        const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = slot.end.load(std::memory_order_acquire);
        if (cut == nullptr || address < begin || address >= end) {
            continue;
        }
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const std::uintptr_t first = address & ~(page - 1);
        // Everything past the fault is gone from the file too: one mapping
        // of zeros instead of a signal per page.
        void* zeros = ::mmap(reinterpret_cast<void*>(first), end - first, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros == MAP_FAILED) {
            break;
        }
        cut->store(true, std::memory_order_release);
        return;
    }
    PassOn(signal, info, context);
}

void InstallOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &previous);
    });
}

} // namespace

MappingGuard::MappingGuard(const std::byte* begin, std::size_t size, std::atomic<bool>& cut)
{
    InstallOnce();
    const auto first = reinterpret_cast<std::uintptr_t>(begin);
    for (std::size_t i = 0; i < kSlots; ++i) {
        std::uintptr_t free = 0;
        // The handler looks at a slot only once its flag is set, last.
        if (slots[i].begin.compare_exchange_strong(free, first)) {
            slots[i].end.store(first + size);
            slots[i].cut.store(&cut);
            slot_ = static_cast<int>(i);
            return;
        }
    }
}

MappingGuard::~MappingGuard()
{
    if (slot_ >= 0) {
        Slot& slot = slots[static_cast<std::size_t>(slot_)];
        slot.cut.store(nullptr);
        slot.end.store(0);
        slot.begin.store(0);
    }
}

} // namespace Desk
