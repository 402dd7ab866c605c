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
    RunOnWindowThread([this, &handOver] { rows_(this, handOver); });
}

void SearchRunner::ShowNoDrivesMessage() {
    RunOnWindowThread([this] { noDrives_(); });
}

void SearchRunner::RunOnWindowThread(const std::function<void()>& call) {
    std::unique_lock lock(handOverMutex_);
    waitingCall_ = &call;
    lock.unlock(); // publishes what the walker wrote before the hand-over
    Q_EMIT HandOverWaiting();
    lock.lock();
    servedChanged_.wait(lock, [this] { return waitingCall_ == nullptr; });
}

void SearchRunner::ServeHandOver() {
    std::unique_lock lock(handOverMutex_); // makes the walker's writes visible here
    const std::function<void()>* call = waitingCall_;
    lock.unlock();
    if (call)
        (*call)();
    lock.lock();
    waitingCall_ = nullptr;
    servedChanged_.notify_one();
}

void SearchRunner::Terminate() {
    search_.Terminate();
}
