#include "search/search_runner.h"

SearchRunner::SearchRunner(SearchRequest request, QObject* window, RowsHandler rows,
                           NoDrivesHandler noDrives)
    : QObject(window), rows_(std::move(rows)), noDrives_(std::move(noDrives)),
      search_(std::move(request), *this) {
    // Made here on the window thread, so the call object a hand-over runs is not shared.
    connect(
        this, &SearchRunner::HandOverWaiting, window, [this] { ServeHandOver(); },
        Qt::QueuedConnection);
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
    Post([this, &handOver] { rows_(this, handOver); });
}

void SearchRunner::ShowNoDrivesMessage() {
    Post([this] { noDrives_(); });
    AwaitServed();
}

void SearchRunner::Post(std::function<void()> call) {
    std::unique_lock lock(handOverMutex_);
    servedChanged_.wait(lock, [this] { return !waiting_; });
    waitingCall_ = std::move(call);
    waiting_ = true;
    lock.unlock(); // publishes what the walker wrote before the hand-over
    Q_EMIT HandOverWaiting();
}

void SearchRunner::AwaitServed() {
    std::unique_lock lock(handOverMutex_);
    servedChanged_.wait(lock, [this] { return !waiting_; });
}

void SearchRunner::ServeHandOver() {
    std::unique_lock lock(handOverMutex_); // makes the walker's writes visible here
    if (!waiting_)
        return;
    const std::function<void()> call = std::move(waitingCall_);
    lock.unlock();
    call();
    lock.lock();
    waiting_ = false;
    servedChanged_.notify_one();
}

void SearchRunner::Terminate() {
    search_.Terminate();
}
