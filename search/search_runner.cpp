#include "search/search_runner.h"

SearchRunner::SearchRunner(SearchRequest request, QObject* window, RowsHandler rows,
                           NoDrivesHandler noDrives)
    : window_(window), rows_(std::move(rows)), noDrives_(std::move(noDrives)),
      search_(std::move(request), *this) {}

SearchRunner::~SearchRunner() { wait(); }

void SearchRunner::run() { search_.Execute(); }

void SearchRunner::Synchronize(HandOver& handOver) {
    QMetaObject::invokeMethod(window_, [this, &handOver] { rows_(this, handOver); },
                              Qt::BlockingQueuedConnection);
}

void SearchRunner::ShowNoDrivesMessage() {
    QMetaObject::invokeMethod(window_, [this] { noDrives_(); }, Qt::BlockingQueuedConnection);
}

void SearchRunner::Terminate() { search_.Terminate(); }
