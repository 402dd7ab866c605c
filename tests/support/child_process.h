#pragma once
#include <functional>
#include <string>

// Runs body in a forked child, so that what it changes for the whole process (open-file
// limit, user id, mount namespace) ends with it. Returns the text body returned ("" when
// all was well), or a description of how the child ended otherwise.
std::string RunInChild(const std::function<std::string()>& body);

// What a child body returns when the machine cannot give it what it needs.
inline const std::string kChildSkipped = "skipped";
