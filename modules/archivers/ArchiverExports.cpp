// The exported functions of one archiver module. This file is built once per module with
// PICTAVO_ARCHIVER_PREFIX (the export prefix, e.g. UnZip) and PICTAVO_ARCHIVER_KIND (the
// archiver kind it serves) defined; see ArchiverApi.h for the contract.
#include <memory>

#include "ArchiveReader.h"
#include "CommandLine.h"
#include "MemberListing.h"
#include "SafeExtract.h"
#include "archive/ArchiverApi.h"

#define PICTAVO_JOIN2(a, b) a##b
#define PICTAVO_JOIN(a, b) PICTAVO_JOIN2(a, b)
#define PICTAVO_EXPORT(suffix) PICTAVO_JOIN(PICTAVO_ARCHIVER_PREFIX, suffix)
#define PICTAVO_API extern "C" __attribute__((visibility("default")))

namespace {

using namespace pictavo::archiver;

constexpr Kind kKind = static_cast<Kind>(PICTAVO_ARCHIVER_KIND);

// True while a call is inside the module; the program runs one call at a time, so this only
// answers a nested call made from a window handler during a long extraction.
bool busy = false;

class BusyScope {
public:
    BusyScope() { busy = true; }
    ~BusyScope() { busy = false; }
};

}  // namespace

PICTAVO_API int32_t PICTAVO_ARCHIVER_PREFIX(ArcWindow, const char* commandLine, char*, uint32_t) {
    if (commandLine == nullptr) return 1;
    try {
        BusyScope scope;
        const auto request = ParseExtractCommand(kKind, commandLine);
        if (!request) return 1;
        return ExtractMember(kKind, *request) == ExtractResult::Failed ? 1 : 0;
    } catch (...) {
        return 1;
    }
}

PICTAVO_API uint8_t PICTAVO_EXPORT(QueryFunctionList)(int32_t number) {
    switch (number) {
        case kArcFunctionCommand:
        case kArcFunctionGetRunning:
        case kArcFunctionCheckArchive:
        case kArcFunctionQueryFunctionList:
        case kArcFunctionOpenArchive:
        case kArcFunctionCloseArchive:
        case kArcFunctionFindFirst:
        case kArcFunctionFindNext:
            return 1;
        default:
            return 0;
    }
}

PICTAVO_API uint8_t PICTAVO_EXPORT(GetRunning)() {
    return busy ? 1 : 0;
}

PICTAVO_API uint8_t PICTAVO_EXPORT(CheckArchive)(const char* path, int32_t) {
    if (path == nullptr) return 0;
    try {
        BusyScope scope;
        return ClaimsFile(kKind, path) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

PICTAVO_API ArcHandle PICTAVO_EXPORT(OpenArchive)(ArcWindow, const char* path, uint32_t) {
    if (path == nullptr) return nullptr;
    try {
        BusyScope scope;
        return MemberListing::Open(kKind, path).release();
    } catch (...) {
        return nullptr;
    }
}

PICTAVO_API int32_t PICTAVO_EXPORT(CloseArchive)(ArcHandle handle) {
    delete static_cast<MemberListing*>(handle);
    return 0;
}

PICTAVO_API int32_t PICTAVO_EXPORT(FindFirst)(ArcHandle handle, const char* wildcard,
                                              ArcMemberRecord* record) {
    if (handle == nullptr || record == nullptr) return -1;
    try {
        BusyScope scope;
        return static_cast<MemberListing*>(handle)->First(wildcard != nullptr ? wildcard : "*", *record) ? 0
                                                                                                         : -1;
    } catch (...) {
        return -1;
    }
}

PICTAVO_API int32_t PICTAVO_EXPORT(FindNext)(ArcHandle handle, ArcMemberRecord* record) {
    if (handle == nullptr || record == nullptr) return -1;
    try {
        BusyScope scope;
        return static_cast<MemberListing*>(handle)->Next(*record) ? 0 : -1;
    } catch (...) {
        return -1;
    }
}
