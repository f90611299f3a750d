#pragma once
// One loaded Susie plug-in library and its kind, chosen by the API version it reports:
// "00IN" pictures (TInSPI), "00AM" archives (TAmSPI), "00XN" (TXnSPI), anything else TSPI.
// Each object owns its library load; the library is unloaded when the object goes.
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

#include "decode/SusiePluginApi.h"
#include "platform/SharedLibrary.h"

namespace pictavo {

// Base of the plug-in host's errors; what() is the text a user may be shown (UTF-8).
class ESPIError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// The library could not be loaded.
class ESPIFOpenErrorSPI : public ESPIError {
public:
    using ESPIError::ESPIError;
};
// An export that the plug-in's kind needs is missing.
class ESPIInvalidAPI : public ESPIError {
public:
    using ESPIError::ESPIError;
};
// Not a usable plug-in; treated like a load failure.
class ESPIInvalidSPI : public ESPIError {
public:
    using ESPIError::ESPIError;
};
// A second plug-in manager was created.
class ESPIDupCreateSPIs : public ESPIError {
public:
    using ESPIError::ESPIError;
};

enum class SPIKind { Other, Loader, In, Am, Xn };

class TSPI {
public:
    virtual ~TSPI() = default;
    TSPI(const TSPI&) = delete;
    TSPI& operator=(const TSPI&) = delete;

    // Loads `path` as plug-in kind K and reads its information texts. Throws
    // ESPIFOpenErrorSPI when the library does not load and ESPIInvalidAPI when an export the
    // kind needs is missing; nothing stays loaded then.
    template <class K>
    static std::unique_ptr<K> Load(const QString& path) {
        std::unique_ptr<K> plugin(new K(path));
        plugin->CheckAPI();
        plugin->ReadInformation();
        return plugin;
    }

    virtual SPIKind Kind() const { return SPIKind::Other; }
    // True for the kinds that read files (pictures or archives).
    virtual bool CanLoad() const { return false; }

    // The loaded module's full path (the path asked for when the loader cannot tell).
    const QString& FileName() const { return fileName_; }
    const QString& APIVersion() const { return apiVersion_; }
    const QString& PluginName() const { return pluginName_; }
    // The pattern strings ("*.abc;*.def") and format names, one pair per information pair.
    const QStringList& Extensions() const { return extensions_; }
    const QStringList& FormatNames() const { return formatNames_; }

    // The plug-in calls, arguments passed through unchanged. Each throws ESPIInvalidAPI when
    // the library lacks the export.
    int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) const;
    int32_t IsSupported(const char* filename, const void* dw) const;
    int32_t GetPictureInfo(const char* buf, intptr_t len, uint32_t flag, PictureInfo* info) const;
    int32_t GetPicture(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* info, SPI_HANDLE* bits,
                       SPI_PROGRESS progress, intptr_t data) const;
    int32_t GetPreview(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* info, SPI_HANDLE* bits,
                       SPI_PROGRESS progress, intptr_t data) const;

protected:
    explicit TSPI(const QString& path);
    // Throws ESPIInvalidAPI for the first export the kind needs that the library lacks.
    virtual void CheckAPI() const;
    void Require(const void* entry, const char* name) const;

    struct Entries {
        SPI_GetPluginInfo getPluginInfo = nullptr;
        SPI_ConfigurationDlg configurationDlg = nullptr;
        SPI_IsSupported isSupported = nullptr;
        SPI_GetPictureInfo getPictureInfo = nullptr;
        SPI_GetPicture getPicture = nullptr;
        SPI_GetPreview getPreview = nullptr;
        SPI_GetArchiveInfo getArchiveInfo = nullptr;
        SPI_GetFileInfo getFileInfo = nullptr;
        SPI_GetFile getFile = nullptr;
    } entries_;

private:
    void ReadInformation();
    QString InfoText(int32_t index, bool* present) const;

    SharedLibrary library_;
    QString fileName_;
    QString apiVersion_;
    QString pluginName_;
    QStringList extensions_;
    QStringList formatNames_;
};

class TLoaderSPI : public TSPI {
public:
    SPIKind Kind() const override { return SPIKind::Loader; }

protected:
    using TSPI::TSPI;
    void CheckAPI() const override;
};

class TInSPI : public TLoaderSPI {
public:
    SPIKind Kind() const override { return SPIKind::In; }
    bool CanLoad() const override { return true; }

protected:
    friend class TSPI;
    using TLoaderSPI::TLoaderSPI;
    void CheckAPI() const override;
};

class TAmSPI : public TLoaderSPI {
public:
    SPIKind Kind() const override { return SPIKind::Am; }
    bool CanLoad() const override { return true; }

protected:
    friend class TSPI;
    using TLoaderSPI::TLoaderSPI;
    void CheckAPI() const override;
};

class TXnSPI : public TSPI {
public:
    SPIKind Kind() const override { return SPIKind::Xn; }

protected:
    friend class TSPI;
    using TSPI::TSPI;
};

// Loads `path` once as a probe, then again as the kind its API version names. Returns null
// when the library cannot be loaded (ESPIFOpenErrorSPI, ESPIInvalidSPI) or lacks an export its
// kind needs (ESPIInvalidAPI): such a file is skipped like any other non-plug-in.
std::unique_ptr<TSPI> CreateSPI(const QString& path);

}  // namespace pictavo
