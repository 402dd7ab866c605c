#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>

// Blocks the calling thread has read from devices so far; -1 where the system keeps no count.
std::int64_t ThreadBlocksRead();

// Tells whether the calling thread had to wait for the disk: its reads went to the device
// rather than to the page cache. Cheap when nothing was slow: the thread's input count is
// only asked for after a step that took long.
class DiskWaitProbe {
  public:
    using Clock = std::chrono::steady_clock;
    // A step quicker than this never counts as a wait on the disk.
    static constexpr auto kSlowStep = std::chrono::microseconds(200);
    // The count is asked for at most this often: on a busy machine many steps are slow.
    static constexpr auto kAskEvery = std::chrono::milliseconds(10);

    void Start() { started_ = Clock::now(); }
    // Whether the step since Start() read from the device; the first slow step of a thread
    // only learns where its count stands.
    bool Waited();

  private:
    Clock::time_point started_{}, nextAsk_{};
    std::int64_t blocksRead_ = -1; // this thread's blocks read from devices, when last asked
};

// Whether the disk a walk reads keeps its readers waiting, shared by the walk's threads: for
// a while after any of them waited on it.
class DiskPace {
  public:
    static constexpr auto kSlowFor = std::chrono::milliseconds(100);

    explicit DiskPace(bool alwaysSlow = false,
                      std::chrono::steady_clock::duration slowFor = kSlowFor)
        : alwaysSlow_(alwaysSlow), slowFor_(slowFor) {}
    bool Slow() const;
    // Returns whether the disk was quick until now.
    bool MarkSlow();

  private:
    const bool alwaysSlow_;
    const std::chrono::steady_clock::duration slowFor_;
    std::atomic<std::int64_t> slowUntil_{0}; // steady-clock ticks
};
