#pragma once
#include <functional>
#include <string>
#include <string_view>

// Width of a text in pixels, in whatever font the caller measures with.
using TextWidth = std::function<int(std::string_view)>;

// Shortens a path from the left, folder by folder, until it fits maxWidth; the name part
// is never cut. Removed folders show as one ".../".
std::string MinimizeName(const std::string& path, const TextWidth& width, int maxWidth);
