#pragma once
/* The binary interface of a Pictavo archiver module.
 *
 * An archiver module is a shared object (for example "UnZip32.so") that Pictavo loads with
 * dlopen and calls through eight functions looked up by name. Each module has a name prefix
 * (P below: "UnZip", "Unlha", "SevenZip", "Cab", "Unrar", "Tar", ...) and exports, with C
 * linkage and the platform's native calling convention:
 *
 *   int32_t  P(ArcWindow window, const char* commandLine, char* output, uint32_t outputSize);
 *   uint8_t  PQueryFunctionList(int32_t functionNumber);
 *   uint8_t  PGetRunning(void);
 *   uint8_t  PCheckArchive(const char* archivePath, int32_t mode);
 *   ArcHandle POpenArchive(ArcWindow window, const char* archivePath, uint32_t mode);
 *   int32_t  PCloseArchive(ArcHandle archive);
 *   int32_t  PFindFirst(ArcHandle archive, const char* wildcard, ArcMemberRecord* record);
 *   int32_t  PFindNext(ArcHandle archive, ArcMemberRecord* record);
 *
 * Texts are NUL-terminated UTF-8 (file paths are the file system's bytes, which Pictavo
 * writes as UTF-8). A module converts member names of older archives (code page 932) to
 * UTF-8 before handing them out, so every name Pictavo sees, shows and asks for is UTF-8.
 *
 * P (the command) extracts members; Pictavo passes one command line naming the archive, the
 * destination folder and one member, with a null output buffer and size 0, and ignores the
 * result. The member must then lie below the destination folder under its path inside the
 * archive (folders created as needed), or nowhere: a module writes to a temporary name and
 * renames when the member is complete, never creates links, and never writes outside the
 * destination folder. The window handle is the owner window for any dialog (it may be null).
 *
 * PQueryFunctionList answers non-zero for each implemented function number (ArcFunction).
 * PGetRunning answers non-zero while the module is busy. PCheckArchive answers non-zero when
 * this module reads the file, judged by content; Pictavo passes mode 1. POpenArchive starts a
 * listing (Pictavo passes mode 0x02000020) and returns a handle owned by the module until
 * PCloseArchive, or null. PFindFirst (wildcard "*": every member) and PFindNext fill the
 * record and return 0 while members remain, any other value at the end or on failure.
 */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Window handles and archive handles are pointer-sized.
typedef void* ArcWindow;
typedef void* ArcHandle;

// The function numbers that PQueryFunctionList is asked about.
enum ArcFunction {
    kArcFunctionCommand = 0,
    kArcFunctionGetRunning = 8,
    kArcFunctionCheckArchive = 16,
    kArcFunctionQueryFunctionList = 19,
    kArcFunctionOpenArchive = 23,
    kArcFunctionCloseArchive = 24,
    kArcFunctionFindFirst = 25,
    kArcFunctionFindNext = 26
};

enum { kArcMemberPathBytes = 514, kArcMemberRecordBytes = 564 };

// One member as PFindFirst/PFindNext describe it. Pictavo reads `size` and `path`; the
// compressed size is informative. `path` uses "/" (or "\") between folders and is
// NUL-terminated within its 514 bytes; a member whose path does not fit is not listed.
#pragma pack(push, 1)
typedef struct ArcMemberRecord {
    uint32_t size;            // uncompressed size in bytes (0xFFFFFFFF when larger)
    uint32_t compressedSize;  // compressed size in bytes (0xFFFFFFFF when larger or unknown)
    uint8_t reserved1[18];
    char path[kArcMemberPathBytes];
    uint8_t reserved2[24];
} ArcMemberRecord;
#pragma pack(pop)

typedef int32_t (*ArcCommandFn)(ArcWindow, const char*, char*, uint32_t);
typedef uint8_t (*ArcQueryFunctionListFn)(int32_t);
typedef uint8_t (*ArcGetRunningFn)(void);
typedef uint8_t (*ArcCheckArchiveFn)(const char*, int32_t);
typedef ArcHandle (*ArcOpenArchiveFn)(ArcWindow, const char*, uint32_t);
typedef int32_t (*ArcCloseArchiveFn)(ArcHandle);
typedef int32_t (*ArcFindFirstFn)(ArcHandle, const char*, ArcMemberRecord*);
typedef int32_t (*ArcFindNextFn)(ArcHandle, ArcMemberRecord*);

#ifdef __cplusplus
}  // extern "C"

static_assert(sizeof(ArcMemberRecord) == kArcMemberRecordBytes);
static_assert(offsetof(ArcMemberRecord, size) == 0);
static_assert(offsetof(ArcMemberRecord, path) == 26);
#endif
