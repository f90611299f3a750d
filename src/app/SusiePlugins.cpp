#include "app/SusiePlugins.h"

#include <QDir>

#include "decode/SPIBmp.h"

namespace pictavo {

TSPISearchOptions SearchOptionsOf(const Settings& settings, bool selectedFolderReached) {
    TSPISearchOptions options = 0;
    if (settings.SearchSusieDir) options |= spsSusieDir;
    if (settings.SearchAppDir) options |= spsAppDir;
    if (settings.SearchSystemDir) options |= spsSystemDir;
    if (settings.SearchWindowsDir) options |= spsWindowsDir;
    if (settings.SearchSelDir && selectedFolderReached) options |= spsCurrentDir;
    return options;
}

SusiePlugins::SusiePlugins(SPIFolders folders) : folders_(std::move(folders)) {}

SusiePlugins::~SusiePlugins() = default;

QList<QStringList> SusiePlugins::SearchExtensionPatterns(AppState& state) {
    if (!TSPIs::DefaultGraphicClass) TSPIs::DefaultGraphicClass = std::make_shared<TSPIBitmap>();
    if (!manager_) {
        manager_ = std::make_unique<TSPIs>(&state.registry, folders_);
        manager_->GraphicPreview = false;
        state.spis = manager_.get();
    }
    const Settings& s = state.settings;
    const bool reached = s.SearchSelDir && QDir::setCurrent(s.SearchSelDirPath);
    manager_->SearchOptions = SearchOptionsOf(s, reached);
    manager_->SearchSPIs(QStringLiteral("*.spi"));
    if (!state.StartDirectory.isEmpty()) QDir::setCurrent(state.StartDirectory);

    QList<QStringList> patterns;
    for (int i = 0; i < manager_->Count(); ++i) patterns.append(manager_->Items(i).Extensions());
    return patterns;
}

void SusiePlugins::Close(AppState& state) {
    manager_.reset();
    state.spis = nullptr;
}

}  // namespace pictavo
