#include "search/search_control_logic.h"

#include "platform/locale.h"
#include "resources/strings.h"
#include "search/search_request.h"

std::string ChooseSearchTarget(const std::string& selectedPath, const std::string& selectedText,
                               const std::string& previousTarget) {
    if (!selectedPath.empty()) return selectedPath;
    if (selectedText == MessageText(164)) return std::string(kAllDrives);
    return previousTarget;
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool HistoryContains(const std::vector<std::string>& history, const std::string& text) {
    const std::string upper = UpperCase(text);
    for (const auto& entry : history)
        if (UpperCase(entry) == upper) return true;
    return false;
}

bool AddToHistory(std::vector<std::string>& history, const std::string& text) {
    if (text.empty() || HistoryContains(history, text)) return false;
    history.insert(history.begin(), text);
    return true;
}

std::string FoundCountText(std::size_t rows) { return Msg(152) + ": " + std::to_string(rows); }

bool StatBatchesWanted(const char* environmentValue) {
    const std::string value = environmentValue ? environmentValue : "";
    return value == "0" ? false : value == "1" ? true : kStatBatchesByDefault;
}
