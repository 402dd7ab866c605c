#pragma once
#include <string>
#include <vector>

#include "platform/translations.h"

// Texts of freedesktop desktop entries.

// One Exec= argument, quoted and escaped so that a launcher passes it unchanged.
std::string QuoteExecArgument(const std::string& argument);
// The folder entry for the applications folder: offered for folders, started with the folder.
// Its comment is in English with the other languages' wordings beside it.
std::string FolderEntryText(const std::string& programPath);
// The same with the comment's wordings given, the default first.
std::string FolderEntryText(const std::string& programPath,
                            const std::vector<LocalizedText>& comment);
// The same command as a KDE service menu.
std::string ServiceMenuText(const std::string& programPath);
// mimeapps.list text with desktopId first among the default applications of mimeType;
// everything else is kept.
std::string WithDefaultApplication(const std::string& mimeappsText, const std::string& mimeType,
                                   const std::string& desktopId);
