#pragma once
#include <string>
#include <vector>

// Window-free decisions of the start command.

// The search target from the Look In tree's selection: its path, all drives for the computer
// entry, otherwise the previous target.
std::string ChooseSearchTarget(const std::string& selectedPath, const std::string& selectedText,
                               const std::string& previousTarget);

// Leading and trailing blanks removed.
std::string TrimBlanks(const std::string& text);

// Inserts text at the top unless an entry equal to it (letter case ignored) exists; true when
// it was inserted.
bool AddToHistory(std::vector<std::string>& history, const std::string& text);
bool HistoryContains(const std::vector<std::string>& history, const std::string& text);

// "Fundstellen: 42"
std::string FoundCountText(std::size_t rows);

// Whether a search fetches the details of many entries at once: the default, unless
// PATHQUILL_IO_URING in the environment (given) says 0 or 1.
bool StatBatchesWanted(const char* environmentValue);
