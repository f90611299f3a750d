#include "config/IniDocument.h"

#include "platform/TextFile.h"

namespace pictavo {
namespace {

bool IsBlank(QChar c) {
    return c.unicode() <= 0x20;
}

// Digits of `text` from `start` in base 10 or 16, as an unsigned magnitude; nullopt for no
// digits, a foreign character or a value above `limit`.
std::optional<std::uint64_t> ParseMagnitude(const QString& text, qsizetype start, int base,
                                            std::uint64_t limit) {
    if (start >= text.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
        if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit) return std::nullopt;
    }
    return value;
}

}  // namespace

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text.at(begin))) ++begin;
    while (end > begin && IsBlank(text.at(end - 1))) --end;
    return text.mid(begin, end - begin);
}

std::optional<std::int32_t> ParseIniInteger(const QString& text) {
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text.at(pos) == u'-' || text.at(pos) == u'+')) {
        negative = text.at(pos) == u'-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text.at(pos) == u'$') {
        base = 16;
        pos += 1;
    } else if (text.mid(pos, 2).compare(u"0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        pos += 2;
    }
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    const std::optional<std::uint64_t> magnitude = ParseMagnitude(text, pos, base, limit);
    if (!magnitude) return std::nullopt;
    // Two's complement keeps hex FFFFFFFF as -1, the way 32-bit colour values were stored.
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - *magnitude : *magnitude);
    return static_cast<std::int32_t>(bits);
}

IniDocument IniDocument::Parse(const QString& text) {
    IniDocument document;
    Section* current = nullptr;
    for (const QString& raw : SplitLines(text)) {
        const QString line = TrimBlanks(raw);
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
            document.sections_.push_back(Section{TrimBlanks(line.mid(1, line.size() - 2)), {}});
            current = &document.sections_.back();
            continue;
        }
        if (current != nullptr) current->lines.append(line);
    }
    return document;
}

const IniDocument::Section* IniDocument::Find(const QString& name) const {
    for (const Section& section : sections_) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0) return &section;
    }
    return nullptr;
}

IniDocument::Section& IniDocument::FindOrAdd(const QString& name) {
    for (Section& section : sections_) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0) return section;
    }
    sections_.push_back(Section{name, {}});
    return sections_.back();
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
    const Section* found = Find(section);
    if (found == nullptr) return std::nullopt;
    for (const QString& line : found->lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) continue;
        if (TrimBlanks(line.left(equals)).compare(key, Qt::CaseInsensitive) == 0) {
            return TrimBlanks(line.mid(equals + 1));
        }
    }
    return std::nullopt;
}

QStringList IniDocument::Lines(const QString& section) const {
    const Section* found = Find(section);
    return found != nullptr ? found->lines : QStringList{};
}

void IniDocument::AddSection(const QString& section) {
    FindOrAdd(section);
}

void IniDocument::Append(const QString& section, const QString& key, const QString& value) {
    QString line = key + u'=' + value;
    line.remove(u'\r');
    line.remove(u'\n');
    FindOrAdd(section).lines.append(line);
}

QStringList IniDocument::ToLines() const {
    QStringList out;
    for (const Section& section : sections_) {
        out.append(u'[' + section.name + u']');
        out.append(section.lines);
        out.append(QString());
    }
    return out;
}

}  // namespace pictavo
