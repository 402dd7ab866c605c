// pathquill-list: one search without the window, written as the window's save writes it.
#include <clocale>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "cli/list_command.h"
#include "platform/translations.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, ""); // dates and numbers follow the user's regional settings
    UseLanguageOf(ProcessLanguageEnvironment());
    // A walk keeps one folder handle per level; let deep trees have them.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    ListStreams streams;
    streams.progress = ::isatty(streams.err) == 1;
    streams.outIsTerminal = ::isatty(streams.out) == 1;
    return RunListCommand(std::vector<std::string>(argv + 1, argv + argc), streams);
}
