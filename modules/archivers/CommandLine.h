#pragma once
// The extraction command lines that each archiver module understands: its own command word,
// options, quoting and (for zip) the escapes of "[" and "]" in member names. No shell ever
// sees a command line: it is taken apart here and nowhere else.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ArchiveReader.h"

namespace pictavo::archiver {

// What one command line asks for: extract `member` of `archive` below `destination`.
struct ExtractRequest {
    std::string archive;
    std::string destination;
    std::string member;
    std::string password;
    bool keepExisting = false;  // "-n" (zip, lha, cab), "-aos" (7z): an existing copy stays
};

// Words split at blanks; a word that begins with a double quote runs to the next one and must
// end there (a quote inside a word is refused). Empty when the line is malformed.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line);

// The request of an extraction command line of `kind`. Empty for anything else: another
// command, a missing or repeated part, extra words (a password with a blank, a member name
// with a quote), so that a line that cannot be read exactly extracts nothing at all.
std::optional<ExtractRequest> ParseExtractCommand(Kind kind, std::string_view line);

}  // namespace pictavo::archiver
