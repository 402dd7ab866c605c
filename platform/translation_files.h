#pragma once
#include <string>
#include <string_view>

// A Qt Linguist file (.ts) brought up to date with the string table: every number once, in
// order, with its German text as source and its number as disambiguation. Translations are kept;
// one whose German text has changed since is marked unfinished, a new number gets an empty,
// unfinished one, and numbers gone from the table are dropped. The file's language stays.
std::string UpdatedTranslationFile(std::string_view tsText);
