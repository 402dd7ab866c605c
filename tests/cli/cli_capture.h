#pragma once
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/list_command.h"
#include "support/temp_tree.h"

// Runs pathquill-list in this process with its standard output and error caught in files.
struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline CliRun RunCli(const TempTree& scratch, const std::vector<std::string>& args,
                     std::time_t now = 0) {
    static int serial = 0;
    const std::string base = scratch.Path(".cli-" + std::to_string(++serial));
    const int out = ::open((base + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = ::open((base + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ListStreams streams;
    streams.out = out;
    streams.err = err;
    streams.now = now;
    streams.workingDir = scratch.Root();
    CliRun run;
    run.status = RunListCommand(args, streams);
    ::close(out);
    ::close(err);
    run.out = ReadBytes(base + ".out");
    run.err = ReadBytes(base + ".err");
    ::unlink((base + ".out").c_str());
    ::unlink((base + ".err").c_str());
    return run;
}
