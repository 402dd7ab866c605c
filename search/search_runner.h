#pragma once
#include <QThread>
#include <functional>

#include "search/search_thread.h"

// Runs one search on its own thread and hands its batches to the window thread, blocking the
// walker until the window has taken them.
class SearchRunner : public QThread, public SearchSink {
    Q_OBJECT
public:
    using RowsHandler = std::function<void(SearchRunner*, HandOver&)>;
    using NoDrivesHandler = std::function<void()>;

    SearchRunner(SearchRequest request, QObject* window, RowsHandler rows, NoDrivesHandler noDrives);
    ~SearchRunner() override;

    void Terminate();
    const SearchRequest& Request() const { return search_.Request(); }

    void Synchronize(HandOver& handOver) override;
    void ShowNoDrivesMessage() override;

protected:
    void run() override;

private:
    QObject* window_;
    RowsHandler rows_;
    NoDrivesHandler noDrives_;
    TSearchThread search_;
};
