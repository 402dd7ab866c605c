#include "platform/type_names.h"

#include <QFile>
#include <QMimeDatabase>
#include <QMimeType>
#include <QStandardPaths>
#include <QString>
#include <fnmatch.h>

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// "*.pdf", "*.tar.gz", "*.[1-9]": whatever the star takes, the rest starts at a dot of the
// name, so the match depends on the text from the name's first dot alone.
bool LooksAtSuffixOnly(std::string_view glob) {
    return glob.starts_with("*.");
}

void AddGlob(std::string_view glob, TypeNameLookup::WholeNameGlobs& globs) {
    if (glob.empty() || LooksAtSuffixOnly(glob))
        return;
    const std::string lower = Lower(glob);
    if (lower.find_first_of("*?[") == std::string::npos)
        globs.literal.insert(lower);
    else
        globs.wildcard.push_back(lower);
}

} // namespace

struct TypeNameLookup::Database {
    QMimeDatabase mime;
};

bool TypeNameLookup::WholeNameGlobs::MayMatch(std::string_view name) const {
    // Letter case is ignored here even for case-sensitive globs: a false hit costs only time.
    const std::string lower = Lower(name);
    if (literal.contains(lower))
        return true;
    for (const std::string& glob : wildcard)
        if (fnmatch(glob.c_str(), lower.c_str(), 0) == 0)
            return true;
    return false;
}

void TypeNameLookup::AddGlobs2(std::string_view text, WholeNameGlobs& globs) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t first = line.find(':');
        const std::size_t second =
            first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos)
            continue;
        std::string_view glob = line.substr(second + 1);
        glob = glob.substr(0, glob.find(':')); // flags such as ":cs" follow
        AddGlob(glob, globs);
    }
}

TypeNameLookup::TypeNameLookup() : db_(std::make_unique<Database>()) {
    const QStringList files = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                        QStringLiteral("mime/globs2"));
    for (const QString& path : files) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            AddGlobs2(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                      wholeName_);
        }
    }
    if (files.isEmpty()) { // a database without its glob list: ask every type (slower)
        for (const QMimeType& type : db_->mime.allMimeTypes())
            for (const QString& glob : type.globPatterns())
                AddGlob(glob.toStdString(), wholeName_);
    }
}

TypeNameLookup::~TypeNameLookup() = default;

std::string TypeNameLookup::Lookup(std::string_view name) const {
    const QString qname = QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
    const QMimeType type = db_->mime.mimeTypeForFile(qname, QMimeDatabase::MatchExtension);
    return type.isValid() ? type.comment().toStdString() : std::string();
}

std::string TypeNameLookup::KindName(const char* mimeType, std::string& known) {
    if (known.empty())
        known = db_->mime.mimeTypeForName(QString::fromLatin1(mimeType)).comment().toStdString();
    return known;
}

std::string TypeNameLookup::TypeName(std::string_view path, EntryKind kind) {
    if (kind == EntryKind::Directory)
        return KindName("inode/directory", folderName_);
    // A link is never followed, so what it leads to does not type it, nor does its name.
    if (kind == EntryKind::Symlink)
        return KindName("inode/symlink", linkName_);
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (wholeName_.MayMatch(name))
        return Lookup(name);
    // Names without a dot share the type of names no glob matches.
    const auto dot = name.find('.');
    const std::string key =
        dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
    if (auto it = bySuffix_.find(key); it != bySuffix_.end())
        return it->second;
    return bySuffix_.emplace(key, Lookup(name)).first->second;
}
