#pragma once
// The Susie plug-in manager: finds "*.spi" libraries in the chosen folders, loads each once,
// keeps them in discovery order until it goes, registers the picture plug-ins' extensions
// with the picture-format registry and tells the graphic adapter which plug-ins to try.
// At most one manager exists; the adapter finds it through TSPIs::Instance().
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "decode/PictureRegistry.h"
#include "decode/SusiePlugin.h"

namespace pictavo {

enum TSPISearchOption : std::uint8_t {
    spsSusieDir = 1 << 0,    // the folder named by the Susie registry value
    spsAppDir = 1 << 1,      // the program folder
    spsCurrentDir = 1 << 2,  // the current directory
    spsSystemDir = 1 << 3,   // the installed plug-in folder
    spsWindowsDir = 1 << 4,  // the shared Susie plug-in folder
};
using TSPISearchOptions = std::uint8_t;

// Where the options lead. Defaults: the program folder, <prefix>/lib/pictavo/plugins and
// /usr/lib/susie-plugins; the Susie folder comes from QSettings("Quorvane", "Susie"),
// key "Plug-in/Path". Tests point them elsewhere.
struct SPIFolders {
    QString appDir;
    QString systemDir;
    QString windowsDir;
    static SPIFolders Defaults();
};

class TSPIs {
public:
    // Called before a candidate is loaded; clearing `accept` skips it.
    std::function<void(const QString& fileName, bool& accept)> OnSearching;
    // Called once a plug-in is built; clearing `accept` discards it.
    std::function<void(const TSPI& spi, bool& accept)> OnSearch;
    // Called before an extension is registered; the handler may change or clear the decoder.
    std::function<void(const TInSPI& spi, const QString& extension, const QString& description,
                       std::shared_ptr<const PictureDecoder>& graphicClass)>
        OnPictureRegister;

    // The decoder registered for picture plug-in extensions; the program sets it to a
    // TSPIBitmap at start. Null registers nothing.
    static std::shared_ptr<const PictureDecoder> DefaultGraphicClass;

    // `registry` (may be null) receives the picture plug-ins' extensions and must outlive the
    // manager, which takes them out again when it goes. Throws ESPIDupCreateSPIs when another
    // manager exists.
    explicit TSPIs(PictureRegistry* registry, SPIFolders folders = SPIFolders::Defaults());
    // Unloads every plug-in, first to last, after removing their registrations.
    ~TSPIs();
    TSPIs(const TSPIs&) = delete;
    TSPIs& operator=(const TSPIs&) = delete;

    // The one manager of the process, or null.
    static TSPIs* Instance();

    bool MacBinary = true;
    bool GraphicPreview = false;
    TSPISearchOptions SearchOptions = 0;

    // Loads the libraries matching `mask` ("*.spi"): from the mask's own folder when it has
    // one, otherwise from each folder SearchOptions names. Never throws for a bad library.
    void SearchSPIs(const QString& mask);

    int Count() const { return static_cast<int>(items_.size()); }
    const TSPI& Items(int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    // Index of the first plug-in whose FileName equals `path` ignoring ASCII case, else -1.
    int IndexOfFileName(const QString& path) const;
    void Add(std::unique_ptr<TSPI> spi) { Insert(Count(), std::move(spi)); }
    // Puts `spi` at `i` and registers its extensions when it reads pictures.
    void Insert(int i, std::unique_ptr<TSPI> spi);
    void Delete(int i);
    void Clear();

    // The plug-ins of `kinds` (or derived kinds) to try on `fileName`: those declaring its
    // extension first, the latest loaded of them first, then the rest in discovery order.
    std::vector<const TSPI*> CollectSPIs(std::initializer_list<SPIKind> kinds, const QString& fileName) const;

private:
    void SearchFolder(QString folder, const QString& mask);
    void RegisterExtensions(const TInSPI& spi);
    QStringList OptionFolders() const;

    PictureRegistry* registry_;
    SPIFolders folders_;
    std::vector<std::unique_ptr<TSPI>> items_;
    std::vector<std::shared_ptr<const PictureDecoder>> registered_;
};

// Every extension pattern of a multi-pattern entry ("*.abc;*.DEF" -> "abc", "DEF"): the text
// after each pattern's first ".", or the whole pattern when it has none.
QStringList PatternExtensions(const QString& entry);

}  // namespace pictavo
