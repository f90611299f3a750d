#include "archive/ArchiverTable.h"

namespace pictavo {

const std::array<ArchiverTableRow, 10>& ArchiverTable() {
    static const std::array<ArchiverTableRow, 10> table{{
        {0, "UnZip32.dll", "UnZip", {".zip"}, true},
        {1, "Unlha32.dll", "Unlha", {".lzh", ".lha", ".lzs"}, true},
        {2, "7-Zip32.dll", "SevenZip", {".7z"}, true},
        {3, "cab32.dll", "Cab", {".cab"}, false},
        {4, "UnGCA32.dll", "UnGCA", {".gca"}, true},
        {5, "Unarj32j.dll", "Unarj", {".arj"}, true},
        {6, "Unrar32.dll", "Unrar", {".rar"}, true},
        {7, "Bga32.dll", "Bga", {".gza", ".bza"}, true},
        {8, "Tar32.dll", "Tar", {".tar", ".tgz", ".taz", ".gz", ".z", ".bz2", ".cpio", ".rpm", ".deb"}, true},
        {11, "Yz1.dll", "Yz1", {".yz1"}, true},
    }};
    return table;
}

std::optional<ArchiverTableRow> ArchiverRow(std::int32_t kind) {
    for (const ArchiverTableRow& row : ArchiverTable())
        if (row.kind == kind) return row;
    return std::nullopt;
}

}  // namespace pictavo
