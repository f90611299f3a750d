#include "decode/SusiePlugin.h"

#include <QFileInfo>
#include <array>
#include <cstring>

namespace pictavo {

namespace {

// The designed texts; %1 is a path or an export name.
QString OpenErrorText(const QString& path) {
    return QStringLiteral("%1:Susie Pluginがロードできませんでした").arg(path);
}

QString InvalidApiText(const char* name, const QString& fileName) {
    return QStringLiteral("%1は[%2]では使えないSusie Plugin APIです")
        .arg(QString::fromLatin1(name), fileName);
}

template <class F>
F Entry(const SharedLibrary& library, const char* name) {
    return library.Function<F>(name);
}

}  // namespace

TSPI::TSPI(const QString& path) {
    try {
        library_ = SharedLibrary(path);
    } catch (const SharedLibrary::LoadError&) {
        throw ESPIFOpenErrorSPI(OpenErrorText(path).toStdString());
    }
    // The whole path: cut to a length, it would name another file and defeat the duplicate test.
    fileName_ = library_.ModulePath();
    if (fileName_.isEmpty()) fileName_ = path;
    entries_.getPluginInfo = Entry<SPI_GetPluginInfo>(library_, "GetPluginInfo");
    entries_.configurationDlg = Entry<SPI_ConfigurationDlg>(library_, "ConfigurationDlg");
    entries_.isSupported = Entry<SPI_IsSupported>(library_, "IsSupported");
    entries_.getPictureInfo = Entry<SPI_GetPictureInfo>(library_, "GetPictureInfo");
    entries_.getPicture = Entry<SPI_GetPicture>(library_, "GetPicture");
    entries_.getPreview = Entry<SPI_GetPreview>(library_, "GetPreview");
    entries_.getArchiveInfo = Entry<SPI_GetArchiveInfo>(library_, "GetArchiveInfo");
    entries_.getFileInfo = Entry<SPI_GetFileInfo>(library_, "GetFileInfo");
    entries_.getFile = Entry<SPI_GetFile>(library_, "GetFile");
}

void TSPI::Require(const void* entry, const char* name) const {
    if (entry == nullptr) throw ESPIInvalidAPI(InvalidApiText(name, fileName_).toStdString());
}

void TSPI::CheckAPI() const {
    Require(reinterpret_cast<const void*>(entries_.getPluginInfo), "GetPluginInfo");
}

void TLoaderSPI::CheckAPI() const {
    TSPI::CheckAPI();
    Require(reinterpret_cast<const void*>(entries_.isSupported), "IsSupported");
}

void TInSPI::CheckAPI() const {
    TLoaderSPI::CheckAPI();
    Require(reinterpret_cast<const void*>(entries_.getPictureInfo), "GetPictureInfo");
    Require(reinterpret_cast<const void*>(entries_.getPicture), "GetPicture");
}

void TAmSPI::CheckAPI() const {
    TLoaderSPI::CheckAPI();
    Require(reinterpret_cast<const void*>(entries_.getArchiveInfo), "GetArchiveInfo");
    Require(reinterpret_cast<const void*>(entries_.getFileInfo), "GetFileInfo");
    Require(reinterpret_cast<const void*>(entries_.getFile), "GetFile");
}

// One information text. The buffer is one byte longer than the plug-in is told and ends in
// NUL whatever the plug-in wrote, so a plug-in that fills it completely cannot run us off it.
QString TSPI::InfoText(int32_t index, bool* present) const {
    std::array<char, SPI_INFO_BUFLEN + 1> buffer{};
    const int32_t result = GetPluginInfo(index, buffer.data(), SPI_INFO_BUFLEN);
    buffer.back() = '\0';
    *present = result > 0;
    return *present ? QString::fromUtf8(buffer.data(), qsizetype(std::strlen(buffer.data()))) : QString();
}

void TSPI::ReadInformation() {
    bool present = false;
    apiVersion_ = InfoText(0, &present);
    pluginName_ = InfoText(1, &present);
    // A plug-in that never stops answering would keep us here: 1000 pairs are plenty.
    for (int32_t n = 2; n < 2002; n += 2) {
        bool hasPattern = false;
        bool hasName = false;
        const QString pattern = InfoText(n, &hasPattern);
        if (!hasPattern) break;
        const QString name = InfoText(n + 1, &hasName);
        if (!hasName) break;
        extensions_.append(pattern);
        formatNames_.append(name);
    }
}

int32_t TSPI::GetPluginInfo(int32_t infono, char* buf, int32_t buflen) const {
    Require(reinterpret_cast<const void*>(entries_.getPluginInfo), "GetPluginInfo");
    return entries_.getPluginInfo(infono, buf, buflen);
}

int32_t TSPI::IsSupported(const char* filename, const void* dw) const {
    Require(reinterpret_cast<const void*>(entries_.isSupported), "IsSupported");
    return entries_.isSupported(filename, dw);
}

int32_t TSPI::GetPictureInfo(const char* buf, intptr_t len, uint32_t flag, PictureInfo* info) const {
    Require(reinterpret_cast<const void*>(entries_.getPictureInfo), "GetPictureInfo");
    return entries_.getPictureInfo(buf, len, flag, info);
}

int32_t TSPI::GetPicture(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* info, SPI_HANDLE* bits,
                         SPI_PROGRESS progress, intptr_t data) const {
    Require(reinterpret_cast<const void*>(entries_.getPicture), "GetPicture");
    return entries_.getPicture(buf, len, flag, info, bits, progress, data);
}

int32_t TSPI::GetPreview(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* info, SPI_HANDLE* bits,
                         SPI_PROGRESS progress, intptr_t data) const {
    Require(reinterpret_cast<const void*>(entries_.getPreview), "GetPreview");
    return entries_.getPreview(buf, len, flag, info, bits, progress, data);
}

namespace {

std::unique_ptr<TSPI> LoadAsKind(const QString& path, const QString& apiVersion) {
    if (apiVersion == QLatin1String("00IN")) return TSPI::Load<TInSPI>(path);
    if (apiVersion == QLatin1String("00AM")) return TSPI::Load<TAmSPI>(path);
    if (apiVersion == QLatin1String("00XN")) return TSPI::Load<TXnSPI>(path);
    return TSPI::Load<TSPI>(path);
}

}  // namespace

std::unique_ptr<TSPI> CreateSPI(const QString& path) {
    try {
        // The probe stays loaded until the result has its own load, so the library's
        // constructors run once.
        const std::unique_ptr<TSPI> probe = TSPI::Load<TSPI>(path);
        return LoadAsKind(path, probe->APIVersion());
    } catch (const ESPIFOpenErrorSPI&) {
        return nullptr;
    } catch (const ESPIInvalidSPI&) {
        return nullptr;
    } catch (const ESPIInvalidAPI&) {
        // A library without the exports its kind needs is no more usable than one that does
        // not load: skipping it lets the search go on with the rest.
        return nullptr;
    }
}

}  // namespace pictavo
