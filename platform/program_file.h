#pragma once
#include <string>

// Full path of the running program file.
std::string ProgramPath();
// The folder that holds the running program, with its trailing separator.
std::string ProgramFolder();
// Full path of the help file beside the program; its name is matched without regard to case.
std::string HelpFilePath();
// folder/name, or the file in folder whose name equals name but for letter case.
std::string FileInFolderIgnoringCase(const std::string& folder, const std::string& name);
