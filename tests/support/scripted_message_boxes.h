#pragma once
#include <deque>
#include <string>
#include <vector>

#include "app/message_boxes.h"

// Records every box shown; questions are answered from a script (Nein when it runs out).
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string kind; // "Error", "Information", "Question", "Stop", "Plain"
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    std::vector<Shown> shown;
    std::deque<bool> answers;

    void Error(const std::string& text) override { shown.push_back({"Error", text}); }
    void Information(const std::string& text) override { shown.push_back({"Information", text}); }
    bool Question(const std::string& text) override {
        shown.push_back({"Question", text});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Stop(const std::string& text) override { shown.push_back({"Stop", text}); }
    void Plain(const std::string& text) override { shown.push_back({"Plain", text}); }
};
