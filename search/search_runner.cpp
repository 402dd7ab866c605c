#include "search/search_runner.h"

#include <iterator>

SearchRunner::SearchRunner(SearchRequest request, RowRecipe recipe, QObject* window,
                           RowsHandler rows, NoDrivesHandler noDrives)
    : QObject(window), rows_(std::move(rows)), noDrives_(std::move(noDrives)),
      recipe_(std::move(recipe)), search_(std::move(request), *this) {
    // Made here on the window thread, so the call a hand-over runs is not shared.
    connect(
        this, &SearchRunner::HandOverWaiting, window, [this] { ServeHandOver(); },
        Qt::QueuedConnection);
    turnTimer_.setSingleShot(true);
    turnTimer_.setTimerType(Qt::PreciseTimer); // never early: turns stay kWindowTurn apart
    connect(&turnTimer_, &QTimer::timeout, this, &SearchRunner::TakeTurn);
}

SearchRunner::~SearchRunner() {
    if (thread_.joinable())
        thread_.join();
}

void SearchRunner::Start() {
    thread_ = std::thread([this] { Run(); });
}

void SearchRunner::Run() {
    search_.Execute();
    finished_.store(true); // before the signal, so a waiter that missed it sees the flag
    Q_EMIT Finished();
}

void SearchRunner::Synchronize(HandOver& handOver) {
    made_.clear();
    BuildRows(handOver.items, recipe_.columns, recipe_.options, recipe_.unitWord, seenFolders_,
              made_);
    std::unique_lock lock(handOverMutex_);
    servedChanged_.wait(lock, [this] { return waiting_.rows.size() < kMaxWaitingRows; });
    if (waiting_.rows.empty())
        waiting_.rows.swap(made_); // the vector taken last time comes back as made_'s storage
    else
        waiting_.rows.insert(waiting_.rows.end(), std::make_move_iterator(made_.begin()),
                             std::make_move_iterator(made_.end()));
    if (handOver.statusChanged) {
        waiting_.statusPath = handOver.statusPath;
        waiting_.statusChanged = true;
    }
    WakeWindow(lock);
}

std::size_t SearchRunner::WaitingRows() {
    const std::lock_guard lock(handOverMutex_);
    return waiting_.rows.size();
}

void SearchRunner::ShowNoDrivesMessage() {
    {
        std::unique_lock lock(handOverMutex_);
        noDrivesWaiting_ = true;
        WakeWindow(lock);
    }
    AwaitServed();
}

bool SearchRunner::WakeWindow(std::unique_lock<std::mutex>& lock) {
    if (wakePosted_ || !HasWaiting())
        return false;
    wakePosted_ = true;
    lock.unlock(); // publishes the rows made before the wake
    Q_EMIT HandOverWaiting();
    return true;
}

void SearchRunner::AwaitServed() {
    std::unique_lock lock(handOverMutex_);
    if (AllServed())
        return;
    ending_ = true;
    const bool woken = WakeWindow(lock);
    if (!woken)
        lock.unlock();
    // A turn put off until its time comes is taken at once now. Through the signal whose
    // connection the window thread made, so no call object made here is read there.
    Q_EMIT HandOverWaiting();
    lock.lock();
    servedChanged_.wait(lock, [this] { return AllServed(); });
    ending_ = false;
}

void SearchRunner::ServeHandOver() {
    bool ending = false;
    {
        const std::lock_guard lock(handOverMutex_);
        ending = ending_;
    }
    if (turnTimer_.isActive() && !ending)
        return;
    const auto sinceLast = std::chrono::steady_clock::now() - lastTurn_;
    if (sinceLast >= kWindowTurn || ending) {
        turnTimer_.stop();
        TakeTurn();
    } else {
        turnTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(kWindowTurn - sinceLast));
    }
}

void SearchRunner::TakeTurn() {
    RowBatch batch;
    bool noDrives = false;
    {
        const std::lock_guard lock(handOverMutex_); // makes the walker's rows visible here
        if (!wakePosted_)
            return;
        batch = std::move(waiting_);
        waiting_ = RowBatch{};
        noDrives = std::exchange(noDrivesWaiting_, false);
        wakePosted_ = false;
        taking_ = true;
    }
    servedChanged_.notify_all(); // room for more rows while the window appends these
    if (!batch.rows.empty() || batch.statusChanged)
        rows_(this, batch);
    if (noDrives)
        noDrives_();
    lastTurn_ = std::chrono::steady_clock::now();
    {
        const std::lock_guard lock(handOverMutex_);
        taking_ = false;
    }
    servedChanged_.notify_all();
}

void SearchRunner::Terminate() {
    search_.Terminate();
}
