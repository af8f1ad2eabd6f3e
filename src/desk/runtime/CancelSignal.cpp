#include "desk/runtime/CancelSignal.h"

#include <atomic>
#include <csignal>

namespace Desk {
namespace {

std::atomic<bool> gRequested{false};

void OnInterrupt(int) { gRequested = true; }

} // namespace

CancelSignal::CancelSignal() : previous_(std::signal(SIGINT, OnInterrupt)) {}

CancelSignal::~CancelSignal() { std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_); }

bool CancelSignal::Requested() { return gRequested; }
void CancelSignal::Request() { gRequested = true; }
void CancelSignal::Clear() { gRequested = false; }

} // namespace Desk
