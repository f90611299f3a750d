// The list file as the file selection window reads it: text decoding (UTF-8 or CP932) and the
// split into items. A list saved again reads back as the same items, and the file gives what
// the bytes give.
#include "FuzzSupport.h"
#include "sources/ListFile.h"

using namespace pictavo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList items = ParseListFile(raw);
    for (const QString& item : items)
        fuzz::Require(!item.contains(u'\r') && !item.contains(u'\n'), "an item holds a line break");
    fuzz::Require(ParseListFile(ListFileBytes(items)) == items, "a saved list reads back differently");
    const QString path = QString::fromStdString(fuzz::InMemoryFile(data, size));
    fuzz::Require(ReadListFile(path) == items, "the file and the bytes give different lists");
    return 0;
}
