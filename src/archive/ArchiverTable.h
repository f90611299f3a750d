#pragma once
// The archiver kinds: which library serves each, its export prefix and the file extensions
// that select it. Kinds 9 and 10 are unassigned.
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace pictavo {

inline constexpr std::int32_t kArchiverKindCount = 12;  // kinds 0..11
inline constexpr std::int32_t kNoArchiver = -1;

struct ArchiverTableRow {
    std::int32_t kind;
    const char* library;     // logical name; the loader reads ".dll" as ".so"
    const char* prefix;      // export prefix; the command export is the bare prefix
    QStringList extensions;  // ".zip" form, lower case
    bool queriesRunning;     // the cab library is never asked for its running-state function
};

// The ten assigned kinds in ascending order.
const std::array<ArchiverTableRow, 10>& ArchiverTable();
// The row of `kind`; empty for an unassigned or out-of-range kind.
std::optional<ArchiverTableRow> ArchiverRow(std::int32_t kind);

}  // namespace pictavo
