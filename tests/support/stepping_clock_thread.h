#pragma once
#include <chrono>

#include "search/search_thread.h"

// A walk whose clock moves on by a fixed step each time it is read, so that when it hands
// over depends on how much it has read, not on how fast the machine is.
class SteppingClockThread : public TSearchThread {
  public:
    SteppingClockThread(SearchRequest request, SearchSink& sink, std::chrono::milliseconds step)
        : TSearchThread(std::move(request), sink), step_(step) {}
    std::chrono::milliseconds Elapsed() const { return elapsed_; }

  protected:
    std::chrono::steady_clock::time_point Now() const override {
        elapsed_ += step_;
        return std::chrono::steady_clock::time_point(elapsed_);
    }

  private:
    std::chrono::milliseconds step_;
    mutable std::chrono::milliseconds elapsed_{0};
};
