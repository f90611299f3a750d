#pragma once
// The run state that the launcher owns for the whole run and lends to every other window:
// the settings, the image list with its position, the extension lists and the display's
// shared flags. Windows keep a reference; nothing here is copied between them.
#include <QString>
#include <QStringList>
#include <QStringListModel>
#include <cstdint>

#include "config/Settings.h"
#include "decode/PictureRegistry.h"

namespace pictavo {

class TSPIs;             // plug-in manager, joins with the plug-in host
class TArchiveFunction;  // archive manager, joins with the archive subsystem

struct AppState {
    Settings settings;

    // The pictures of the slideshow: full file paths (SourceKind 0) or members of
    // ArchivePath (SourceKind 1).
    QStringList ImageList;
    std::int32_t ImageCount = 0;
    std::int32_t CurrentIndex = 0;
    std::int32_t SourceKind = 0;

    // What can be decoded: built-in formats plus plug-in extensions (".jpg" form).
    QStringList SupportedExtensions;
    PictureRegistry registry = PictureRegistry::WithBuiltins();

    // The hand-made list of the file selection window: one path per row, duplicates allowed.
    // The window shows this model; the display's add-to-list command appends to it.
    QStringListModel FileSelectList;

    QString ArchivePath;
    std::int32_t CurrentArchiver = -1;
    // Where archive members are extracted to be shown (emptied when an archive slideshow ends).
    QString TempFolder;
    TSPIs* spis = nullptr;
    TArchiveFunction* archives = nullptr;

    // Launcher fields: the folder of the current folder-menu slideshow, the folder the
    // folder picker opens at, and the current directory at start (the plug-in search changes
    // it for a moment and puts it back).
    QString ScanRoot;
    QString LastFolder;
    QString StartDirectory;

    // Launcher and scan flags.
    bool StartedWithArgument = false;
    bool CancelRequested = false;
    bool ForceStart = false;

    // Display flags shared with the launcher.
    bool DisplayClosing = false;
    std::int32_t ImageProcessCommand = -1;
    std::int32_t PictureWidth = 0;
    std::int32_t PictureHeight = 0;
};

}  // namespace pictavo
