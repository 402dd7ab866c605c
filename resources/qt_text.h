#pragma once
#include <QString>
#include <string_view>

#include "resources/strings.h"

// Texts for widgets: table entries and other UTF-8 text as QString.
inline QString QText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline QString QText(int message) { return QText(MessageText(message)); }
