#pragma once
#include <string>

// A chain of folders, each named folderName inside the one before, below an existing folder;
// each holds a file fileName of one byte unless fileName is empty. Built with descriptors,
// so the chain may be far deeper than PATH_MAX allows a path to be. Returns false on failure.
bool MakeFolderChain(const std::string& below, int depth, const std::string& folderName,
                     const std::string& fileName);

// Removes everything inside a folder, however deep, holding two descriptors at a time: each
// level's subfolders are moved up beside it before it goes.
void EmptyFolderOfAnyDepth(const std::string& folder);
