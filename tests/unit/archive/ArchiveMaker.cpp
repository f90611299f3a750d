#include "ArchiveMaker.h"

#include <archive.h>
#include <archive_entry.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <memory>

namespace pictavo::test {

namespace {

void SetFormat(archive* writer, Format format) {
    if (format == Format::Zip) archive_write_set_format_zip(writer);
    if (format == Format::SevenZip) archive_write_set_format_7zip(writer);
    if (format == Format::Tar || format == Format::TarGz) archive_write_set_format_pax_restricted(writer);
    if (format == Format::Cpio) archive_write_set_format_cpio_newc(writer);
    if (format == Format::LoneGz) archive_write_set_format_raw(writer);
    if (format == Format::TarGz || format == Format::LoneGz) archive_write_add_filter_gzip(writer);
}

bool WriteWithLibarchive(const std::string& path, Format format, const std::vector<Member>& members,
                         const std::string& options, const std::string& password) {
    std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), archive_write_free);
    SetFormat(writer.get(), format);
    if (!options.empty()) archive_write_set_options(writer.get(), options.c_str());
    if (!password.empty()) archive_write_set_passphrase(writer.get(), password.c_str());
    if (archive_write_open_filename(writer.get(), path.c_str()) != ARCHIVE_OK) return false;
    for (const Member& member : members) {
        if (format == Format::LoneGz && &member != &members.front()) break;  // it holds one file
        std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                            archive_entry_free);
        archive_entry_set_pathname_utf8(entry.get(), member.name.c_str());
        archive_entry_set_mtime(entry.get(), 1700000000, 0);
        const bool file = member.type == Member::File;
        archive_entry_set_filetype(entry.get(), member.type == Member::Folder    ? AE_IFDIR
                                                : member.type == Member::Symlink ? AE_IFLNK
                                                                                 : AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        if (member.type == Member::Symlink) archive_entry_set_symlink(entry.get(), member.target.c_str());
        if (member.type == Member::Hardlink) archive_entry_set_hardlink(entry.get(), member.target.c_str());
        archive_entry_set_size(entry.get(), file ? static_cast<la_int64_t>(member.data.size()) : 0);
        if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK) return false;
        if (file) archive_write_data(writer.get(), member.data.data(), member.data.size());
    }
    return archive_write_close(writer.get()) == ARCHIVE_OK;
}

// lha and gcab take their members from files in the current folder.
bool WriteWithTool(const std::string& path, Format format, const std::vector<Member>& members) {
    const QString tool = format == Format::Lha ? "lha" : "gcab";
    if (QStandardPaths::findExecutable(tool).isEmpty()) return false;
    QTemporaryDir folder;
    QStringList arguments{format == Format::Lha ? "a" : "-c", QString::fromStdString(path)};
    for (const Member& member : members) {
        const QString name = QString::fromStdString(member.name);
        QDir(folder.path()).mkpath(QFileInfo(name).path());
        std::ofstream(folder.filePath(name).toStdString(), std::ios::binary) << member.data;
        arguments.append(name);
    }
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(tool, arguments);
    return process.waitForFinished() && process.exitCode() == 0;
}

// Appends `value` as `bytes` little-endian bytes.
void Put(std::string& out, unsigned long value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A rar 4 block: its header CRC is the low half of the CRC-32 of everything after the field.
std::string Block(const std::string& body) {
    std::string block;
    Put(block, crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size()) & 0xFFFF, 2);
    return block + body;
}

bool WriteRar(const std::string& path, const std::vector<Member>& members) {
    // The marker, then the main header: type 0x73, no flags, 13 bytes, nothing reserved.
    std::string out =
        std::string("Rar!\x1a\x07\x00", 7) + Block(std::string("\x73\0\0\x0d\0\0\0\0\0\0\0", 11));
    for (const Member& m : members) {
        const unsigned long size = m.data.size(), nameSize = m.name.size();
        const unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), m.data.size());
        // A file header: flags, header size, packed and unpacked size, host MS-DOS, CRC, time
        // 2025-01-01, version 2.0, method "stored", name length, attributes.
        std::string header{'\x74'};
        const unsigned long values[] = {0x8000,     32 + nameSize, size, size,     0,   crc,
                                        0x5A210000, 0x14,          0x30, nameSize, 0x20};
        const int widths[] = {2, 2, 4, 4, 1, 4, 4, 1, 1, 2, 4};
        for (int i = 0; i < 11; ++i) Put(header, values[i], widths[i]);
        out += Block(header + m.name) + m.data;
    }
    out += std::string("\xc4\x3d\x7b\x00\x40\x07\x00", 7);
    std::ofstream(path, std::ios::binary) << out;
    return true;
}

}  // namespace

bool WriteArchive(const std::string& path, Format format, const std::vector<Member>& members,
                  const std::string& options, const std::string& password) {
    if (format == Format::Lha || format == Format::Cab) return WriteWithTool(path, format, members);
    if (format == Format::Rar) return WriteRar(path, members);
    return WriteWithLibarchive(path, format, members, options, password);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PatchFile(const std::string& path, const std::string& from, const std::string& to) {
    std::string bytes = ReadFile(path);
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void SetZipDeclaredSize(const std::string& path, unsigned size) {
    std::string bytes = ReadFile(path);
    std::string field;
    Put(field, size, 4);
    for (const auto& [signature, offset] :
         {std::pair{std::string("PK\x01\x02", 4), 24}, {std::string("PK\x03\x04", 4), 22}})
        for (std::size_t at = bytes.find(signature); at != std::string::npos;
             at = bytes.find(signature, at + 4))
            bytes.replace(at + offset, 4, field);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace pictavo::test
