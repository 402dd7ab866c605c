#pragma once
#include <functional>
#include <string>
#include <vector>

// Runs body in a forked child, so that what it changes for the whole process (open-file
// limit, user id, mount namespace) ends with it. Returns the text body returned ("" when
// all was well), or a description of how the child ended otherwise.
std::string RunInChild(const std::function<std::string()>& body);

// What a child body returns when the machine cannot give it what it needs.
inline const std::string kChildSkipped = "skipped";

// What a program run by RunProgram wrote and how it ended (-1: it did not end normally).
struct ProgramRun {
    int status = -1;
    std::string out, err;
};
// Runs program with args and only the environment given ("NAME=value"), and waits for it.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment);
