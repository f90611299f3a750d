#pragma once
// One listing in progress: what POpenArchive hands out and PFindFirst/PFindNext step through.
#include <memory>
#include <string>

#include "ArchiveReader.h"
#include "archive/ArchiverApi.h"

namespace pictavo::archiver {

class MemberListing {
public:
    // A listing of the archive at `path` read as `kind`; null when it cannot be read so.
    static std::unique_ptr<MemberListing> Open(Kind kind, const std::string& path);

    // Fills `record` with the first (or next) member that matches `wildcard` (fnmatch rules,
    // "*" for all): plain files and folders with a safe path that fits the record. Links,
    // devices and paths that could leave the extraction folder are passed over. False at the
    // end or when the archive breaks off.
    bool First(const std::string& wildcard, ArcMemberRecord& record);
    bool Next(ArcMemberRecord& record);

private:
    MemberListing(Kind kind, std::string path, Reader reader);

    Kind kind_;
    std::string path_;
    std::string wildcard_ = "*";
    Reader reader_;
    bool started_ = false;
};

}  // namespace pictavo::archiver
