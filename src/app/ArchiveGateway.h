#pragma once
// The launcher's door to archive access: which archivers are there, which one claims a file,
// and the listing of an archive's pictures. NoArchivers stands for a machine without any
// archiver: the archive menu entry is disabled and every non-folder path is unclaimed.
#include <QString>
#include <cstdint>

#include "config/Settings.h"
#include "sources/AppState.h"

namespace pictavo {

// What the archive open dialog offers when no archiver is available.
inline constexpr const char* kAllFilesFilter = "全てのファイル|*";

// Turns a "text|patterns|text|patterns" filter into Qt's "text (p1 p2);;..." form.
QString QtNameFilters(const QString& filter);

class ArchiveGateway {
public:
    virtual ~ArchiveGateway() = default;

    // Loads the archivers that the settings allow; called once while the launcher is created.
    virtual void Load(const Settings& settings) = 0;
    // The archive open dialog's filter ("text|patterns|..."), restricted to what is available.
    virtual QString OpenDialogFilter() const = 0;
    // False when no archiver at all is available (the archive menu entry is then disabled).
    virtual bool AnyAvailable() const = 0;
    // The kind of archiver that claims `path`, or -1.
    virtual std::int32_t DetectArchiver(const QString& path) = 0;
    // Whether the archiver of `kind` can be used now (false for -1).
    virtual bool IsReady(std::int32_t kind) const = 0;
    // Sets ArchivePath, appends the picture members of `path` to ImageList and counts them in
    // ImageCount, using CurrentArchiver. An unreadable archive is reported to the user here.
    virtual void ListArchive(const QString& path, AppState& state) = 0;
};

class NoArchivers final : public ArchiveGateway {
public:
    void Load(const Settings&) override {}
    QString OpenDialogFilter() const override { return kAllFilesFilter; }
    bool AnyAvailable() const override { return false; }
    std::int32_t DetectArchiver(const QString&) override { return -1; }
    bool IsReady(std::int32_t) const override { return false; }
    void ListArchive(const QString&, AppState&) override {}
};

}  // namespace pictavo
