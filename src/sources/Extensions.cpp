#include "sources/Extensions.h"

#include <QFile>
#include <algorithm>

#include "platform/Collation.h"
#include "platform/FileNames.h"
#include "platform/NameExtension.h"

namespace pictavo {

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

QString AsciiLower(const QString& text) {
    QString lower = text;
    for (QChar& c : lower) {
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() - u'A' + u'a');
    }
    return lower;
}

bool ContainsIgnoringCase(const QStringList& items, const QString& text) {
    return items.contains(text, Qt::CaseInsensitive);
}

// Splits every item at its ";" the way plug-in pattern lists are read: the text after the
// first ";" goes to the end of the list and is split again in its turn.
void SplitAtSemicolons(QStringList& items) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        qsizetype cut = items[i].indexOf(u';');
        while (cut >= 0) {
            items.append(items[i].mid(cut + 1));
            items[i].truncate(cut);
            cut = items[i].indexOf(u';');
        }
    }
}

}  // namespace

QString FileExtension(const QString& path) {
    return AsciiLower(NameExtension(path));
}

bool HasLoadExtension(const QString& path, const QStringList& loadExtensions) {
    return ExtensionMatcher(loadExtensions).MatchesName(QFile::encodeName(path).toStdString());
}

ExtensionMatcher::ExtensionMatcher(const QStringList& loadExtensions) : items_(loadExtensions) {
    for (const QString& item : items_) {
        const QByteArray bytes = item.toUtf8();
        const std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
        if (IsAscii(view))
            asciiItems_.push_back(AsciiLower(view));
        else
            hasNonAsciiItem_ = true;
    }
}

bool ExtensionMatcher::MatchesName(std::string_view name) const {
    const std::string_view extension = FileExtension(name);
    if (extension.empty()) return false;
    if (IsAscii(extension)) {
        const std::string lower = AsciiLower(extension);
        if (std::find(asciiItems_.begin(), asciiItems_.end(), lower) != asciiItems_.end()) return true;
        // An ASCII extension can still equal a non-ASCII item under Unicode case folding.
        if (!hasNonAsciiItem_) return false;
    }
    const QString decoded =
        QFile::decodeName(QByteArray(extension.data(), static_cast<qsizetype>(extension.size())));
    return ContainsIgnoringCase(items_, AsciiLower(decoded));
}

QStringList BuildSupportedExtensions(const QList<QStringList>& pluginPatterns) {
    QStringList list;
    for (const QStringList& patterns : pluginPatterns) {
        QStringList items;
        for (const QString& pattern : patterns) items.append(AsciiLower(pattern).remove(u'*'));
        SplitAtSemicolons(items);
        list.append(items);
    }
    list.append({".bmp", ".png", ".jpg", ".jpeg", ".gif"});

    QStringList unique;
    for (const QString& item : list) {
        if (!item.isEmpty() && !unique.contains(item, Qt::CaseSensitive)) unique.append(item);
    }
    SortCaseInsensitive(unique);
    return unique;
}

bool CheckLoadExtensions(QStringList& loadExtensions, const QStringList& supported) {
    const bool allKnown = std::all_of(loadExtensions.begin(), loadExtensions.end(), [&](const QString& item) {
        return ContainsIgnoringCase(supported, item);
    });
    if (allKnown) return false;
    loadExtensions = {".jpg", ".jpeg", ".bmp", ".png", ".gif"};
    return true;
}

QString PictureDialogFilter(const QStringList& loadExtensions) {
    if (loadExtensions.isEmpty()) return QStringLiteral("全てのファイル|*");
    QStringList patterns;
    for (const QString& extension : loadExtensions) patterns.append("*" + extension);
    return "対応形式(" + patterns.join(u',') + ")|" + patterns.join(u';') + "|全てのファイル|*";
}

}  // namespace pictavo
