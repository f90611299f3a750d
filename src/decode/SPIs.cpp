#include "decode/SPIs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "platform/NameExtension.h"
#include "platform/ProgramPaths.h"

namespace pictavo {

namespace {

TSPIs* instance = nullptr;

QString WithSlash(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

bool SameAsciiCaseless(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x != y) return false;
    }
    return true;
}

// The Susie folder from the registry value. A value that is not a string (a list, say)
// names no folder.
QString SusieFolder() {
    const QVariant value =
        QSettings(QStringLiteral("Quorvane"), QStringLiteral("Susie")).value("Plug-in/Path");
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool IsOfKind(SPIKind have, std::initializer_list<SPIKind> wanted) {
    for (const SPIKind kind : wanted) {
        if (kind == have || kind == SPIKind::Other) return true;
        if (kind == SPIKind::Loader && (have == SPIKind::In || have == SPIKind::Am)) return true;
    }
    return false;
}

}  // namespace

std::shared_ptr<const PictureDecoder> TSPIs::DefaultGraphicClass;

SPIFolders SPIFolders::Defaults() {
    // An installed program's own folder holds no modules: its plug-ins lie beside the archivers.
    return {ModuleFolder(), SystemPluginFolder(), QStringLiteral("/usr/lib/susie-plugins")};
}

QStringList PatternExtensions(const QString& entry) {
    QStringList result;
    for (const QString& pattern : entry.split(u';')) {
        const qsizetype dot = pattern.indexOf(u'.');
        result.append(dot < 0 ? pattern : pattern.mid(dot + 1));
    }
    return result;
}

TSPIs::TSPIs(PictureRegistry* registry, SPIFolders folders)
    : registry_(registry), folders_(std::move(folders)) {
    if (instance != nullptr) throw ESPIDupCreateSPIs("TSPIs は複数生成できません");
    instance = this;
}

TSPIs::~TSPIs() {
    Clear();
    if (instance == this) instance = nullptr;
}

TSPIs* TSPIs::Instance() {
    return instance;
}

int TSPIs::IndexOfFileName(const QString& path) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameAsciiCaseless(items_[i]->FileName(), path)) return static_cast<int>(i);
    return -1;
}

void TSPIs::Insert(int i, std::unique_ptr<TSPI> spi) {
    const TSPI& added = *spi;
    items_.insert(items_.begin() + std::clamp(i, 0, Count()), std::move(spi));
    if (added.Kind() == SPIKind::In) RegisterExtensions(static_cast<const TInSPI&>(added));
}

void TSPIs::RegisterExtensions(const TInSPI& spi) {
    if (registry_ == nullptr) return;
    for (qsizetype k = 0; k < spi.Extensions().size(); ++k) {
        std::shared_ptr<const PictureDecoder> graphicClass = DefaultGraphicClass;
        const QString& description = spi.FormatNames().at(k);
        for (const QString& extension : PatternExtensions(spi.Extensions().at(k))) {
            if (OnPictureRegister) OnPictureRegister(spi, extension, description, graphicClass);
            if (!graphicClass) continue;
            registry_->Register(extension.toStdString(), graphicClass, false, description.toStdString());
            registered_.push_back(graphicClass);
        }
    }
}

void TSPIs::Delete(int i) {
    items_.erase(items_.begin() + i);
}

void TSPIs::Clear() {
    // The registry hands plug-in extensions back to whatever served them before.
    if (registry_ != nullptr)
        for (const auto& decoder : registered_) registry_->Unregister(decoder.get());
    registered_.clear();
    // First to last, as they were loaded.
    for (auto& item : items_) item.reset();
    items_.clear();
}

QStringList TSPIs::OptionFolders() const {
    QStringList folders;
    if (SearchOptions & spsSusieDir) folders.append(SusieFolder());
    if (SearchOptions & spsAppDir) folders.append(folders_.appDir);
    if (SearchOptions & spsCurrentDir) folders.append(QDir::currentPath());
    if (SearchOptions & spsSystemDir) folders.append(folders_.systemDir);
    if (SearchOptions & spsWindowsDir) folders.append(folders_.windowsDir);
    return folders;
}

void TSPIs::SearchSPIs(const QString& mask) {
    const qsizetype slash = mask.lastIndexOf(u'/');
    if (slash >= 0) {
        SearchFolder(mask.left(slash + 1), mask.mid(slash + 1));
        return;
    }
    // A folder reached by two options is searched twice; the duplicate test loads it once.
    for (const QString& folder : OptionFolders())
        if (!folder.isEmpty()) SearchFolder(folder, mask);
}

void TSPIs::SearchFolder(QString folder, const QString& mask) {
    folder = WithSlash(folder);
    // Plain files only, hidden ones left out, in the order the file system gives them.
    const QStringList names = QDir(folder).entryList({mask}, QDir::Files | QDir::Readable, QDir::Unsorted);
    QStringList candidates;
    for (const QString& name : names) {
        const QString path = folder + name;
        if (IndexOfFileName(path) < 0 && IndexOfFileName(QFileInfo(path).absoluteFilePath()) < 0)
            candidates.append(path);
    }
    for (const QString& path : candidates) {
        bool accept = true;
        if (OnSearching) OnSearching(path, accept);
        if (!accept) continue;
        std::unique_ptr<TSPI> spi = CreateSPI(path);
        if (!spi) continue;
        try {
            accept = true;
            if (OnSearch) OnSearch(*spi, accept);
            if (accept) Add(std::move(spi));
        } catch (const std::exception&) {
            // A handler or a registration that fails discards this plug-in only.
        }
    }
}

std::vector<const TSPI*> TSPIs::CollectSPIs(std::initializer_list<SPIKind> kinds,
                                            const QString& fileName) const {
    const QString extension = NameExtension(fileName);
    std::vector<const TSPI*> preferred;
    std::vector<const TSPI*> others;
    for (const auto& item : items_) {
        if (!IsOfKind(item->Kind(), kinds)) continue;
        bool declares = false;
        if (!extension.isEmpty())
            for (const QString& entry : item->Extensions())
                declares = declares || SameAsciiCaseless(NameExtension(entry), extension);
        if (declares)
            preferred.insert(preferred.begin(), item.get());
        else
            others.push_back(item.get());
    }
    preferred.insert(preferred.end(), others.begin(), others.end());
    return preferred;
}

}  // namespace pictavo
