#include "platform/statx_ring.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <liburing.h>
#include <sys/stat.h>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {
// Reads in flight at once; more only queue in the kernel's workers.
constexpr unsigned kDepth = 64;

// liburing maps and unmaps its rings with system calls of its own, which the race detector does
// not see: a new ring may get the memory of one given back, which the kernel orders after it.
#if defined(__SANITIZE_THREAD__)
char ringMemory;
void RingGivenBack() { __tsan_release(&ringMemory); }
void RingMade() { __tsan_acquire(&ringMemory); }
#else
void RingGivenBack() {}
void RingMade() {}
#endif
} // namespace

struct StatxRing::Ring {
    io_uring ring{};
};

StatxRing::StatxRing() : ring_(std::make_unique<Ring>()) {}

StatxRing::~StatxRing() {
    if (ring_) {
        RingGivenBack();
        io_uring_queue_exit(&ring_->ring);
    }
}

std::unique_ptr<StatxRing> StatxRing::Make() {
    std::unique_ptr<StatxRing> made(new StatxRing());
    if (io_uring_queue_init(kDepth, &made->ring_->ring, 0) != 0) {
        made->ring_.reset(); // nothing to release
        return nullptr;
    }
    RingMade();
    return made;
}

const struct statx& StatxRing::Result(std::size_t i) const {
    return results_[i];
}

void StatxRing::Run(int folder, std::span<Request> requests, int flags) {
    io_uring& ring = ring_->ring;
    if (broken_) {
        for (Request& r : requests)
            r.result = -EIO;
        return;
    }
    if (capacity_ < requests.size()) {
        capacity_ = std::max<std::size_t>(requests.size(), 256);
        results_ = std::make_unique_for_overwrite<struct statx[]>(capacity_);
    }
    std::size_t queued = 0, ended = 0, limit = requests.size();
    bool broken = false;
    while (ended < limit) {
        while (!broken && queued < limit && queued - ended < kDepth) {
            io_uring_sqe* sqe = io_uring_get_sqe(&ring);
            if (!sqe)
                break;
            Request& r = requests[queued];
            io_uring_prep_statx(sqe, folder, r.name, flags, r.mask, &results_[queued]);
            io_uring_sqe_set_data64(sqe, queued);
            ++queued;
        }
        io_uring_cqe* cqe = nullptr;
        const int waited =
            broken ? io_uring_wait_cqe(&ring, &cqe) : io_uring_submit_and_wait(&ring, 1);
        if (waited < 0 && waited != -EINTR && waited != -EAGAIN && waited != -EBUSY) {
            if (broken) {
                // Calls still in the ring may write their details later: into memory that is
                // never given back, rather than into memory in use again.
                broken_ = true;
                (void)results_.release();
                capacity_ = 0;
                for (std::size_t i = ended; i < limit; ++i)
                    requests[i].result = -EIO;
                return;
            }
            // What is in the ring still ends and is waited for; the rest fails as a call would.
            broken = broken_ = true;
            for (std::size_t i = queued; i < limit; ++i)
                requests[i].result = -EIO;
            limit = queued;
            continue;
        }
        unsigned head = 0, seen = 0;
        io_uring_for_each_cqe(&ring, head, cqe) {
            requests[io_uring_cqe_get_data64(cqe)].result = cqe->res;
            ++seen;
        }
        io_uring_cq_advance(&ring, seen);
        ended += seen;
    }
}
