#include "platform/SharedLibrary.h"

#include <dlfcn.h>
#include <link.h>
#include <QFile>
#include <QFileInfo>

#include "platform/ProgramPaths.h"

namespace pictavo {
namespace {

void* OpenLibrary(const QString& path) {
    // RTLD_LOCAL keeps two plug-ins that export the same names apart.
    return ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

QString LastLoaderError() {
    const char* text = ::dlerror();
    return text != nullptr ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
}

}  // namespace

QString NativeLibraryName(const QString& name) {
    if (name.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive)) return name.chopped(4) + QStringLiteral(".so");
    return name;
}

SharedLibrary::SharedLibrary(const QString& nameOrPath, const QString& programFolder) {
    if (nameOrPath.contains(u'/')) {
        handle_ = OpenLibrary(nameOrPath);
    } else {
        const QString fileName = NativeLibraryName(nameOrPath);
        const QString local = (programFolder.isEmpty() ? ModuleFolder() : programFolder) + u'/' + fileName;
        if (QFileInfo::exists(local)) handle_ = OpenLibrary(local);
        if (handle_ == nullptr) handle_ = OpenLibrary(fileName);
    }
    if (handle_ == nullptr) throw LoadError(LastLoaderError().toStdString());
}

SharedLibrary::~SharedLibrary() { Unload(); }

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        Unload();
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

void* SharedLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    return ::dlsym(handle_, name);
}

QString SharedLibrary::ModulePath() const {
    if (handle_ == nullptr) return {};
    // The loader's own map names the file it mapped, also when it was found by search path.
    struct link_map* map = nullptr;
    if (::dlinfo(handle_, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr) return {};
    return QFileInfo(QFile::decodeName(map->l_name)).absoluteFilePath();
}

void SharedLibrary::Unload() {
    if (handle_ != nullptr) ::dlclose(handle_);
    handle_ = nullptr;
}

}  // namespace pictavo
