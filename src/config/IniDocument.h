#pragma once
// The INI text of the settings file held in memory: sections of key=value lines. Reading
// follows the rules older versions of the file were written under (blank and ";" lines
// ignored, names without regard to case, first occurrence wins); writing produces the
// sections and keys in the order they were set.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace pictavo {

class IniDocument {
public:
    // Parses `text`; any text is accepted. Lines before the first section header are dropped.
    static IniDocument Parse(const QString& text);

    // Value of `key` in `section` (the text after the line's first "=", blanks stripped);
    // nullopt when either is missing. The first section and the first key of each name win.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    // Every meaningful line of `section` in file order, blanks stripped (empty when missing).
    QStringList Lines(const QString& section) const;

    // Appends key=value to `section`, creating the section at the end when it is new.
    // Line breaks inside `key` or `value` are dropped so one setting stays one line.
    void Append(const QString& section, const QString& key, const QString& value);
    // Creates `section` at the end when it is new, so it is written even without keys.
    void AddSection(const QString& section);

    // The file's lines: "[name]", its key=value lines, an empty line; sections in order.
    QStringList ToLines() const;

private:
    struct Section {
        QString name;
        QStringList lines;  // stripped, non-blank, non-comment lines
    };
    const Section* Find(const QString& name) const;
    Section& FindOrAdd(const QString& name);

    std::vector<Section> sections_;
};

// Removes the characters up to and including the space (code 0-32) from both ends, the
// blanks that INI readers have always stripped; other Unicode spaces stay.
QString TrimBlanks(const QString& text);

// Decimal, or hexadecimal after "0x", "0X" or "$", with an optional sign; nullopt for
// anything else, for a decimal number outside 32-bit signed range, or for more than 32 bits
// of hexadecimal (hex up to FFFFFFFF wraps into the negative range).
std::optional<std::int32_t> ParseIniInteger(const QString& text);

}  // namespace pictavo
