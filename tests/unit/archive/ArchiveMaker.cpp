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

void Put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, unsigned long value) {
    Put16(out, value & 0xFFFF);
    Put16(out, (value >> 16) & 0xFFFF);
}

// A rar 4 block: its header CRC is the low half of the CRC-32 of everything after the field.
std::string Block(const std::string& body) {
    const unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size());
    std::string block;
    Put16(block, crc & 0xFFFF);
    return block + body;
}

bool WriteRar(const std::string& path, const std::vector<Member>& members) {
    std::string out = "Rar!\x1a\x07\x00";
    out.resize(7);
    std::string main{'\x73'};
    Put16(main, 0);
    Put16(main, 13);
    Put16(main, 0);
    Put32(main, 0);
    out += Block(main);
    for (const Member& member : members) {
        std::string header{'\x74'};
        Put16(header, 0x8000);
        Put16(header, 32 + static_cast<unsigned>(member.name.size()));
        Put32(header, member.data.size());
        Put32(header, member.data.size());
        header += '\x00';  // written on MS-DOS
        Put32(header, crc32(0, reinterpret_cast<const Bytef*>(member.data.data()), member.data.size()));
        Put32(header, 0x5A210000);  // 2025-01-01
        header += '\x14';           // version 2.0
        header += '\x30';           // stored
        Put16(header, static_cast<unsigned>(member.name.size()));
        Put32(header, 0x20);
        out += Block(header + member.name) + member.data;
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
    Put32(field, size);
    for (const auto& [signature, offset] :
         {std::pair{std::string("PK\x01\x02", 4), 24}, {std::string("PK\x03\x04", 4), 22}})
        for (std::size_t at = bytes.find(signature); at != std::string::npos;
             at = bytes.find(signature, at + 4))
            bytes.replace(at + offset, 4, field);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace pictavo::test
