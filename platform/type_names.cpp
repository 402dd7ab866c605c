#include "platform/type_names.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

struct TypeNameLookup::Database {
    QMimeDatabase mime;
};

TypeNameLookup::TypeNameLookup() : db_(std::make_unique<Database>()) {}
TypeNameLookup::~TypeNameLookup() = default;

std::string TypeNameLookup::TypeName(std::string_view path, bool isFolder) {
    if (isFolder) {
        if (folderName_.empty())
            folderName_ = db_->mime.mimeTypeForName(QStringLiteral("inode/directory")).comment().toStdString();
        return folderName_;
    }
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find('.', name.empty() || name[0] != '.' ? 0 : 1);
    // Globs look at the name's end; names sharing the suffix from the first dot share the type.
    const std::string key = dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
    if (!key.empty()) {
        if (auto it = bySuffix_.find(key); it != bySuffix_.end()) return it->second;
    }
    const QString qname = QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
    const QMimeType type = db_->mime.mimeTypeForFile(qname, QMimeDatabase::MatchExtension);
    std::string text = type.isValid() ? type.comment().toStdString() : std::string();
    if (!key.empty()) bySuffix_.emplace(key, text);
    return text;
}
