#pragma once
#include <string>
#include <string_view>

// The program's numbered user-visible texts (UTF-8). Numbers above 197 are texts the
// Linux port needs beyond the original table.
std::string_view MessageText(int number);
// Convenience for concatenation.
inline std::string Msg(int number) { return std::string(MessageText(number)); }
