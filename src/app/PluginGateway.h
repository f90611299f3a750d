#pragma once
// The launcher's door to the Susie plug-in host: the search for plug-ins at start and the
// extension patterns they declare. NoPlugins stands for a program without a plug-in host.
#include <QList>
#include <QStringList>

#include "sources/AppState.h"

namespace pictavo {

class PluginGateway {
public:
    virtual ~PluginGateway() = default;

    // Searches and loads the plug-ins that the settings point to (putting the current directory
    // back to StartDirectory afterwards) and returns each loaded plug-in's extension patterns
    // in load order, e.g. {"*.PIC;*.MAG"}. Called once at start, only when IsUseSPI is set.
    virtual QList<QStringList> SearchExtensionPatterns(AppState& state) = 0;
};

class NoPlugins final : public PluginGateway {
public:
    QList<QStringList> SearchExtensionPatterns(AppState&) override { return {}; }
};

}  // namespace pictavo
