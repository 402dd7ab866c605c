#include "platform/disk_wait.h"

#include <sys/resource.h>

std::int64_t ThreadBlocksRead() {
    rusage usage{};
    if (::getrusage(RUSAGE_THREAD, &usage) != 0)
        return -1;
    return usage.ru_inblock;
}

bool DiskWaitProbe::Waited() {
    const Clock::time_point now = Clock::now();
    if (now - started_ < kSlowStep || now < nextAsk_)
        return false;
    nextAsk_ = now + kAskEvery;
    const std::int64_t before = blocksRead_;
    blocksRead_ = ThreadBlocksRead();
    return before >= 0 && blocksRead_ > before;
}

namespace {
std::int64_t Ticks(std::chrono::steady_clock::time_point t) {
    return t.time_since_epoch().count();
}
} // namespace

bool DiskPace::Slow() const {
    return alwaysSlow_ ||
           Ticks(std::chrono::steady_clock::now()) < slowUntil_.load(std::memory_order_relaxed);
}

bool DiskPace::MarkSlow() {
    const bool wasQuick = !Slow();
    slowUntil_.store(Ticks(std::chrono::steady_clock::now() + slowFor_), std::memory_order_relaxed);
    return wasQuick;
}
