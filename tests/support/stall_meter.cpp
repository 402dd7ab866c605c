#include "support/stall_meter.h"

#include <algorithm>
#include <ctime>
#include <fstream>

namespace {
std::int64_t Ns(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}
} // namespace

std::int64_t OwnThreadTimeNs() {
    std::ifstream stats("/proc/thread-self/schedstat"); // run time, run delay, time slices
    long long run = 0, delay = 0;
    if (stats >> run >> delay)
        return Ns(CLOCK_MONOTONIC) - delay;
    return Ns(CLOCK_THREAD_CPUTIME_ID);
}

StallMeter::StallMeter(std::chrono::milliseconds interval) : interval_(interval) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(interval_);
    connect(&timer_, &QTimer::timeout, this, &StallMeter::Tick);
}

void StallMeter::Start() {
    lastOwnNs_ = OwnThreadTimeNs();
    timer_.start();
}

void StallMeter::Stop() {
    Tick(); // a stall up to this moment counts as well
    timer_.stop();
}

void StallMeter::Tick() {
    const std::int64_t now = OwnThreadTimeNs();
    const std::int64_t allowed = std::chrono::nanoseconds(interval_).count();
    longestNs_ = std::max(longestNs_, now - lastOwnNs_ - allowed);
    lastOwnNs_ = now;
    ++ticks_;
}

std::chrono::milliseconds StallMeter::Longest() const {
    return std::chrono::milliseconds(longestNs_ / 1'000'000);
}
