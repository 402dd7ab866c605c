#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The program's numbered user-visible texts (UTF-8). Numbers above 197 are texts the
// Linux port needs beyond the original table.
// The text in the interface language: its translation where one is in use, else the German.
std::string_view MessageText(int number);
// Convenience for concatenation.
inline std::string Msg(int number) { return std::string(MessageText(number)); }

// The table's own German text; empty for a number not in the table.
std::string_view GermanMessageText(int number);
// Every number of the table, ascending.
std::vector<int> MessageNumbers();

// The language the texts are written in: "de" for the table's own, else the language code of
// the translation in use ("en", "pt_BR").
std::string_view MessageLanguage();
// Makes the translated texts (number → text) those of MessageText. Called once at start,
// before any text is read and before a second thread runs; numbers left out stay German.
void UseTranslatedMessages(std::string language, std::map<int, std::string> texts);
