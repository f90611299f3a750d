#pragma once
// Which files the collection keeps (the user's LoadExtensions) and which extensions the
// program can decode at all (SupportedExtensions). Extensions are in ".jpg" form.
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

// The warning shown once at start when LoadExtensions had to be reset (caption "注意").
inline constexpr const char* kLoadExtensionsResetMessage = "「読み込む画像の拡張子」の設定はクリアされました";

// The extension of the file name in `path`: from the last "." of the name (a "." in a folder
// name does not count) to its end, dot included, ASCII letters lower-cased; empty when the
// name has no ".".
QString FileExtension(const QString& path);

// True when the extension of `path` equals an item of `loadExtensions`, ignoring case.
bool HasLoadExtension(const QString& path, const QStringList& loadExtensions);

// The same test as HasLoadExtension, prepared once for a scan and run on the raw bytes of a
// directory entry name so that a walk of many thousands of entries decodes only the names it
// keeps. Holds a copy of the list; no other ownership.
class ExtensionMatcher {
public:
    explicit ExtensionMatcher(const QStringList& loadExtensions);
    // `name` is a file name (no folder) in the file system's encoding.
    bool MatchesName(std::string_view name) const;

private:
    QStringList items_;
    std::vector<std::string> asciiItems_;  // ASCII items, lower-cased
    bool hasNonAsciiItem_ = false;
};

// SupportedExtensions from the extension patterns of the loaded plug-ins (one pattern list per
// plug-in, in the manager's order, e.g. {"*.PIC;*.MAG"}) and the built-in formats: lower-cased,
// without "*", split at ";", without duplicates or empty items, sorted ignoring case.
QStringList BuildSupportedExtensions(const QList<QStringList>& pluginPatterns);

// Resets `loadExtensions` to ".jpg", ".jpeg", ".bmp", ".png", ".gif" when one of its items is
// missing from `supported` (ignoring case). Returns true when it did; the caller shows
// kLoadExtensionsResetMessage.
bool CheckLoadExtensions(QStringList& loadExtensions, const QStringList& supported);

// The filter of the file selection window's picture dialog, in "text|patterns|text|patterns"
// form: for ".bmp", ".jpg" it is "対応形式(*.bmp,*.jpg)|*.bmp;*.jpg|全てのファイル|*"; with no
// extensions only "全てのファイル|*".
QString PictureDialogFilter(const QStringList& loadExtensions);

}  // namespace pictavo
