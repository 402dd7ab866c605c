#include "platform/program_file.h"

#include <climits>
#include <unistd.h>

std::string ProgramPath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

std::string ProgramFolder() {
    const std::string exe = ProgramPath();
    if (exe.empty())
        return "./";
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string HelpFilePath() {
    return ProgramFolder() + "PATHQUILL.HLP";
}
