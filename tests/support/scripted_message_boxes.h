#pragma once
#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/message_boxes.h"

// Records every box shown; questions are answered from a script (Nein when it runs out).
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string kind; // "Error", "Information", "Question", "Stop", "Plain"
        std::string text;
        bool operator==(const Shown&) const = default;
        friend void PrintTo(const Shown& s, std::ostream* os) { *os << s.kind << ": " << s.text; }
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
    // Where each placed question was asked to stand, in the order asked.
    std::vector<std::pair<int, int>> questionPositions;
    bool QuestionAt(const std::string& text, int x, int y) override {
        questionPositions.push_back({x, y});
        return Question(text);
    }
    void Stop(const std::string& text) override { shown.push_back({"Stop", text}); }
    void Plain(const std::string& text) override { shown.push_back({"Plain", text}); }
};
