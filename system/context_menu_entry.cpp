#include "system/context_menu_entry.h"

#include <cstdlib>
#include <sys/stat.h>

std::string ContextMenuEntryPath() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome && *dataHome == '/') {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/share";
    }
    return base + "/applications/pathquill-folder.desktop";
}

bool ContextMenuEntryExists() {
    struct stat st {};
    return ::stat(ContextMenuEntryPath().c_str(), &st) == 0;
}
