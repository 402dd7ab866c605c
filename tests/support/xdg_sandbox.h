#pragma once
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_tree.h"
#include "system/context_menu_entry.h"

// A user's XDG folders in a temporary tree. The desktop tools run as children with these
// folders in their environment; the test process's own environment is never changed.
class XdgSandbox {
  public:
    XdgSandbox() {
        tree.Folder("home");
        tree.Folder("data");
        tree.Folder("config");
        tree.Folder("sys/applications");
        tree.Folder("etc");
    }
    ContextMenuPlaces Places() const { return {tree.Path("data"), tree.Path("config")}; }
    DesktopTools::Environment Environment() const {
        return {{"HOME", tree.Path("home")},          {"XDG_DATA_HOME", tree.Path("data")},
                {"XDG_CONFIG_HOME", tree.Path("config")}, {"XDG_DATA_DIRS", tree.Path("sys")},
                {"XDG_CONFIG_DIRS", tree.Path("etc")},    {"XDG_CURRENT_DESKTOP", "X-Generic"}};
    }
    DesktopTools Tools() const { return DesktopTools(Environment()); }
    ContextMenuEntry Entry() const { return ContextMenuEntry(Places(), Tools()); }
    // Everything the switch needs, for a program at programPath on an allowed drive.
    ContextMenuSetup Setup(const std::string& programPath) const {
        return {Places(), Tools(), programPath, [](const std::string&) { return true; }};
    }
    std::string Write(const std::string& relative, const std::string& text) {
        const std::string path = tree.File(relative);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempTree tree;
};
