#pragma once
#include <string>

// The folder that holds the running program, with its trailing separator.
std::string ProgramFolder();
// Full path of the help file beside the program.
std::string HelpFilePath();
