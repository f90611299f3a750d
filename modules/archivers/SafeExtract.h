#pragma once
// Writes one member of an untrusted archive below a destination folder and nowhere else:
// every folder on the way is opened without following links, the data goes to a temporary
// name that is renamed only when the member is complete, and sizes are bounded.
#include <cstdint>

#include "CommandLine.h"

namespace pictavo::archiver {

struct ExtractLimits {
    // The decoders' picture file limit: a larger member cannot be shown anyway.
    std::uint64_t maxMemberBytes = (std::uint64_t{1} << 30) + (std::uint64_t{1} << 20);
    // Extraction stops (and removes what it wrote) when the disk would have less free space.
    std::uint64_t reserveBytes = std::uint64_t{64} << 20;
};

enum class ExtractResult {
    Extracted,
    AlreadyThere,  // keepExisting and a plain file of that name lies there already
    Failed,        // nothing was left at the member's path (folders on the way may remain)
};

// Extracts `request.member` of `request.archive` (an archive of `kind`) below
// `request.destination`, creating the destination and the member's folders as needed.
// Only a plain-file member with a safe path is written. Never throws.
ExtractResult ExtractMember(Kind kind, const ExtractRequest& request, const ExtractLimits& limits = {});

}  // namespace pictavo::archiver
