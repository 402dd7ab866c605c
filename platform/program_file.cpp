#include "platform/program_file.h"

#include <climits>
#include <unistd.h>

std::string ProgramFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    const std::string exe(buf, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string HelpFilePath() { return ProgramFolder() + "PATHQUILL.HLP"; }
