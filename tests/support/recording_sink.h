#pragma once
#include <string>
#include <vector>

#include "search/search_thread.h"

// Collects what a walk hands over, in order, without a window.
class RecordingSink : public SearchSink {
public:
    std::vector<ItemRecord> items;
    std::vector<std::string> statusPaths;
    int noDrivesMessages = 0;
    std::function<void()> onHandOver; // e.g. a cancel in the middle of a walk

    void Synchronize(HandOver& h) override {
        for (auto& i : h.items) items.push_back(i);
        if (h.statusChanged) statusPaths.push_back(h.statusPath);
        if (onHandOver) onHandOver();
    }
    void ShowNoDrivesMessage() override { ++noDrivesMessages; }
};
