#include "MemberListing.h"

#include <fnmatch.h>

#include <cstring>

#include "archive/MemberPath.h"

namespace pictavo::archiver {

namespace {

std::uint32_t Clamp32(la_int64_t value) {
    return value < 0 || value > 0xFFFFFFFF ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

}  // namespace

MemberListing::MemberListing(Kind kind, std::string path, Reader reader)
    : kind_(kind), path_(std::move(path)), reader_(std::move(reader)) {}

std::unique_ptr<MemberListing> MemberListing::Open(Kind kind, const std::string& path) {
    Utf8Locale locale;
    Reader reader = OpenReader(kind, path);
    if (!reader) return nullptr;
    return std::unique_ptr<MemberListing>(new MemberListing(kind, path, std::move(reader)));
}

bool MemberListing::First(const std::string& wildcard, ArcMemberRecord& record) {
    if (started_) {  // a second search starts over from the first member
        Utf8Locale locale;
        reader_ = OpenReader(kind_, path_);
        if (!reader_) return false;
    }
    wildcard_ = wildcard.empty() ? "*" : wildcard;
    return Next(record);
}

bool MemberListing::Next(ArcMemberRecord& record) {
    if (!reader_) return false;
    started_ = true;
    Utf8Locale locale;
    archive_entry* entry = nullptr;
    while (NextEntry(reader_.get(), entry)) {
        const bool listable = IsPlainFile(entry) || archive_entry_filetype(entry) == AE_IFDIR;
        if (!listable) continue;
        const std::string name = MemberName(reader_.get(), entry, path_);
        if (!IsSafeMemberPath(name) || fnmatch(wildcard_.c_str(), name.c_str(), 0) != 0) continue;
        std::memset(&record, 0, sizeof record);
        record.size = Clamp32(archive_entry_size(entry));
        record.compressedSize = 0xFFFFFFFFu;
        std::memcpy(record.path, name.data(), name.size());  // fits: IsSafeMemberPath bounds it
        return true;
    }
    return false;
}

}  // namespace pictavo::archiver
