#pragma once
#include <string>

// The folder named on the command line, as the Look In tree names folders: the double quotes of
// the folder context-menu entry removed, a local file:// URL turned into its path, and a
// relative path taken from startFolder. Empty when no folder was given.
std::string CommandLineFolder(std::string argument, const std::string& startFolder);
