#pragma once
#include <cstddef>
#include <memory>
#include <span>

struct statx;

// Fetches the details of many entries of one folder side by side through io_uring, so that a
// disk that has to read their inodes has many reads in flight instead of one per thread.
class StatxRing {
  public:
    // None where the kernel offers no io_uring or it is switched off.
    static std::unique_ptr<StatxRing> Make();
    ~StatxRing();
    StatxRing(const StatxRing&) = delete;
    StatxRing& operator=(const StatxRing&) = delete;

    struct Request {
        const char* name; // relative to the folder; stays valid until Run returns
        unsigned mask;
        int result = 0; // 0, or the negative errno the call ended with
    };
    // Runs every request on the folder's descriptor; returns once all have ended. The details
    // of request i are Result(i) until the next Run.
    void Run(int folder, std::span<Request> requests, int flags);
    const struct statx& Result(std::size_t i) const;
    // False once the kernel failed the ring itself; it is not to be used again then.
    bool Usable() const { return !broken_; }

  private:
    StatxRing();
    struct Ring;
    std::unique_ptr<Ring> ring_;
    std::unique_ptr<struct statx[]> results_;
    std::size_t capacity_ = 0;
    bool broken_ = false;
};
