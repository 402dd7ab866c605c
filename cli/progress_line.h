#pragma once
#include <chrono>
#include <cstddef>
#include <string>

// One line on a terminal that shows how far a search has come, redrawn at most ten times a
// second and wiped at the end.
class ProgressLine {
  public:
    using Clock = std::chrono::steady_clock::time_point (*)();
    // clock: when the line was last drawn is measured by it; a test may drive its own.
    ProgressLine(int fd, std::size_t width, Clock clock = &std::chrono::steady_clock::now);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(std::size_t entries, const std::string& path);
    void Clear();

    // The text shown for a state: the count, the word, the path shortened from the left.
    static std::string Text(std::size_t entries, const std::string& path, std::size_t width);

  private:
    int fd_;
    std::size_t width_;
    Clock clock_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_{};
};

// Columns of the terminal on fd, 80 when it cannot be asked.
std::size_t TerminalWidth(int fd);
