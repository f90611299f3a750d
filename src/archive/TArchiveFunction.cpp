#include "archive/TArchiveFunction.h"

#include <QFile>

#include "archive/ArchiverTable.h"

namespace pictavo {

namespace {

constexpr std::int32_t kFunctionNumbers[] = {kArcFunctionCommand,      kArcFunctionGetRunning,
                                             kArcFunctionCheckArchive, kArcFunctionQueryFunctionList,
                                             kArcFunctionOpenArchive,  kArcFunctionCloseArchive,
                                             kArcFunctionFindFirst,    kArcFunctionFindNext};

template <typename F>
F Export(const SharedLibrary& library, const QString& prefix, const char* suffix) {
    return library.Function<F>((prefix + QLatin1String(suffix)).toLatin1().constData());
}

}  // namespace

SharedLibrary LoadArchiverModule(const QString& libraryName, const QString& moduleFolder) {
    return SharedLibrary(libraryName, moduleFolder);
}

TArchiveFunction::TArchiveFunction(const std::array<bool, 12>& load, const QString& moduleFolder) {
    for (const ArchiverTableRow& row : ArchiverTable())
        if (load[static_cast<std::size_t>(row.kind)]) LoadSlot(row.kind, moduleFolder);
}

TArchiveFunction::~TArchiveFunction() = default;

void TArchiveFunction::LoadSlot(std::int32_t kind, const QString& moduleFolder) {
    const ArchiverTableRow row = *ArchiverRow(kind);
    ArchiverSlot& slot = slots_[static_cast<std::size_t>(kind)];
    try {
        slot.library = LoadArchiverModule(QString::fromLatin1(row.library), moduleFolder);
    } catch (const SharedLibrary::LoadError&) {
        return;  // an absent module leaves its kind unavailable
    }
    slot.Loaded = true;
    slot.Complete = true;
    const QString prefix = QString::fromLatin1(row.prefix);
    slot.query = Export<ArcQueryFunctionListFn>(slot.library, prefix, "QueryFunctionList");
    slot.getRunning = Export<ArcGetRunningFn>(slot.library, prefix, "GetRunning");
    slot.command = Export<ArcCommandFn>(slot.library, prefix, "");
    slot.check = Export<ArcCheckArchiveFn>(slot.library, prefix, "CheckArchive");
    slot.open = Export<ArcOpenArchiveFn>(slot.library, prefix, "OpenArchive");
    slot.close = Export<ArcCloseArchiveFn>(slot.library, prefix, "CloseArchive");
    slot.findFirst = Export<ArcFindFirstFn>(slot.library, prefix, "FindFirst");
    slot.findNext = Export<ArcFindNextFn>(slot.library, prefix, "FindNext");
    // Without the query function nothing can be confirmed, so the module is never chosen.
    if (slot.query == nullptr) {
        slot.Complete = false;
        return;
    }
    for (const std::int32_t number : kFunctionNumbers) {
        if (number == kArcFunctionGetRunning && !row.queriesRunning) continue;
        if (slot.query(number) == 0) slot.Complete = false;
    }
}

const TArchiveFunction::ArchiverSlot* TArchiveFunction::Loaded(std::int32_t kind) const {
    if (!ArchiverRow(kind)) return nullptr;
    const ArchiverSlot& slot = slots_[static_cast<std::size_t>(kind)];
    return slot.Loaded ? &slot : nullptr;
}

bool TArchiveFunction::CheckArchive(std::int32_t kind, const QString& path, std::int32_t mode) const {
    const ArchiverSlot* slot = Loaded(kind);
    if (slot == nullptr || slot->check == nullptr) return false;
    return slot->check(QFile::encodeName(path).constData(), mode) != 0;
}

ArcHandle TArchiveFunction::OpenArchive(std::int32_t kind, ArcWindow window, const QString& path,
                                        std::uint32_t mode) const {
    const ArchiverSlot* slot = Loaded(kind);
    if (slot == nullptr || slot->open == nullptr) return nullptr;
    return slot->open(window, QFile::encodeName(path).constData(), mode);
}

std::int32_t TArchiveFunction::CloseArchive(std::int32_t kind, ArcHandle handle) const {
    const ArchiverSlot* slot = Loaded(kind);
    if (slot == nullptr || slot->close == nullptr) return 1;
    return slot->close(handle);
}

std::int32_t TArchiveFunction::FindFirst(std::int32_t kind, ArcHandle handle, const char* wildcard,
                                         ArcMemberRecord* record) const {
    const ArchiverSlot* slot = Loaded(kind);
    if (slot == nullptr || slot->findFirst == nullptr) return 2;
    return slot->findFirst(handle, wildcard, record);
}

std::int32_t TArchiveFunction::FindNext(std::int32_t kind, ArcHandle handle, ArcMemberRecord* record) const {
    const ArchiverSlot* slot = Loaded(kind);
    if (slot == nullptr || slot->findNext == nullptr) return 2;
    return slot->findNext(handle, record);
}

std::int32_t TArchiveFunction::RunCommand(std::int32_t kind, ArcWindow window, const QString& commandLine,
                                          char* output, std::uint32_t size) const {
    const ArchiverSlot* slot = Loaded(kind);
    if (slot == nullptr || slot->command == nullptr) return 1;
    if (kind == 6) window = nullptr;
    return slot->command(window, commandLine.toUtf8().constData(), output, size);
}

bool TArchiveFunction::IsLoaded(std::int32_t kind) const {
    return Loaded(kind) != nullptr;
}

bool TArchiveFunction::IsAvailable(std::int32_t kind) const {
    const ArchiverSlot* slot = Loaded(kind);
    return slot != nullptr && slot->Complete;
}

bool TArchiveFunction::IsReady(std::int32_t kind) const {
    if (!IsAvailable(kind)) return false;
    const ArchiverSlot& slot = slots_[static_cast<std::size_t>(kind)];
    return slot.getRunning == nullptr || slot.getRunning() == 0;
}

}  // namespace pictavo
