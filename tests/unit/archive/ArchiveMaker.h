#pragma once
// Test archives made by code: libarchive writes zip, 7z, tar (plain and gzip), cpio and a lone
// gzip file; Debian's lha and gcab write lha and cab; a stored-only rar is put together byte by
// byte, since no free tool writes rar.
#include <string>
#include <vector>

namespace pictavo::test {

struct Member {
    enum Type { File, Folder, Symlink, Hardlink };
    std::string name;
    std::string data;
    Type type = File;
    std::string target = {};  // of a link
};

enum class Format { Zip, SevenZip, Tar, TarGz, Cpio, LoneGz, Lha, Cab, Rar };

// Writes `members` as an archive of `format` to `path`. `options` go to libarchive's writer
// (for example "zip:encryption=zipcrypt" with `password`). False when a tool is missing.
bool WriteArchive(const std::string& path, Format format, const std::vector<Member>& members,
                  const std::string& options = {}, const std::string& password = {});

// Replaces every occurrence of `from` by `to` (same length) in the file: names in a raw code
// page, or sizes that lie.
void PatchFile(const std::string& path, const std::string& from, const std::string& to);

// Changes the uncompressed size that a zip's headers give for every member.
void SetZipDeclaredSize(const std::string& path, unsigned size);

std::string ReadFile(const std::string& path);

}  // namespace pictavo::test
