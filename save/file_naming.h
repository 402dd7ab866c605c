#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Rules for the names result files are saved under.

// Longest file name box text the save command takes, in characters.
constexpr std::size_t kMaxFileNameLength = 80;

// Characters with codes 0 to 31 and " * / : < > ? \ |. Bytes of 128 and above never are.
bool IsForbiddenNameCharacter(char c);
// At least five characters, no point at either end, no forbidden character.
bool IsValidFileName(std::string_view name);
// Characters of UTF-8 text; a byte that is not valid UTF-8 counts as one character.
std::size_t CharacterCount(std::string_view text);
// The text without leading and trailing blanks and control characters.
std::string TrimBlanksAndControls(std::string_view text);

// A look-for mask made fit for a name: "alle" in place of the first "*.*", then the first
// "*." removed ("*.txt" gives "txt").
void DeleteAsteriskandPoint(std::string& text);
// Forbidden characters and a point at either end become "_"; runs of "_" shrink to one.
std::string& TransformComposedName(std::string& name);
