#pragma once
#include <string>
#include <string_view>

// Full path of the running program file.
std::string ProgramPath();
// The folder that holds the running program, with its trailing separator.
std::string ProgramFolder();
// Full path of the help file beside the program in the interface language; its name is matched
// without regard to case.
std::string HelpFilePath();
// The help file in folder for a language: "PATHQUILL.HLP" is the German one, "PATHQUILL.en.HLP"
// the English one (a language with a country, "pt_BR", also takes "PATHQUILL.pt.HLP"). Where
// the language has none, the German one.
std::string HelpFileIn(const std::string& folder, std::string_view language);
// folder/name, or the file in folder whose name equals name but for letter case.
std::string FileInFolderIgnoringCase(const std::string& folder, const std::string& name);
