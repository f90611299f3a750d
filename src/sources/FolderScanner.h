#pragma once
// The recursive folder scan that fills ImageList: keeps the files whose extension is in
// LoadExtensions and, when the size filter is on, whose size lies in the range.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <set>
#include <utility>

#include "config/Settings.h"
#include "sources/Extensions.h"

struct dirent;

namespace pictavo {

struct ScanOptions {
    bool IsGetSubDirectory = true;
    bool IsUseFileSizeFilter = false;
    std::uint32_t FileSizeMin = 0;  // bytes, inclusive
    std::uint32_t FileSizeMax = 0;  // bytes, inclusive
    QStringList LoadExtensions;

    // The options of the user's settings; the stored bounds are read as unsigned 32-bit.
    static ScanOptions FromSettings(const Settings& settings);
};

// How the scan talks to the rest of the program while it runs. Every hook may be empty.
struct ScanHooks {
    // Runs before each directory entry; the program lets pending events run here (rate-limited).
    std::function<void()> betweenEntries;
    // Read after each entry: true stops this folder and every parent at their next entry.
    std::function<bool()> cancelRequested;
    // Called when a folder (or sub-folder) is finished, with the running count of the list.
    std::function<void(std::int32_t count)> folderFinished;
};

class FolderScanner {
public:
    FolderScanner(ScanOptions options, ScanHooks hooks);

    // Appends the accepted files below `folder` to `list` as "folder/name" (the folder text as
    // given, trimmed of blanks and control characters), adds their number to `count` and
    // sorts the whole list ignoring case. A folder that cannot be read adds nothing, and when
    // it is `folder` itself nothing is sorted or reported either. Links are followed; a folder
    // reached twice (same device and inode) is entered once. Throws nothing.
    void Scan(const QString& folder, QStringList& list, std::int32_t& count);

private:
    using FolderId = std::pair<unsigned long long, unsigned long long>;  // device, inode

    // Returns false when the folder could not be read (or was seen already).
    bool ScanDirectory(int parentFd, const char* name, const QString& path, QStringList& list,
                       std::int32_t& count);
    void ScanEntry(int dirFd, const dirent& entry, const QString& prefix, QStringList& list,
                   std::int32_t& count);
    bool SizeAccepted(std::uint64_t size) const;
    bool Cancelled() const { return hooks_.cancelRequested && hooks_.cancelRequested(); }

    ScanOptions options_;
    ScanHooks hooks_;
    ExtensionMatcher matcher_;
    std::set<FolderId> visited_;
};

}  // namespace pictavo
