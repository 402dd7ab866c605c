#include "platform/translation_files.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <map>

#include "platform/translations.h"
#include "resources/strings.h"

namespace {
struct Translated {
    QString source;
    QString text;
    bool finished = false;
};

struct TsFile {
    QString language;
    std::map<int, Translated> messages;
};

TsFile Read(std::string_view tsText) {
    TsFile file;
    QXmlStreamReader xml(QByteArray(tsText.data(), static_cast<qsizetype>(tsText.size())));
    QString source, comment;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            file.language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("message")) {
            source.clear();
            comment.clear();
        } else if (name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText();
            bool isNumber = false;
            const int number = comment.toInt(&isNumber);
            if (isNumber && type != QLatin1String("vanished") && type != QLatin1String("obsolete"))
                file.messages[number] = {source, text, type.isEmpty()};
        }
    }
    return file;
}
} // namespace

std::string UpdatedTranslationFile(std::string_view tsText) {
    const TsFile old = Read(tsText);
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    if (!old.language.isEmpty())
        xml.writeAttribute(QStringLiteral("language"), old.language);
    xml.writeAttribute(QStringLiteral("sourcelanguage"), QStringLiteral("de"));
    xml.writeStartElement(QStringLiteral("context"));
    xml.writeTextElement(QStringLiteral("name"), QString::fromUtf8(kTranslationContext));
    for (const int number : MessageNumbers()) {
        const std::string_view german = GermanMessageText(number);
        const QString source =
            QString::fromUtf8(german.data(), static_cast<qsizetype>(german.size()));
        const auto it = old.messages.find(number);
        const bool known = it != old.messages.end() && !it->second.text.isEmpty();
        const bool finished = known && it->second.finished && it->second.source == source;
        xml.writeStartElement(QStringLiteral("message"));
        xml.writeTextElement(QStringLiteral("source"), source);
        xml.writeTextElement(QStringLiteral("comment"), QString::number(number));
        xml.writeStartElement(QStringLiteral("translation"));
        if (!finished)
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("unfinished"));
        if (known)
            xml.writeCharacters(it->second.text);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out.toStdString();
}
