// The archiver modules' side of an untrusted archive: every module's claim and listing of the
// bytes, the member-path rule and the extraction command lines. Whatever the input, a listed
// path is safe and fits its record, and a parsed command names exactly one member.
#include <cstring>

#include "ArchiveReader.h"
#include "CommandLine.h"
#include "FuzzSupport.h"
#include "MemberListing.h"
#include "archive/MemberPath.h"

using namespace pictavo;
using namespace pictavo::archiver;

namespace {

constexpr Kind kKinds[] = {Kind::Zip, Kind::Lha, Kind::SevenZip, Kind::Cab, Kind::Rar, Kind::Tar};
// Enough members to reach deep into a listing without letting one input run for long.
constexpr int kMaxMembers = 64;

void ListAll(Kind kind, const std::string& path) {
    ClaimsFile(kind, path);
    const auto listing = MemberListing::Open(kind, path);
    if (!listing) return;
    ArcMemberRecord record{};
    bool found = listing->First("*", record);
    for (int i = 0; found && i < kMaxMembers; ++i) {
        const std::size_t length = strnlen(record.path, sizeof record.path);
        fuzz::Require(length < sizeof record.path, "listed path without its terminator");
        fuzz::Require(IsSafeMemberPath(std::string_view(record.path, length)), "unsafe path listed");
        found = listing->Next(record);
    }
}

void CheckPathRule(const std::string& text) {
    if (!IsSafeMemberPath(text)) return;
    for (const std::string& part : MemberPathComponents(text))
        fuzz::Require(!part.empty() && part != "." && part != ".." && part.find('/') == std::string::npos,
                      "a safe path split into a climbing component");
}

void CheckCommandLine(const std::string& text) {
    for (const Kind kind : kKinds) {
        const auto request = ParseExtractCommand(kind, text);
        if (request)
            fuzz::Require(
                !request->member.empty() && !request->archive.empty() && !request->destination.empty(),
                "a parsed command without all its parts");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzz::InMemoryFile(data, size);
    for (const Kind kind : kKinds) ListAll(kind, path);
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckPathRule(text);
    CheckCommandLine(text);
    return 0;
}
