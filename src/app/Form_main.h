#pragma once
// The launcher: a small window with the slideshow menu and a drop panel. It owns the run state
// of the whole program (AppState) and lends it to every other window; all roads into a
// slideshow (folder menu, file selection window, archive menu, a dropped path, the first
// command-line argument) start here and end in StartSlideshow.
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>

#include "sources/AppState.h"
#include "sources/Collection.h"

class QAction;
class QLabel;

namespace pictavo {

class TArchiveFunction;
class Form_about;
class Form_disp;
class Form_fileselect;
class Form_loading;
class Form_setup;
class LauncherHost;
class PluginGateway;

// The windows that the entry sequence creates after the launcher; none is owned by it.
struct LauncherWindows {
    Form_loading* loading = nullptr;
    Form_disp* display = nullptr;
    Form_fileselect* fileselect = nullptr;
    Form_setup* setup = nullptr;
    Form_about* about = nullptr;
};

class Form_main : public QMainWindow {
    Q_OBJECT
public:
    // Loads the settings, places the window at the stored Left/Top, loads the archiver modules
    // (from the host's program folder) and checks the extension lists (a warning box may
    // appear before the window is shown). `host` and `plugins` outlive the launcher;
    // `arguments` are the program's arguments without the program name.
    Form_main(LauncherHost& host, PluginGateway& plugins, const QStringList& arguments,
              QWidget* parent = nullptr);
    // Writes the settings, with the launcher's current position, into the settings file.
    ~Form_main() override;

    AppState& State() { return state_; }

    // Wires the other windows in; every road needs them. Detach() unwires them before they go.
    void Attach(const LauncherWindows& windows);
    void Detach();

    // The first command-line argument: a folder is scanned, anything else is an archive.
    void HandleCommandLine();
    // Starts the 100 ms timer that hides the launcher once a slideshow is visible.
    void StartArgloadTimer();
    // Shows the launcher unless the command line already started a slideshow.
    void ShowAtStart();

    // Hands the filled ImageList (ImageCount >= 1) to the display window and steps aside.
    void StartSlideshow() { StartSlideshowAt(0); }
    // The same, starting at entry `first` (a picture opened on its own).
    void StartSlideshowAt(int first);
    // What the launcher does when the display window has hidden: the program ends after a run
    // started with an argument (IsEndExe_Arg), otherwise the launcher comes back.
    void SlideshowEnded();
    // How often a folder scan lets pending events run (its buttons, the menus); 15 ms unless set.
    void SetScanEventInterval(std::chrono::milliseconds interval) { scanEventInterval_ = interval; }
    // True once the program has been asked to end; no road starts after that.
    bool IsEndRequested() const { return endRequested_; }

    // The menu commands and the drop handler's road (public so that each road can be driven
    // on its own).
    void mmenu_slide_directoryClick();
    void mmenu_slide_fileClick();
    void mmenu_slide_archiveClick();
    void mmenu_setupClick();
    void mmenu_help_readmeClick();
    void mmenu_help_aboutClick();
    void OpenDroppedPath(const QString& path);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class ArchiveResult { Unclaimed, NotReady, NothingFound, Started };

    void CreateMenu();
    void CreatePanel();
    void Initialise();
    void LoadArchivers();
    void Timer_argloadTimer();
    void CentreOnScreen(QWidget* window) const;
    void BringToFront(QWidget* window) const;
    void SetApplicationTitle(const QString& title);

    bool RoadAllowed();
    CollectionVerdict CollectFolder(const QString& folder);
    ArchiveResult CollectArchive(const QString& path);
    void ReportArchiveResult(ArchiveResult result, bool unclaimedFails);
    void FinishCollection();
    void HandleFolderArgument(const QString& folder, const QString& firstPicture = {});
    void HandleArchiveArgument(const QString& path);
    void ShowError(const QString& text);
    void RequestEnd();

    LauncherHost& host_;
    PluginGateway& plugins_;
    QStringList arguments_;
    AppState state_;
    // Owned for the whole run; AppState lends it to the other windows.
    std::unique_ptr<TArchiveFunction> ArchiveManager;
    LauncherWindows windows_;
    QTimer Timer_argload;
    QString openDialogFilter_;
    QAction* mmenu_slide_archive = nullptr;
    QLabel* Panel1 = nullptr;
    // Often enough for the loading window's buttons, rarely enough not to slow a large scan.
    std::chrono::milliseconds scanEventInterval_{15};
    bool collecting_ = false;
    bool endRequested_ = false;
};

}  // namespace pictavo
