#pragma once
// The launcher's plug-in host: owns the one plug-in manager from the search at start until
// Close() at exit, and registers the picture plug-ins' extensions in the run state's registry.
#include <memory>

#include "app/PluginGateway.h"
#include "decode/SPIs.h"

namespace pictavo {

class SusiePlugins final : public PluginGateway {
public:
    // `folders` are where the options lead (the defaults outside tests).
    explicit SusiePlugins(SPIFolders folders = SPIFolders::Defaults());
    ~SusiePlugins() override;

    // Creates the manager (state.spis), sets its folders from the settings, searches "*.spi"
    // and returns each plug-in's patterns in load order. Throws ESPIDupCreateSPIs when another
    // manager exists.
    QList<QStringList> SearchExtensionPatterns(AppState& state) override;
    // Unloads the plug-ins and takes their extensions out of the registry; call it before the
    // run state goes. Safe to call twice.
    void Close(AppState& state);

private:
    SPIFolders folders_;
    std::unique_ptr<TSPIs> manager_;
};

// The manager's search options for the settings (the selected folder is searched as the
// current directory, so it maps to spsCurrentDir).
TSPISearchOptions SearchOptionsOf(const Settings& settings, bool selectedFolderReached);

}  // namespace pictavo
