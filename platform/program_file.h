#pragma once
#include <string>

// Full path of the running program file.
std::string ProgramPath();
// The folder that holds the running program, with its trailing separator.
std::string ProgramFolder();
// Full path of the help file beside the program.
std::string HelpFilePath();
