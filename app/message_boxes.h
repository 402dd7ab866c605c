#pragma once
#include <string>

// Every question and report to the user goes through this interface, so commands can be
// driven by tests with scripted answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void Error(const std::string& text) = 0;       // "Fehler", OK
    virtual void Information(const std::string& text) = 0; // "Information", OK
    virtual bool Question(const std::string& text) = 0;    // "Bestätigung", &Ja / &Nein
    virtual void Stop(const std::string& text) = 0;        // unhandled error: "Pathquill", text + "."
    virtual void Plain(const std::string& text) = 0;       // no icon, OK
    // Error box; false when it was closed other than with OK.
    virtual bool ErrorConfirmed(const std::string& text) { Error(text); return true; }
    // Question box with its top-left corner at a screen position.
    virtual bool QuestionAt(const std::string& text, int x, int y) {
        (void)x, (void)y;
        return Question(text);
    }
};
