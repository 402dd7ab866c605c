#include "cli/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include "resources/strings.h"
#include "search/minimize_name.h"

namespace {
constexpr auto kInterval = std::chrono::milliseconds(100);

std::size_t CharCount(std::string_view s) {
    std::size_t n = 0;
    for (const unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

void Put(int fd, const std::string& text) {
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n <= 0)
            return; // a progress line is not worth an error
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
}
} // namespace

std::size_t TerminalWidth(int fd) {
    winsize ws{};
    if (::ioctl(fd, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0)
        return ws.ws_col;
    return 80;
}

ProgressLine::ProgressLine(int fd, std::size_t width, Clock clock)
    : fd_(fd), width_(width), clock_(clock) {}

ProgressLine::~ProgressLine() {
    Clear();
}

std::string ProgressLine::Text(std::size_t entries, const std::string& path, std::size_t width) {
    std::string text = std::to_string(entries) + " " + Msg(211) + "  ";
    const std::size_t used = CharCount(text);
    const int room = width > used + 1 ? static_cast<int>(width - used - 1) : 0;
    return text +
           MinimizeName(
               path, [](std::string_view s) { return static_cast<int>(CharCount(s)); }, room);
}

void ProgressLine::Show(std::size_t entries, const std::string& path) {
    const auto now = clock_();
    if (shown_ && now - last_ < kInterval)
        return;
    last_ = now;
    shown_ = true;
    Put(fd_, "\r\033[K" + Text(entries, path, width_));
}

void ProgressLine::Clear() {
    if (shown_)
        Put(fd_, "\r\033[K");
    shown_ = false;
}
