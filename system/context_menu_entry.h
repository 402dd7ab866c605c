#pragma once
#include <string>

// The folder context-menu entry is a desktop entry for folders in the user's applications folder.
std::string ContextMenuEntryPath();
bool ContextMenuEntryExists();
