#pragma once
#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "results/row_builder.h"
#include "search/search_thread.h"

// How a search's records become rows, fixed when it starts: the unit is the one the search
// started with, whatever the unit box says later.
struct RowRecipe {
    std::vector<ColumnSpec> columns;
    SearchOptions options;
    std::string unitWord;
};

// What the window takes in one go: the rows made since it last took some, in order, and the
// path the status bar shows now.
struct RowBatch {
    std::vector<ResultRow> rows;
    std::string statusPath;
    bool statusChanged = false;
};

// Runs one search on its own thread and hands its rows to the window thread. The rows are made
// on the walk's thread, so the window only appends them. The walk reads on while the window
// takes rows; what it finds meanwhile waits, and the window takes all of it at its next turn.
// The window takes a turn at most once per kWindowTurn (the end of the search at once). The
// walk waits while kMaxWaitingRows rows wait, which bounds the memory and the longest turn:
// one turn appends at most kMaxWaitingRows + one hand-over. Every
// ordering between the two threads comes from our own thread, mutex and join, not from inside
// Qt, so tools that cannot see inside Qt see it too.
class SearchRunner : public QObject, public SearchSink {
    Q_OBJECT
  public:
    using RowsHandler = std::function<void(SearchRunner*, RowBatch&)>;
    using NoDrivesHandler = std::function<void()>;

    static constexpr std::size_t kMaxWaitingRows = 4096;
    static constexpr std::chrono::milliseconds kWindowTurn{10};

    // window: the object whose thread serves the hand-overs; it also owns the runner.
    SearchRunner(SearchRequest request, RowRecipe recipe, QObject* window, RowsHandler rows,
                 NoDrivesHandler noDrives);
    ~SearchRunner() override; // waits for the walk's thread

    void Start();
    void Terminate();
    // The walk has ended; Finished follows on the window thread.
    bool IsFinished() const { return finished_.load(); }
    bool Terminated() const { return search_.Terminated(); }
    const SearchRequest& Request() const { return search_.Request(); }

    // Rows made and not taken by the window yet.
    std::size_t WaitingRows();

    void
    Synchronize(HandOver& handOver) override; // makes the rows; returns before the window has them
    void ShowNoDrivesMessage() override;
    // Batches this size keep the records the walker reuses small, and in the processor's cache.
    std::size_t BatchRows() const override { return 2048; }
    void AwaitServed() override;

  Q_SIGNALS:
    void HandOverWaiting(); // queued to the window thread
    void Finished();        // emitted by the walk's thread as its last act

  private:
    void Run();
    // With the mutex held: wakes the window unless a wake is on its way; true when one was sent.
    bool WakeWindow(std::unique_lock<std::mutex>& lock);
    void ServeHandOver(); // on the window thread: takes a turn now or once its time has come
    void TakeTurn();      // on the window thread
    bool AllServed() const { return !wakePosted_ && !taking_ && !HasWaiting(); }
    bool HasWaiting() const {
        return !waiting_.rows.empty() || waiting_.statusChanged || noDrivesWaiting_;
    }

    RowsHandler rows_;
    NoDrivesHandler noDrives_;
    const RowRecipe recipe_;
    SeenFolders seenFolders_;     // of the walk's thread
    std::vector<ResultRow> made_; // of the walk's thread, reused
    TSearchThread search_;
    std::mutex handOverMutex_;
    std::condition_variable servedChanged_;
    RowBatch waiting_; // made, not taken yet
    bool noDrivesWaiting_ = false;
    bool wakePosted_ = false; // a wake is queued to the window thread
    bool taking_ = false;     // the window thread is appending what it took
    bool ending_ = false;     // the walk waits for the window to take everything
    std::chrono::steady_clock::time_point lastTurn_{}; // of the window thread
    QTimer turnTimer_;                                 // of the window thread
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
