#pragma once
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "search/search_thread.h"

// Runs one search on its own thread and hands its batches to the window thread. The walk reads
// on while the window takes a batch; it waits only when the next batch is ready before the
// window has taken the last, so at most two batches wait. Every ordering between the two
// threads (start, hand-overs, end) comes from our own thread, mutex and join, not from inside
// Qt, so tools that cannot see inside Qt see it too.
class SearchRunner : public QObject, public SearchSink {
    Q_OBJECT
  public:
    using RowsHandler = std::function<void(SearchRunner*, HandOver&)>;
    using NoDrivesHandler = std::function<void()>;

    // window: the object whose thread serves the hand-overs; it also owns the runner.
    SearchRunner(SearchRequest request, QObject* window, RowsHandler rows,
                 NoDrivesHandler noDrives);
    ~SearchRunner() override; // waits for the walk's thread

    void Start();
    void Terminate();
    // The walk has ended; Finished follows on the window thread.
    bool IsFinished() const { return finished_.load(); }
    bool Terminated() const { return search_.Terminated(); }
    const SearchRequest& Request() const { return search_.Request(); }

    void Synchronize(HandOver& handOver) override; // returns before the window has it
    void ShowNoDrivesMessage() override;
    // Batches this size keep the records the walker reuses small, and each hand-over short.
    std::size_t BatchRows() const override { return 2048; }
    bool ServesLater() const override { return true; }
    void AwaitServed() override;

  Q_SIGNALS:
    void HandOverWaiting(); // queued to the window thread
    void Finished();        // emitted by the walk's thread as its last act

  private:
    void Run();
    // Has call run on the window thread once the call before has run there.
    void Post(std::function<void()> call);
    void ServeHandOver(); // on the window thread

    RowsHandler rows_;
    NoDrivesHandler noDrives_;
    TSearchThread search_;
    std::mutex handOverMutex_;
    std::condition_variable servedChanged_;
    std::function<void()> waitingCall_; // posted, not run yet
    bool waiting_ = false;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
