#include "app/command_line.h"

#include <string_view>

#include "platform/paths.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// File managers hand folders over as file:///path or file://localhost/path; any other host
// names no local folder and is left as it is.
std::string LocalPathOfUrl(const std::string& argument) {
    constexpr std::string_view kScheme = "file://";
    if (argument.size() < kScheme.size() || argument.compare(0, kScheme.size(), kScheme) != 0)
        return argument;
    std::string_view rest = std::string_view(argument).substr(kScheme.size());
    if (rest.starts_with("localhost/"))
        rest.remove_prefix(9);
    if (!rest.starts_with('/'))
        return argument;
    return PercentDecoded(rest);
}

} // namespace

std::string CommandLineFolder(std::string argument, const std::string& startFolder) {
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
        argument = argument.substr(1, argument.size() - 2);
    if (argument.empty())
        return {};
    return paths::Absolute(LocalPathOfUrl(argument), startFolder);
}
