#pragma once
// The archive manager: owns the archiver modules that the settings allow, records which of them
// are usable, and forwards each archive operation to the module of an archiver kind.
#include <QString>
#include <array>
#include <cstdint>

#include "archive/ArchiverApi.h"
#include "platform/SharedLibrary.h"

namespace pictavo {

// Loads the archiver module `libraryName` ("UnZip32.dll": the loader reads it as UnZip32.so)
// from `moduleFolder` (empty: the program folder), then through the loader's search path. Every
// module is loaded through here. Throws SharedLibrary::LoadError when it is nowhere.
SharedLibrary LoadArchiverModule(const QString& libraryName, const QString& moduleFolder = {});

class TArchiveFunction {
public:
    // Loads, in ascending kind order, each module whose element of `load` is true (elements 9
    // and 10 are ignored) and asks it about the functions the program calls. A module that is
    // missing is simply absent. `moduleFolder` as for LoadArchiverModule.
    explicit TArchiveFunction(const std::array<bool, 12>& load, const QString& moduleFolder = {});
    virtual ~TArchiveFunction();
    TArchiveFunction(const TArchiveFunction&) = delete;
    TArchiveFunction& operator=(const TArchiveFunction&) = delete;

    // Forwarders: each reaches the module when it is loaded (and has that export); otherwise
    // nothing is called and the result is false, null, 1, 2, 2 and 1 in this order. Paths
    // and command lines are passed as UTF-8.
    bool CheckArchive(std::int32_t kind, const QString& path, std::int32_t mode) const;
    ArcHandle OpenArchive(std::int32_t kind, ArcWindow window, const QString& path, std::uint32_t mode) const;
    std::int32_t CloseArchive(std::int32_t kind, ArcHandle handle) const;
    std::int32_t FindFirst(std::int32_t kind, ArcHandle handle, const char* wildcard,
                           ArcMemberRecord* record) const;
    std::int32_t FindNext(std::int32_t kind, ArcHandle handle, ArcMemberRecord* record) const;
    // The rar module always gets a null window, whatever the caller gives.
    std::int32_t RunCommand(std::int32_t kind, ArcWindow window, const QString& commandLine, char* output,
                            std::uint32_t size) const;

    bool IsLoaded(std::int32_t kind) const;
    // Loaded and every queried function reported as implemented.
    bool IsAvailable(std::int32_t kind) const;
    // Available and not busy right now.
    bool IsReady(std::int32_t kind) const;

private:
    struct ArchiverSlot {
        bool Loaded = false;
        bool Complete = false;
        SharedLibrary library;
        ArcQueryFunctionListFn query = nullptr;
        ArcGetRunningFn getRunning = nullptr;
        ArcCommandFn command = nullptr;
        ArcCheckArchiveFn check = nullptr;
        ArcOpenArchiveFn open = nullptr;
        ArcCloseArchiveFn close = nullptr;
        ArcFindFirstFn findFirst = nullptr;
        ArcFindNextFn findNext = nullptr;
    };

    void LoadSlot(std::int32_t kind, const QString& moduleFolder);
    // The slot of a loaded module, or null for any other kind.
    const ArchiverSlot* Loaded(std::int32_t kind) const;

    std::array<ArchiverSlot, 12> slots_;
};

}  // namespace pictavo
