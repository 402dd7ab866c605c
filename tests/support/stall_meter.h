#pragma once
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>

// Measures how long the thread it lives on is kept from its event loop: a fast timer notes the
// gap between its ticks, less the time the thread stood ready while the machine ran others.
// So a loaded machine does not count, but our own work and our own waiting do.
class StallMeter : public QObject {
  public:
    explicit StallMeter(std::chrono::milliseconds interval = std::chrono::milliseconds(5));
    void Start();
    void Stop();
    // The longest gap between two ticks beyond the timer's interval, in the thread's own time.
    std::chrono::milliseconds Longest() const;
    int Ticks() const { return ticks_; }

  private:
    void Tick();

    QTimer timer_;
    std::chrono::milliseconds interval_;
    std::int64_t lastOwnNs_ = 0;
    std::int64_t longestNs_ = 0;
    int ticks_ = 0;
};

// Time since an arbitrary start that this thread spent running or sleeping, not waiting for a
// processor (the scheduler's run delay taken off); its CPU time where the kernel keeps no delay.
std::int64_t OwnThreadTimeNs();
